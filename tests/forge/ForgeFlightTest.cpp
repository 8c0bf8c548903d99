// Forge levels and tuning through the game's own terrain and flight model: the forged height
// images, unfolded by the game's terrain, give back the forge's landscape; the aircraft of the
// forged tuning file, steered along each level's river at the flying height over the game's
// terrain, finish level 1 in 90 to 150 seconds, never touch the ground on any level, live 60 to
// 90 seconds on a tank, and need the depots.
#include "ForgeContent.h"
#include "content/LevelEnemies.h"
#include "content/LevelTerrain.h"
#include "game/GameData.h"
#include "player/FlightWorld.h"
#include "player/Player.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "world/Terrain.h"

#include <cstdio>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace ForgeScale;

namespace {

constexpr float kDt = 16.666666f * 0.13f;   // one update at 60 a second, in game time

// The level as the flight model sees it: the game's terrain loaded (without graphics) from the
// forged level pack, with its end flag; the forge's landscape steers.
class ForgeLevelWorld : public IFlightWorld {
public:
    explicit ForgeLevelWorld(int level) : terrain(LevelShape(level)), game(1.0f, false)
    {
        ResourceGroup group("forge_flight_levels");
        group.SetKey(kLevelsPackKey);
        if (!group.MountPack(std::string(GW_GAME_DIR) + "/levels/base.set"))
            return;
        char path[64];
        std::snprintf(path, sizeof path, "levels/level%02d/terra.ter", level);
        ParamFile file;
        file.Read(group, path, true);
        loaded = game.Load(group, file);
    }
    float GroundHeight(float x, float y) const override { return game.GroundHeight(x, y); }
    float WaterHeight() const override { return kWater; }
    float FlyingHeight() const override { return kFlyHeight; }
    float Scale() const override { return 1.0f; }
    float HalfWidth() const override { return kValleyWidth / 2; }
    bool IsFinished() const override { return game.EndReached(); }
    void SetViewPosition(const Vec3& p) override { game.SetViewPosition(p); }

    LevelTerrain terrain;
    Terrain game;
    bool loaded = false;
};

struct FlightResult {
    CPlayer::State end;
    float seconds;
    float fuelLeft;
    float lowestGroundGap;   // flying height above the ground under the aircraft, least seen
};

// Flies a level steered along the river's middle (the player's x is set each update, as a
// careful pilot would keep it); with depots, every depot passed is taken.
FlightResult Fly(GameData& game, int level, int aircraft, bool takeDepots)
{
    ForgeLevelWorld world(level);
    EXPECT_TRUE(world.loaded) << "level " << level;
    std::vector<float> depots;
    for (const EnemyPlacement& e : PlaceEnemies(world.terrain, level))
        if (e.name == "Fuel")
            depots.push_back(e.y);
    std::sort(depots.begin(), depots.end());
    CPlayer p(&game, &world, nullptr);
    p.SelectAircraft(aircraft);
    p.SetSize(0.86f, 1.0f, 0.25f);   // a normalised aircraft's box
    p.SetPosition(0.0f, 0.0f, kFlyHeight);
    FlightResult r{CPlayer::Start, 0.0f, 0.0f, 1e9f};
    size_t next = 0;
    int frame = 0;
    for (; frame < 60 * 400; ++frame) {
        Vec3 pos = p.Position();
        if (p.GetState() == CPlayer::Flying) {
            pos.x = world.terrain.RiverCenter(pos.y);
            p.SetPosition(pos);
            r.lowestGroundGap = std::min(r.lowestGroundGap, pos.z - world.GroundHeight(pos.x, pos.y));
        }
        while (next < depots.size() && depots[next] <= pos.y) {
            if (takeDepots)
                p.AddFuel(game.m_fuel_per_barrel);
            ++next;
        }
        p.Update(kDt);
        const CPlayer::State s = p.GetState();
        if (s == CPlayer::LevelFinished || s == CPlayer::Dead || s == CPlayer::ShotDown)
            break;
    }
    r.end = p.GetState();
    r.seconds = frame / 60.0f;
    r.fuelLeft = p.Fuel();
    return r;
}

class ForgeFlight : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResourceGroup group("forge_flight_main");
        group.SetKey(kMainPackKey);
        ASSERT_TRUE(group.MountPack(std::string(GW_GAME_DIR) + "/data/data.pk"));
        ASSERT_TRUE(game.LoadGameFile(group));
    }
    GameData game;
};

} // namespace

TEST(ForgeLevelHeights, TheGamesTerrainGivesBackTheForgesLandscape)
{
    for (int level = 1; level <= kLevelCount; ++level) {
        ForgeLevelWorld world(level);
        ASSERT_TRUE(world.loaded) << "level " << level;
        EXPECT_EQ(world.game.Side(), kHeightSide);
        EXPECT_EQ(world.game.Strips(), kStrips);
        double sum = 0;
        int n = 0, riverDry = 0;
        for (float y = 5.0f; y < world.terrain.Length() - 5.0f; y += 7.3f) {
            for (float x = -20.0f; x <= 20.0f; x += 2.9f) {
                sum += std::fabs(world.game.GroundHeight(x, y) - world.terrain.Height(x, y));
                ++n;
            }
            // Boats test the game's heights: the river's middle lies under the water there too.
            riverDry += world.game.GroundHeight(world.terrain.RiverCenter(y), y) >= kWater - 0.3f ? 1 : 0;
        }
        EXPECT_LT(sum / n, 0.08) << "level " << level << ": the height image is folded differently from how the game reads it";
        EXPECT_EQ(riverDry, 0) << "level " << level;
    }
}

TEST_F(ForgeFlight, LevelOneTakesTwoMinutesAndEveryLevelIsFlyable)
{
    for (int a = 0; a < 3; ++a) {
        const FlightResult one = Fly(game, 1, a, true);
        EXPECT_EQ(one.end, CPlayer::LevelFinished) << "aircraft " << a;
        EXPECT_GE(one.seconds, 90.0f) << "aircraft " << a;
        EXPECT_LE(one.seconds, 150.0f) << "aircraft " << a;
    }
    for (int level = 2; level <= kLevelCount; ++level) {
        const FlightResult r = Fly(game, level, 1, true);
        EXPECT_EQ(r.end, CPlayer::LevelFinished) << "level " << level;
        EXPECT_GT(r.lowestGroundGap, 0.3f) << "level " << level;
    }
}

TEST_F(ForgeFlight, ATankLastsAMinuteOrMoreAndTheLevelNeedsTheDepots)
{
    for (int a = 0; a < 3; ++a) {
        const FlightResult dry = Fly(game, 1, a, false);
        EXPECT_NE(dry.end, CPlayer::LevelFinished) << "aircraft " << a << " finished level 1 without fuel";
        EXPECT_GE(dry.seconds, 60.0f) << "aircraft " << a;
        EXPECT_LE(dry.seconds, 95.0f) << "aircraft " << a;
    }
}
