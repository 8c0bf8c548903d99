// Forge levels: the landscape keeps a navigable river and a flyable corridor on every level, and
// the enemies are placed where their kinds can live, with difficulty rising level by level.
#include "ForgeContent.h"
#include "app/Vec3.h"
#include "content/LevelEnemies.h"
#include "content/LevelTerrain.h"
#include "content/ModelLibrary.h"
#include "render/Entity3DS.h"
#include "render/Unit.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"
#include "world/Terrain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

using namespace ForgeScale;

namespace {

// A base level as the game flies it: its terrain read through the game's own loader from the
// forged level set, and the line a pilot keeps along it (the middle of the free run, where the
// ground lies well under the flying height, around the river).
struct GameLevel {
    Terrain ground{1.0f, false};
    LevelTerrain shape;
    bool loaded = false;

    GameLevel(ResourceGroup& levels, int level) : shape(LevelShape(level))
    {
        char path[64];
        std::snprintf(path, sizeof path, "levels/level%02d/terra.ter", level);
        ParamFile keys;
        loaded = keys.Read(levels, path, true) && ground.Load(levels, keys);
    }
    float PilotLine(float y) const
    {
        const float c = shape.RiverCenter(y);
        float edge[2] = {c, c};
        for (int side = 0; side < 2; ++side)
            for (float d = 0.0f; d < kValleyWidth / 2; d += 0.1f) {
                edge[side] = c + (side == 0 ? -d : d);
                if (ground.GroundHeight(edge[side], y) >= kFlyHeight - 0.8f)
                    break;
            }
        return (edge[0] + edge[1]) / 2;
    }
};

bool MountBaseLevels(ResourceGroup& levels)
{
    levels.SetKey(kLevelsPackKey);
    return levels.MountPack(std::string(GW_GAME_DIR) + "/levels/base.set");
}

} // namespace

TEST(ForgeLevelScale, ValleyAgreesWithCameraFogAndWindow)
{
    // The valley is 40 to 50 world units wide; the enemies' window reaches 1.4 widths ahead,
    // beyond the fog's end at 60 units, so enemies appear in the fog rather than pop up.
    EXPECT_NEAR(kStrips * kSampleDist, kValleyWidth, 1e-3);
    EXPECT_GE(kValleyWidth, 40.0f);
    EXPECT_LE(kValleyWidth, 50.0f);
    EXPECT_GT(2.8f * kValleyWidth / 2, 60.0f);
    EXPECT_EQ(kHeightSide % kLines, 0);
    EXPECT_GT(kFlyHeight, kWater + 1.0f);
    EXPECT_LT(kFlyHeight, kHeightMax * 0.6f);
}

TEST(ForgeLevelTerrain, RiverNavigableAndCorridorFlyableOnEveryLevel)
{
    for (int level = 1; level <= kLevelCount; ++level) {
        const LevelTerrain t(LevelShape(level));
        float narrowest = 1e9f;
        for (float y = 0.0f; y < t.Length(); y += 1.0f) {
            const float c = t.RiverCenter(y);
            // The river's middle is deep enough for the largest boat everywhere.
            ASSERT_LT(t.Height(c, y), kWater - 0.5f) << "level " << level << " y " << y;
            // The river stays inside the valley with its banks.
            ASSERT_LT(std::fabs(c) + t.RiverHalfWidth(y), kValleyWidth / 2 - 3.0f);
            if (static_cast<int>(y) % 10 == 0)
                narrowest = std::min(narrowest, t.CorridorHalfWidth(y, kFlyHeight - 0.2f));
        }
        // A careful pilot fits between the hills at the flying height.
        EXPECT_GT(narrowest, 5.0f) << "level " << level;
        // The start run is straight over the water at x = 0.
        EXPECT_NEAR(t.RiverCenter(0.0f), 0.0f, 1e-4);
    }
}

