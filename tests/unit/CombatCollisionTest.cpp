// The player's contact with the enemies near it, with the real kinds: depots refuel and vanish,
// anything else alive crashes the aircraft and dies, a building's remains still crash it.
#include "CombatTestWorld.h"
#include "FlightTestWorld.h"
#include "LevelFiles.h"

#include "player/LevelFlightWorld.h"
#include "player/Player.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyBuilding.h"
#include "world/EnemyPlane.h"
#include "world/Fuel.h"
#include "world/Level.h"

#include <gtest/gtest.h>

namespace {

class CombatContact : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        TuneCombat(game);
        TuneForTests(game);
        Write("levels/level01/height.raw", Heights(256, [](int, int) { return 0; }));
        Write("levels/level01/terra.ter", TerraText(0.25f));
        ASSERT_TRUE(level.LoadLevel(1));
        flight = std::make_unique<LevelFlightWorld>(&level);
        player = std::make_unique<CPlayer>(&game, flight.get(), nullptr);
        player->SetSize(1.0f, 1.0f, 0.3f);
        player->SetPosition(0.0f, 20.0f, 3.0f);
        player->SetState(CPlayer::Flying);
    }

    template <class T>
    T* Add(const Vec3& at, int kind = 0)
    {
        auto e = std::make_unique<T>(&level, &fx);
        e->SetWorld(&world);
        e->SetKind(kind);
        e->SetPosition(at);
        T* raw = e.get();
        level.Enemies()->AddEnemy(std::move(e));
        level.Enemies()->UpdateWindow(player->Position());
        return raw;
    }

    GameData game;
    CombatTestModels models{game};
    CombatTestWorld world;
    CLevel level{&game, nullptr, false};
    CAtmosphericCtpl fx;
    std::unique_ptr<LevelFlightWorld> flight;
    std::unique_ptr<CPlayer> player;
};

TEST_F(CombatContact, FlyingIntoADepotRefuelsToAtMostAFullTankAndTakesIt)
{
    CFuel* depot = Add<CFuel>(Vec3(0.3f, 20.5f, 3.0f));
    player->SetFuel(90.0f);
    flight->CollideEnemies(*player);
    EXPECT_FLOAT_EQ(player->Fuel(), 100.0f);
    EXPECT_EQ(player->GetState(), CPlayer::Flying);
    EXPECT_FLOAT_EQ(player->Hull(), player->HullMax());
    EXPECT_FALSE(depot->IsAlive());
    // A taken depot gives nothing more and is gone after its next update.
    player->SetFuel(50.0f);
    flight->CollideEnemies(*player);
    EXPECT_FLOAT_EQ(player->Fuel(), 50.0f);
    level.Enemies()->UpdateEnemies(kCombatDt);
    EXPECT_TRUE(level.Enemies()->Enemies().empty());
    EXPECT_EQ(game.scoreLevel, 0);
}

TEST_F(CombatContact, RammingAnEnemyKillsBoth)
{
    CEnemyPlane* plane = Add<CEnemyPlane>(Vec3(0.2f, 20.6f, 3.1f));
    flight->CollideEnemies(*player);
    EXPECT_TRUE(plane->IsDying());
    EXPECT_EQ(game.killCounts[0], 1);
    EXPECT_FLOAT_EQ(player->Hull(), 0.0f);
    EXPECT_EQ(player->GetState(), CPlayer::ShotDown);
}

TEST_F(CombatContact, ABuildingsRemainsStillCrashTheAircraft)
{
    CEnemyBuilding* house = Add<CEnemyBuilding>(Vec3(0.0f, 21.0f, 2.5f), 3);
    house->Kill(nullptr);
    ASSERT_TRUE(house->IsBurning());
    EXPECT_EQ(game.scoreLevel, game.m_score_aad);
    flight->CollideEnemies(*player);
    EXPECT_EQ(player->GetState(), CPlayer::ShotDown);
    EXPECT_EQ(game.scoreLevel, game.m_score_aad);  // no second payment
}

TEST_F(CombatContact, TheWreckOfAnythingElseIsPassedThrough)
{
    CEnemyPlane* plane = Add<CEnemyPlane>(Vec3(0.2f, 20.6f, 3.1f));
    plane->Kill(nullptr);
    flight->CollideEnemies(*player);
    EXPECT_EQ(player->GetState(), CPlayer::Flying);
}

}  // namespace
