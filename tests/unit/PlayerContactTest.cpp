// The player against the enemies near it: a depot refuels (never above a full tank) and is
// taken, any other live enemy destroys the aircraft with it, a burnt-out building still does.
#include "FlightTestWorld.h"
#include "player/LevelFlightWorld.h"
#include "player/Player.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyBuilding.h"
#include "world/Fuel.h"

#include <gtest/gtest.h>

namespace {

class PlayerContact : public ::testing::Test {
protected:
    void SetUp() override
    {
        TuneForTests(game);
        input.SetFrozen(true);
        player = std::make_unique<CPlayer>(&game, &world, nullptr);
        player->SetInput(&input);
        player->SelectAircraft(0);
        player->SetSize(1.0f, 1.0f, 0.3f);
        player->SetPosition(0.0f, 100.0f, 3.0f);
        player->SetState(CPlayer::Flying);
    }

    template <class T>
    T* Add(const Vec3& at, float size)
    {
        auto e = std::make_unique<T>(nullptr, nullptr);
        e->SetSize(size, size, size);
        e->SetScale(1.0f);
        e->SetPosition(at);
        T* raw = e.get();
        enemies.AddEnemy(std::move(e));
        return raw;
    }

    int Collide(int taken = 0)
    {
        int calls = taken;
        LevelFlightWorld::Collide(*player, enemies, 0, static_cast<int>(enemies.Enemies().size()), 25.0f,
                                  [&calls](CEnemy&) { ++calls; });
        return calls;
    }

    GameData game;
    FlightTestWorld world;
    InputDevices input;
    std::unique_ptr<CPlayer> player;
    CEnemiesCtrl enemies{nullptr, nullptr};
};

}  // namespace

TEST_F(PlayerContact, ADepotRefuelsUpToAFullTankAndIsTaken)
{
    CFuel* depot = Add<CFuel>({0.2f, 100.3f, 3.0f}, 1.0f);
    ASSERT_TRUE(depot->IsAlive());
    player->SetFuel(90.0f);
    EXPECT_EQ(Collide(), 1);
    EXPECT_FLOAT_EQ(player->Fuel(), 100.0f) << "capped";
    EXPECT_FALSE(depot->IsAlive()) << "taken";
    EXPECT_EQ(player->GetState(), CPlayer::Flying) << "no crash";
    player->SetFuel(50.0f);
    EXPECT_EQ(Collide(), 0) << "a taken depot gives nothing more";
    EXPECT_FLOAT_EQ(player->Fuel(), 50.0f);
}

TEST_F(PlayerContact, ADepotOutOfReachIsNotTaken)
{
    Add<CFuel>({5.0f, 100.0f, 3.0f}, 1.0f);
    player->SetFuel(50.0f);
    EXPECT_EQ(Collide(), 0);
    EXPECT_FLOAT_EQ(player->Fuel(), 50.0f);
}

TEST_F(PlayerContact, ABuildingCrashesTheAircraftEvenBurntOut)
{
    CEnemyBuilding* b = Add<CEnemyBuilding>({0.0f, 100.0f, 3.0f}, 2.0f);
    b->SetKind(0);
    b->Kill(nullptr);
    ASSERT_FALSE(b->IsAlive());
    Collide();
    EXPECT_EQ(player->GetState(), CPlayer::ShotDown);
    EXPECT_FLOAT_EQ(player->Hull(), 0.0f);
}