TEST(ForgeLevelTerrain, FoldedImageMatchesTheHeightFunctionAtTheVertices)
{
    const LevelTerrain t(LevelShape(3));
    const std::vector<uint8_t> img = t.FoldedHeights();
    ASSERT_EQ(img.size(), static_cast<size_t>(kHeightSide) * kHeightSide);
    const int N = kHeightSide, q = kStrips;
    for (int b : {0, 3, kLines - 1})
        for (int r : {0, 17, N - 1})
            for (int w : {0, q / 2, q - 1}) {
                const float h = t.Height((w - q / 2) * kSampleDist, (b * (N - 1) + r) * kSampleDist);
                EXPECT_NEAR(img[static_cast<size_t>(b * q + w) + static_cast<size_t>(r) * N] * kHeightMax / 255.0f, h,
                            kHeightMax / 255.0f);
            }
    // The last row of a band and the first of the next are the same place along the level.
    for (int w = 0; w < q; ++w)
        EXPECT_EQ(img[static_cast<size_t>(w) + static_cast<size_t>(N - 1) * N], img[static_cast<size_t>(q + w)]);
}

TEST(ForgeLevelEnemies, PlacedWhereTheirKindsBelong)
{
    for (int level = 1; level <= kLevelCount; ++level) {
        const LevelTerrain t(LevelShape(level));
        for (const EnemyPlacement& e : PlaceEnemies(t, level)) {
            EXPECT_GT(e.y, 80.0f) << e.name;
            EXPECT_LT(e.y, t.Length() - 2.1f * kHeightSide / kLines * kSampleDist) << e.name;
            EXPECT_LT(std::fabs(e.x), kValleyWidth / 2) << e.name;
            const float ground = t.Height(e.x, e.y);
            if (e.name == "EnemyBoat1") {
                EXPECT_LT(ground, kWater - 0.4f) << "boat on land at level " << level;
            }
            if (e.name == "Fuel") {
                EXPECT_LT(std::fabs(e.x - t.RiverCenter(e.y)), 2.0f);
                EXPECT_FLOAT_EQ(e.z, kFlyHeight);
            }
            const bool flakSite = e.name == "EnemyAAD1" && (e.shootStatus == 2 || e.shootStatus == 3);
            if (e.name == "EnemyBuilding" || e.name == "EnemyBarrels" || (e.name == "EnemyAAD1" && !flakSite)) {
                EXPECT_GT(ground, kWater) << e.name << " in the water at level " << level;
                EXPECT_LE(ground, kWater + 1.0f) << e.name << " too high for its size";
            }
            // On the valley side, under the flying height by about the turret's height.
            if (flakSite) {
                EXPECT_GT(ground, kWater + 1.0f) << "flak site low at level " << level;
                EXPECT_LT(ground, kFlyHeight - 0.1f) << "flak site high at level " << level;
            }
        }
    }
}

// Enemy fire is aimed where the player flies: site turrets cover the river down the valley, and
// patrolling helicopters turn their noses (and rockets) down the valley at the approach.
TEST(ForgeLevelEnemies, WeaponsFaceThePlayersApproach)
{
    for (int level = 1; level <= kLevelCount; ++level) {
        const LevelTerrain t(LevelShape(level));
        for (const EnemyPlacement& e : PlaceEnemies(t, level)) {
            const float dx = -std::sin(e.heading * kDegToRad), dy = std::cos(e.heading * kDegToRad);
            if (e.name == "EnemyAAD1") {
                EXPECT_LT(dy, -0.3f) << "site turret not down the valley at level " << level;
                const float toRiver = t.RiverCenter(e.y) - e.x;
                EXPECT_GT(dx * toRiver, 0.0f) << "site turret turned away from the river at level " << level;
            }
            if (e.name == "EnemyHelic1" && e.isFlying) {
                EXPECT_LT(dy, -0.99f) << "helicopter not facing down the valley at level " << level;
            }
        }
    }
}

TEST(ForgeLevelEnemies, DifficultyRisesAndFuelThinsOut)
{
    auto count = [](int level) {
        std::map<std::string, int> c;
        for (const EnemyPlacement& e : PlaceEnemies(LevelTerrain(LevelShape(level)), level))
            ++c[e.name];
        return c;
    };
    auto first = count(1), last = count(kLevelCount);
    EXPECT_GT(last["EnemyPlane1"], first["EnemyPlane1"]);
    EXPECT_GT(last["EnemyBoat1"], first["EnemyBoat1"]);
    EXPECT_GT(last["EnemyAAD1"], first["EnemyAAD1"]);
    EXPECT_LT(last["Fuel"], first["Fuel"]);
    // Enough depots on the first level to finish it only by taking most of them: a tank lasts
    // about 70 s of a two-minute level and each depot gives a quarter tank.
    EXPECT_GE(first["Fuel"], 8);
    EXPECT_GE(last["Fuel"], 5);
}

