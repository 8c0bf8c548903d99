// CMissleCtrl and the missiles: straight flight and range, lock-on by aim angle and lock class,
// hits on enemies, the torpedo, and enemy missiles and flak against the player.
#include "CombatTestWorld.h"
#include "FlightTestWorld.h"
#include "LevelFiles.h"

#include "player/Missle.h"
#include "player/MissleCtrl.h"
#include "player/MissleEnemy.h"
#include "player/MisslePlayer.h"
#include "player/Player.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyBoat.h"
#include "world/EnemyPlane.h"
#include "world/Level.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(MissleLockClasses, KindsAndCategories)
{
    const bool table[7][7] = {
        // category 0 (depot), 1 plane, 2 boat, 3 helicopter, 4 site, 5 building, 6 barrels
        {false, false, false, false, false, false, false},  // kind 0: none
        {true, true, true, true, true, true, true},         // 1: all
        {false, true, false, true, false, false, false},    // 2
        {false, false, true, false, false, false, false},   // 3: the torpedo's
        {false, false, false, false, true, true, true},     // 4
        {false, true, false, true, true, true, true},       // 5
        {false, false, true, false, true, true, true},      // 6
    };
    for (int kind = 0; kind < 7; ++kind)
        for (int cat = 0; cat < 7; ++cat)
            EXPECT_EQ(CMissle::KindMayLock(kind, cat), table[kind][cat]) << kind << " " << cat;
}

class MissileFlight : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        std::srand(11);
        TuneCombat(game);
        TuneForTests(game);
        Write("levels/level01/height.raw", Heights(256, [](int, int) { return 0; }));
        Write("levels/level01/terra.ter", TerraText(0.25f));
        ASSERT_TRUE(level.LoadLevel(1));
        world.half = level.HalfWidth();
        ASSERT_GT(world.half, 5.0f);
        world.ground = -2.0f;
        fx.SetGame(&game);
        fx.SetWorld(&world);
        player = std::make_unique<CPlayer>(&game, &flight, &fx);
        player->SetSize(1.0f, 1.0f, 0.3f);
        player->SetPosition(0.0f, 20.0f, 3.0f);
        player->SetState(CPlayer::Flying);
        ctrl = std::make_unique<CMissleCtrl>(&world, level.Enemies(), player.get(), &fx, &game);
    }

    CEnemy* AddPlane(const Vec3& at)
    {
        auto e = std::make_unique<CEnemyPlane>(&level, &fx);
        e->SetWorld(&world);
        e->SetKind(0);
        e->SetMotion(Vec3(0, 1, 0), 0.0f);
        e->SetPosition(at);
        CEnemy* raw = e.get();
        level.Enemies()->AddEnemy(std::move(e));
        return raw;
    }
    void Window(float y) { level.Enemies()->UpdateWindow(Vec3(0, y, 3)); }

    GameData game;
    CombatTestModels models{game};
    CombatTestWorld world;
    FlightTestWorld flight;
    CLevel level{&game, nullptr, false};
    CAtmosphericCtpl fx;
    std::unique_ptr<CPlayer> player;
    std::unique_ptr<CMissleCtrl> ctrl;
};

TEST_F(MissileFlight, WithNothingToLockItFliesStraightAndEndsAfterTwoHalfWidths)
{
    Window(0.0f);
    CMissle* m = ctrl->FirePlayerMissile(Vec3(0, 0, 3), Vec3(0, 1, 0), 0.0f, 5, 2.0f);
    ASSERT_NE(m, nullptr);
    const float z = m->GetPosition().z;
    const float step = game.m_missle_player_speed * kCombatDt;
    int n = 0;
    while (!m->IsExploding() && n++ < 1000) {
        ctrl->Update(kCombatDt);
        EXPECT_FLOAT_EQ(m->GetPosition().x, 0.0f);
        EXPECT_FLOAT_EQ(m->GetPosition().z, z);
    }
    EXPECT_FALSE(m->HasTarget());
    EXPECT_GE(m->GetPosition().y, 2.0f * world.half);
    EXPECT_LT(m->GetPosition().y, 2.0f * world.half + step + 1e-3f);
    ctrl->Update(kCombatDt);
    EXPECT_TRUE(ctrl->PlayerMissiles().empty());
}

TEST_F(MissileFlight, SmallestAimAngleWinsAndAnEqualOneDoesNotReplaceIt)
{
    const float d = 8.0f;
    const float t10 = std::tan(10.0f * kDegToRad), t5 = std::tan(5.0f * kDegToRad);
    AddPlane(Vec3(t10 * d, 20 + d, 3));
    AddPlane(Vec3(-t10 * d, 20 + d, 3));              // same y, same angle, after the first
    CEnemy* best = AddPlane(Vec3(t5 * (d + 2), 20 + d + 2, 3));  // later in the list, smaller angle
    Window(20.0f);
    CMissle* m = ctrl->FirePlayerMissile(Vec3(0, 20, 3), Vec3(0, 1, 0), 0.0f, 5, 2.0f);
    ctrl->Update(kCombatDt);
    ASSERT_TRUE(m->HasTarget());
    EXPECT_EQ(static_cast<CMisslePlayerAA*>(m)->TargetPoint(), best->AimPoint());
    EXPECT_GT(m->Velocity().x, 0.0f);
}