// Something to shoot comes into range every few seconds on every level, of the base set and of a
// seeded one alike: the targets that stand still (buildings, barrels, sites, anchored boats,
// parked helicopters) follow each other along the level closer than the slowest aircraft flies in
// 8 seconds at its normal speed, from the start run to the end. And each level has more targets
// and more armed enemies than the one before, the first none that fire flak.
TEST(ForgeLevelEnemies, TargetsComeEveryFewSecondsAndLevelsGetHarder)
{
    const float eightSeconds = 8.0f * 60.0f * kNormalSpeed[2] * kUpdateTime;
    for (uint64_t seed : {0ull, 977ull}) {
        int lastTargets = 0, lastArmed = 0;
        for (int level = 1; level <= kLevelCount; ++level) {
            const LevelTerrain t(LevelShape(level));
            const std::vector<EnemyPlacement> list = PlaceEnemies(t, level, seed);
            std::vector<float> still;
            int targets = 0, armed = 0, flak = 0;
            for (const EnemyPlacement& e : list) {
                if (e.name == "Fuel")
                    continue;
                ++targets;
                const bool site = e.name == "EnemyAAD1";
                armed += (site || (e.name == "EnemyBoat1" && e.shootStatus > 0) || (e.name == "EnemyHelic1" && e.shoot)) ? 1 : 0;
                flak += (site && e.shootStatus >= 2) || (e.name == "EnemyBoat1" && e.shootStatus >= 2) ? 1 : 0;
                if (site || e.name == "EnemyBuilding" || e.name == "EnemyBarrels" || (e.name == "EnemyBoat1" && e.speed == 0.0f) ||
                    (e.name == "EnemyHelic1" && !e.isFlying))
                    still.push_back(e.y);
            }
            ASSERT_FALSE(still.empty());
            std::sort(still.begin(), still.end());
            EXPECT_LT(still.front(), 90.0f + eightSeconds) << "level " << level << " seed " << seed;
            EXPECT_GT(still.back(), t.Length() - 2.6f * kHeightSide / kLines * kSampleDist - eightSeconds)
                << "level " << level << " seed " << seed;
            for (size_t i = 1; i < still.size(); ++i)
                EXPECT_LT(still[i] - still[i - 1], eightSeconds)
                    << "level " << level << " seed " << seed << ": nothing to shoot from y " << still[i - 1];
            EXPECT_GT(targets, lastTargets) << "level " << level << " seed " << seed;
            EXPECT_GE(armed, lastArmed) << "level " << level << " seed " << seed;
            if (level == 1) {
                EXPECT_EQ(flak, 0) << "seed " << seed;
            }
            lastTargets = targets;
            lastArmed = armed;
        }
    }
}

// The fire grows level by level and comes evenly. On the base set and on seeded ones no level
// has fewer missile boats, armed enemies or helicopters patrolling the river (the pilot's own way)
// than the one before, the first levels none of either; and a level's missile boats spread over
// its whole length, each fifth of it holding about a fifth of them, so that no single stretch
// decides what the level costs.
TEST(ForgeLevelEnemies, FireRisesLevelByLevelAndSpreadsOverItsStretch)
{
    for (uint64_t seed : {0ull, 1ull, 977ull}) {
        int lastMissileBoats = 0, lastArmed = 0, lastRiverHelicopters = 0;
        for (int level = 1; level <= kLevelCount; ++level) {
            const LevelTerrain t(LevelShape(level));
            const float start = 90.0f, end = t.Length() - 2.6f * kHeightSide / kLines * kSampleDist;
            int missileBoats = 0, armed = 0, riverHelicopters = 0;
            int fifths[5] = {};
            for (const EnemyPlacement& e : PlaceEnemies(t, level, seed)) {
                const bool boat = e.name == "EnemyBoat1", helicopter = e.name == "EnemyHelic1";
                armed += (e.name == "EnemyAAD1" || (boat && e.shootStatus > 0) || (helicopter && e.shoot)) ? 1 : 0;
                if (helicopter && e.isFlying && std::fabs(e.x - t.RiverCenter(e.y)) < t.RiverHalfWidth(e.y))
                    ++riverHelicopters;
                // A submarine set to rise fires only once it is up, and one holding station never
                // comes up: an armed one would hide its weapons the whole pass.
                if (boat && e.shootStatus != 0) {
                    EXPECT_EQ(e.floatingUp, 0) << "level " << level << " seed " << seed << " boat at y " << e.y;
                }
                // Level 9 opens with a flak barrage and ends in a gauntlet of missile boats: its
                // missile boats spread over its second half, its flak boats over its first. Every
                // other level spreads both over its whole length.
                const float share = (e.y - start) / (end - start);
                if (boat && (e.shootStatus == 1 || e.shootStatus == 3)) {
                    ++missileBoats;
                    const float within = level == 9 ? (share - 0.5f) * 2.0f : share;
                    EXPECT_GE(within, 0.0f) << "level " << level << " seed " << seed << " missile boat at y " << e.y;
                    ++fifths[std::clamp(static_cast<int>(within * 5.0f), 0, 4)];
                }
                if (boat && e.shootStatus == 2 && level == 9) {
                    EXPECT_LE(share, 0.5f) << "seed " << seed << " flak boat at y " << e.y;
                }
            }
            const std::string where = "level " + std::to_string(level) + " seed " + std::to_string(seed);
            EXPECT_GE(missileBoats, lastMissileBoats) << where;
            EXPECT_GE(armed, lastArmed) << where;
            EXPECT_GE(riverHelicopters, lastRiverHelicopters) << where;
            if (level <= 4) {
                EXPECT_EQ(missileBoats, 0) << where;
                EXPECT_EQ(riverHelicopters, 0) << where;
            }
            if (level == kLevelCount) {
                EXPECT_GT(missileBoats, 10) << where;
            }
            for (int f = 0; f < 5; ++f) {
                EXPECT_GE(fifths[f], missileBoats / 5 - 1) << where << ": fifth " << f;
                EXPECT_LE(fifths[f], (missileBoats + 4) / 5 + 1) << where << ": fifth " << f;
            }
            lastMissileBoats = missileBoats;
            lastArmed = armed;
            lastRiverHelicopters = riverHelicopters;
        }
    }
}

TEST(ForgeLevelEnemies, FileListsEveryEntryWithTheKeysOfItsClass)
{
    const LevelTerrain t(LevelShape(6));
    const ParamText p = EnemiesFile(t, 6);
    const int n = std::stoi(p.Get("enemies_count"));
    ASSERT_GT(n, 20);
    const std::map<std::string, std::vector<std::string>> keys = {
        {"EnemyPlane1", {"m_kind", "m_sp", "m_spx", "m_spy", "m_spz", "m_az", "m_lpx", "m_lpy", "m_lpz"}},
        {"EnemyHelic1", {"m_kind", "m_is_fly", "m_sp", "m_spx", "m_spy", "m_spz", "m_az", "m_lpx", "m_lpy", "m_lpz", "m_shoot"}},
        {"EnemyBoat1", {"m_kind", "m_sp", "m_spx", "m_spy", "m_spz", "m_az", "m_lpx", "m_lpy", "m_lpz", "m_shoot_status", "m_fire_pt"}},
        {"EnemyAAD1", {"m_kind", "m_sp", "m_spx", "m_spy", "m_spz", "m_az", "m_lpx", "m_lpy", "m_lpz", "m_shoot_status",
                       "m_distance_rocket", "m_distance_flak"}},
        {"EnemyBuilding", {"m_kind", "m_lpx", "m_lpy", "m_lpz", "m_az"}},
        {"EnemyBarrels", {"m_kind", "m_lpx", "m_lpy", "m_lpz", "m_az"}},
        {"Fuel", {"m_lpx", "m_lpy", "m_lpz"}},
    };
    for (int i = 0; i < n; ++i) {
        const std::string name = p.Get("name" + std::to_string(i));
        auto it = keys.find(name);
        ASSERT_NE(it, keys.end()) << "entry " << i << " has class '" << name << "'";
        for (const std::string& k : it->second)
            EXPECT_TRUE(p.Has(k + std::to_string(i))) << k << i;
        if (name == "EnemyBoat1" && p.Get("m_kind" + std::to_string(i)) == "2") {
            EXPECT_TRUE(p.Has("m_floating_up" + std::to_string(i)));
        }
    }
}