TEST_F(MissileFlight, EqualAnglesKeepTheEarlierEnemy)
{
    const float d = 8.0f, t = std::tan(10.0f * kDegToRad);
    CEnemy* first = AddPlane(Vec3(t * d, 28, 3));
    AddPlane(Vec3(-t * d, 28, 3));
    Window(20.0f);
    CMissle* m = ctrl->FirePlayerMissile(Vec3(0, 20, 3), Vec3(0, 1, 0), 0.0f, 5, 2.0f);
    ctrl->Update(kCombatDt);
    ASSERT_TRUE(m->HasTarget());
    EXPECT_EQ(static_cast<CMisslePlayerAA*>(m)->TargetPoint(), first->AimPoint());
}

TEST_F(MissileFlight, LockConeAndDistance)
{
    CMisslePlayerAA m(&world, &fx, &game, 5, 1.0f);
    m.Launch(Vec3(0, 0, 3), Vec3(0, 1, 0), 0.0f);
    EXPECT_FLOAT_EQ(m.AimAngle(Vec3(0, 10, 3)), 0.0f);
    EXPECT_FLOAT_EQ(m.AimAngle(Vec3(10, 10, 3)), 180.0f);  // 45 degrees aside
    EXPECT_FLOAT_EQ(m.AimAngle(Vec3(0, -10, 3)), 180.0f);  // behind
    EXPECT_FLOAT_EQ(m.AimAngle(Vec3(0, 2.0f * world.half, 3)), 180.0f);  // beyond the lock distance
    // Far below, within the side cone: the full angle counts.
    EXPECT_NEAR(m.AimAngle(Vec3(0, 5, -2)), 45.0f, 1e-3f);
}

TEST_F(MissileFlight, AHitDamagesAndKillsTheEnemyAndScores)
{
    CEnemy* plane = AddPlane(Vec3(0, 24, 3));
    Window(20.0f);
    ctrl->FirePlayerMissile(Vec3(0, 20, 3.075f), Vec3(0, 1, 0), 0.0f, 5, 2.0f);
    for (int i = 0; i < 10 && plane->IsAlive(); ++i)
        ctrl->Update(kCombatDt);
    EXPECT_TRUE(plane->IsDying());
    EXPECT_FLOAT_EQ(plane->Health(), -1.0f);
    EXPECT_EQ(game.scoreLevel, game.m_score_plane);
    ctrl->Update(kCombatDt);
    EXPECT_TRUE(ctrl->PlayerMissiles().empty());
}

TEST_F(MissileFlight, TorpedoNeverLocksFallsAndRunsOnTheWater)
{
    auto boat = std::make_unique<CEnemyBoat>(&level, &fx);
    boat->SetWorld(&world);
    boat->SetKind(0);
    boat->Place(Vec3(1.5f, 40, 0));  // well inside a missile's lock cone
    level.Enemies()->AddEnemy(std::move(boat));
    Window(20.0f);
    CMissle* t = ctrl->FirePlayerTorpedo(Vec3(0.09f, 20, 3), Vec3(0, 0.19f, 0), 0.0f, 3.0f);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->Kind(), 3);
    EXPECT_FLOAT_EQ(t->AimAngle(Vec3(0, 25, 0.5f)), 180.0f);
    auto* torpedo = static_cast<CTorpedoPlayer*>(t);
    int n = 0;
    while (!torpedo->IsRunning() && !t->IsExploding() && n++ < 500) {
        ctrl->Update(kCombatDt);
        EXPECT_FALSE(t->HasTarget());
    }
    ASSERT_TRUE(torpedo->IsRunning());
    EXPECT_FLOAT_EQ(t->GetPosition().z, world.water);
    EXPECT_NEAR(t->Speed(), 0.19f * 1.2f, 1e-5f);
    ctrl->Update(kCombatDt);
    EXPECT_NE(fx.Wake(t->EffectId()), nullptr);
    EXPECT_FALSE(t->HasTarget());
}

TEST_F(MissileFlight, EnemyMissilesPassThroughARoll)
{
    game.m_missile_aa_damage = 3.0f;
    player->SetHull(5.0f);
    player->SetState(CPlayer::Maneuver);
    ctrl->FireHelicopterMissile(Vec3(0, 19.7f, 3.0375f), 0.0f, 3.0f);
    ctrl->Update(kCombatDt);
    EXPECT_FLOAT_EQ(player->Hull(), 5.0f);
    EXPECT_EQ(ctrl->EnemyMissiles().size(), 1u);
}