// A site's flak leaves its turret level. Through the game's own loaders of the forged packs (the
// site units, the flak shell, the aircraft, each level's terrain): every site with flak stands
// where its shells fly inside the box of an aircraft flying level at the flying height, under
// the flying height (so that about half stay below their burst height, the flying height give or
// take 0.3), with the ground below the line of fire on the way into the valley. Before level 9
// the sites only warn: every shell bursts short of the pilot's line (the middle of the free run
// around the river, where the ground lies well under the flying height) and a missile falls away
// a few units from its site; from level 9 the shells fly their whole range.
TEST(ForgeLevelEnemies, FlakSitesFireAcrossTheFlightPath)
{
    ResourceGroup main("forge_site_units");
    main.SetKey(kMainPackKey);
    ASSERT_TRUE(main.MountPack(std::string(GW_GAME_DIR) + "/" + kMainPackFile));
    ResourceGroup levels("forge_site_levels");
    ASSERT_TRUE(MountBaseLevels(levels));

    CUnit sites[2];
    float turret[2];
    for (int k = 0; k < 2; ++k) {
        ASSERT_TRUE(sites[k].Load(&main, "dat/e_aad" + std::to_string(k + 1) + ".unt"));
        ASSERT_GT(sites[k].ChildCount(), 0u);
        turret[k] = sites[k].ScaledDepth() / 2 + sites[k].Child(0)->GetPosition().z * sites[k].GetScale();
        EXPECT_NEAR(SiteTurretHeight(k), turret[k], 1e-4f) << "kind " << k;
    }
    CEntity3DS shell;
    ASSERT_TRUE(shell.Load(&main, "dat/flak/flak.3DS"));
    const float shellRaise = 0.05f * shell.m_depth / 2;   // the game's shell scale, raised by half its height
    // The aircraft's box: its model normalised, then scaled by its file's "m_scale".
    float thinnest = 1e9f;
    for (const auto& [model, tuning] : {std::pair{"dat/f22/f22_1.3DS", "dat/f22/f22_1.txt"},
                                        std::pair{"dat/f18/f18.3DS", "dat/f18/f18.txt"},
                                        std::pair{"dat/ah64/ah64.3DS", "dat/ah64/ah64.txt"}}) {
        CEntity3DS aircraft;
        ASSERT_TRUE(aircraft.Load(&main, model));
        ParamFile file;
        ASSERT_TRUE(file.Read(main, tuning, true));
        thinnest = std::min(thinnest, aircraft.m_depth * file.GetFloat("m_scale", "1"));
    }
    ASSERT_LT(thinnest, 0.2f);

    int late = 0;
    for (int level = 1; level <= kLevelCount; ++level) {
        const GameLevel game(levels, level);
        ASSERT_TRUE(game.loaded) << "level " << level;
        const Terrain& ground = game.ground;
        const LevelTerrain& shape = game.shape;
        auto pilotLine = [&](float y) { return game.PilotLine(y); };
        for (const EnemyPlacement& e : PlaceEnemies(shape, level)) {
            if (e.name == "EnemyAAD1" && level < 9) {
                EXPECT_LE(e.rocketRange, 10.0f) << "level " << level << " site at y " << e.y;
            }
            if (e.name != "EnemyAAD1" || (e.shootStatus != 2 && e.shootStatus != 3))
                continue;
            const float fx = -std::sin(e.heading * kDegToRad), fy = std::cos(e.heading * kDegToRad);
            if (level < 9) {
                float reach = 0.0f;
                while (reach <= e.flakRange && std::fabs(e.x + fx * reach - pilotLine(e.y + fy * reach)) > 3.5f)
                    reach += 0.25f;
                EXPECT_GT(reach, e.flakRange) << "level " << level << " site at y " << e.y
                                              << ": a warning shell comes near the line " << reach << " from its turret";
            } else {
                EXPECT_GE(e.flakRange, 20.0f) << "level " << level << " site at y " << e.y;
            }
            late += level >= 6 ? 1 : 0;
            const float z = ground.GroundHeight(e.x, e.y) + turret[e.kind] + shellRaise;
            EXPECT_LT(z, kFlyHeight) << "level " << level << " site at y " << e.y;
            EXPECT_GT(z, kFlyHeight - thinnest / 2 + 0.03f) << "level " << level << " site at y " << e.y;
            const float dx = -std::sin(e.heading * kDegToRad), dy = std::cos(e.heading * kDegToRad);
            for (float d = 0.5f; d < 8.0f; d += 0.25f)
                EXPECT_LT(ground.GroundHeight(e.x + dx * d, e.y + dy * d), z)
                    << "level " << level << " site at y " << e.y << ": ground in the line of fire at " << d;
        }
    }
    EXPECT_GE(late, 5) << "too few flak sites on levels 6 to 10";
}