TEST_F(MissileFlight, HullFiveTakesThreeThenTheSecondHitShootsItDown)
{
    player->SetHull(5.0f);
    ctrl->FireHelicopterMissile(Vec3(0, 19.7f, 3.0375f), 0.0f, 3.0f);
    ctrl->Update(kCombatDt);
    EXPECT_FLOAT_EQ(player->Hull(), 2.0f);
    EXPECT_EQ(player->GetState(), CPlayer::Flying);
    ctrl->FireHelicopterMissile(Vec3(0, 19.7f, 3.0375f), 0.0f, 3.0f);
    ctrl->Update(kCombatDt);
    EXPECT_FLOAT_EQ(player->Hull(), 0.0f);
    EXPECT_EQ(player->GetState(), CPlayer::ShotDown);
}

TEST_F(MissileFlight, FlakHurtsOnlyWhileItsPointIsInsideTheBox)
{
    world.flying = 10.0f;  // no burst on the way
    // Passing beside the box: no harm.
    ctrl->FireBoatFlak(Vec3(0.6f, 20, 2.0f), Vec3(0, 0, 1), 0.5f);
    for (int i = 0; i < 4; ++i)
        ctrl->Update(kCombatDt);
    EXPECT_FLOAT_EQ(player->Hull(), player->HullMax());
    // Through the box: hurt once, and the shell is spent.
    ctrl->FireBoatFlak(Vec3(0.2f, 20, 2.6f), Vec3(0, 0, 1), 0.5f);
    for (int i = 0; i < 4; ++i)
        ctrl->Update(kCombatDt);
    EXPECT_FLOAT_EQ(player->Hull(), player->HullMax() - 0.5f);
    EXPECT_EQ(fx.Flak()->Particles().size(), 1u);
    // A burst shell hurts nobody, even inside the box.
    CMissleBoat1Flak burst(&world, &fx, &game, 0.5f, 0.0f);
    burst.Launch(player->Position(), Vec3(0, 0, 1), 0.0f);
    EXPECT_TRUE(burst.Hits(*player));
    burst.Explode();
    EXPECT_FALSE(burst.Hits(*player));
    EXPECT_EQ(fx.Flak()->Particles().size(), 2u);
}

TEST_F(MissileFlight, RisingMissilesLevelAtTheFlyingHeight)
{
    world.groundAt = [](float x, float) { return x > 3.0f ? 1.0f : -2.0f; };
    ctrl->FireSiteMissile(Vec3(5, 40, 1.3f), Vec3(0, -1, 0.5f), 180.0f, 2.0f, 0.0f);
    ctrl->FireBoatMissile(Vec3(-5, 40, 0.6f), Vec3(0, -1, 0), 2.0f);
    std::vector<CMissleEnemyAA*> ms;
    for (const auto& m : ctrl->EnemyMissiles())
        ms.push_back(static_cast<CMissleEnemyAA*>(m.get()));
    for (int i = 0; i < 200 && !(ms[0]->IsLevelled() && ms[1]->IsLevelled()); ++i)
        for (CMissleEnemyAA* m : ms)
            m->Update(kCombatDt);
    for (CMissleEnemyAA* m : ms) {
        EXPECT_TRUE(m->IsLevelled());
        EXPECT_FALSE(m->IsExploding());
        EXPECT_NEAR(m->GetPosition().z, world.flying, 1e-4f);
        EXPECT_FLOAT_EQ(m->Velocity().z, 0.0f);
        EXPECT_LT(m->Velocity().y, -0.99f);
    }
}

// A tall climb flattens out well short of the flying height; levelled, the missile still flies
// at that height and strikes an aircraft as thin as the forged ones flying there.
TEST_F(MissileFlight, RisingMissilesHitAThinAircraftAtTheFlyingHeight)
{
    world.flying = 4.0f;
    world.half = 40.0f;  // room for the long climb
    player->SetSize(1.0f, 2.0f, 0.108f);
    for (int launcher = 0; launcher < 2; ++launcher) {
        player->SetHull(player->HullMax());
        player->SetPosition(30.0f, 0.0f, world.flying);  // out of the way during the climb
        CMissle* m = launcher == 0 ? ctrl->FireBoatMissile(Vec3(0, 60, 0.6f), Vec3(0, -1, 0), 2.0f)
                                   : ctrl->FireSiteMissile(Vec3(0, 60, 0.6f), Vec3(0, -1, 0.5f), 180.0f, 2.0f, 0.0f);
        ASSERT_NE(m, nullptr);
        auto* rising = static_cast<CMissleEnemyAA*>(m);
        for (int i = 0; i < 300 && !rising->IsLevelled() && !m->IsExploding(); ++i)
            ctrl->Update(kCombatDt);
        ASSERT_TRUE(rising->IsLevelled()) << launcher;
        ASSERT_FALSE(m->IsExploding()) << launcher;
        EXPECT_NEAR(m->GetPosition().z, world.flying, 1e-4f) << launcher;
        // Waiting on its line a little ahead.
        player->SetPosition(m->GetPosition().x, m->GetPosition().y - 3.0f, world.flying);
        for (int i = 0; i < 20 && !ctrl->EnemyMissiles().empty(); ++i)
            ctrl->Update(kCombatDt);
        EXPECT_FLOAT_EQ(player->Hull(), player->HullMax() - 2.0f) << launcher;
        EXPECT_TRUE(ctrl->EnemyMissiles().empty()) << launcher;
    }
}

}  // namespace