// Before the last level no plane flies into the pilot's way, on the base set with the game's
// terrain: one coming head-on stays off the pilot's line over the stretch it flies before the
// slowest aircraft meets it, one flying ahead over the stretch before the aircraft catches it up,
// and one crossing the valley is well off the line when any of the three aircraft at its normal
// speed passes it (it sets off when the aircraft is the enemies' window away, and one leaving the
// valley comes back in at the other side, 1.1 half widths out). Before level 9 the flak boats fire
// their columns off the line where the river lets them; on levels 9 and 10 the missile boats lie
// on the pilot's way, but for level 10's first stretch.
TEST(ForgeLevelEnemies, NothingBeforeTheLastLevelFliesIntoThePilotsWay)
{
    ResourceGroup levels("forge_plane_levels");
    ASSERT_TRUE(MountBaseLevels(levels));
    const float window = 2.8f * kValleyWidth / 2, wrap = 1.1f * kValleyWidth / 2;
    int headOn = 0, ahead = 0, crossing = 0, flakBoats = 0, missileBoats = 0, missileBoatsOnLine = 0, firstStretchBoats = 0;
    for (int level = 1; level <= kLevelCount; ++level) {
        const GameLevel game(levels, level);
        ASSERT_TRUE(game.loaded) << "level " << level;
        const float endY = game.shape.Length() - 2.6f * kHeightSide / kLines * kSampleDist;
        auto line = [&](float y) { return game.PilotLine(std::clamp(y, 90.0f, endY)); };
        for (const EnemyPlacement& e : PlaceEnemies(game.shape, level)) {
            const std::string where = "level " + std::to_string(level) + " " + e.name + " at y " + std::to_string(e.y);
            if (e.name == "EnemyPlane1" && level < kLevelCount) {
                float least = 1e9f;
                if (std::fabs(e.dx) < 0.5f) {
                    // Along the valley: down it for 32 units, or up it for 130.
                    const float along = e.dy < 0.0f ? -32.0f : 130.0f;
                    for (float d = 0.0f; d <= std::fabs(along); d += 1.0f)
                        least = std::min(least, std::fabs(e.x + e.dx * d - line(e.y + (along < 0 ? -d : d))));
                    ++(e.dy < 0.0f ? headOn : ahead);
                    EXPECT_GE(least, 2.5f) << where;
                } else {
                    const float length = std::hypot(e.dx, e.dy), ux = e.dx / length, uy = e.dy / length;
                    for (float v : kNormalSpeed) {
                        const float t = window / (v - e.speed * uy);
                        float x = e.x + e.speed * ux * t;
                        while (std::fabs(x) > wrap)
                            x -= (x > 0.0f ? 2.0f : -2.0f) * wrap;
                        least = std::min(least, std::fabs(x - line(e.y + e.speed * uy * t)));
                    }
                    ++crossing;
                    EXPECT_GE(least, 4.0f) << where;
                }
            }
            if (e.name == "EnemyBoat1" && e.shootStatus == 2 && level < 9) {
                ++flakBoats;
                EXPECT_EQ(e.speed, 0.0f) << where;
                EXPECT_GE(std::fabs(e.x - line(e.y)), 1.0f) << where;
            }
            if (e.name == "EnemyBoat1" && (e.shootStatus == 1 || e.shootStatus == 3) && level >= 9) {
                ++missileBoats;
                missileBoatsOnLine += std::fabs(e.x - line(e.y)) < 0.1f ? 1 : 0;
                // The last level's first stretch, where the start run is the pilot's way, keeps
                // its missile boats off it.
                if (level == kLevelCount && e.y < 90.0f + 0.1f * (endY - 90.0f)) {
                    EXPECT_GE(std::fabs(e.x - line(e.y)), 1.0f) << where;
                    ++firstStretchBoats;
                }
            }
        }
    }
    EXPECT_GT(headOn, 40);
    EXPECT_GT(ahead, 5);
    EXPECT_GT(crossing, 20);
    EXPECT_GT(flakBoats, 40);
    EXPECT_GT(missileBoatsOnLine, missileBoats * 3 / 4);
    EXPECT_GT(firstStretchBoats, 3);
}
