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
    // Along a site's turret: raised 30 degrees, turned by the heading.
    static Vec3 Turret(float heading)
    {
        Vec3 d(0, 1, 0);
        d.RotateX(30.0f);
        d.RotateZ(heading);
        return d;
    }

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
    ctrl->FireSiteMissile(Vec3(5, 40, 1.3f), Turret(180.0f), 180.0f, 2.0f, 20.0f);
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

// A site's missile leaves along its turret, raised 30 degrees, and pitches over as it climbs:
// the sine of its pitch is 0.5 − 0.5 × (z − z0) / (flying height − z0), it levels only once that
// pitch is below 2 degrees, at the flying height, and flies on at twice its speed.
TEST_F(MissileFlight, SiteMissileLeavesAlongTheTurretAndFlattensAsItClimbs)
{
    world.flying = 4.0f;
    world.half = 40.0f;
    player->SetPosition(30.0f, 0.0f, world.flying);  // out of the way
    const Vec3 turret = Turret(180.0f);
    CMissle* m = ctrl->FireSiteMissile(Vec3(0, 60, 0.6f), turret, 180.0f, 2.0f, 0.0f);
    ASSERT_NE(m, nullptr);
    auto* rising = static_cast<CMissleEnemyAA*>(m);
    EXPECT_NEAR(m->Velocity().z, 0.5f, 1e-5f);
    EXPECT_NEAR(m->Velocity().y, -std::cos(30.0f * kDegToRad), 1e-5f);
    const float z0 = m->GetPosition().z, speed = m->Speed();
    int climbing = 0;
    for (int i = 0; i < 500 && !rising->IsLevelled(); ++i) {
        const float f = (m->GetPosition().z - z0) / (world.flying - z0);
        const float pitch = std::asin(0.5f - 0.5f * f) / kDegToRad;
        m->Update(kCombatDt);
        if (rising->IsLevelled()) {
            EXPECT_LT(pitch, 2.0f) << "levelled early at step " << i;
            break;
        }
        ++climbing;
        EXPECT_GE(pitch, 2.0f) << "still climbing below 2 degrees at step " << i;
        EXPECT_NEAR(m->m_angle_x, pitch, 1e-3f) << i;
        EXPECT_NEAR(m->Velocity().z, std::sin(pitch * kDegToRad), 1e-4f) << i;
        EXPECT_NEAR(m->Velocity().x, 0.0f, 1e-5f) << i;
        EXPECT_LT(m->Velocity().y, 0.0f) << i;
    }
    EXPECT_GT(climbing, 10);
    ASSERT_TRUE(rising->IsLevelled());
    EXPECT_FALSE(m->IsExploding());
    EXPECT_NEAR(m->GetPosition().z, world.flying, 1e-4f);
    EXPECT_FLOAT_EQ(m->Velocity().z, 0.0f);
    EXPECT_FLOAT_EQ(m->Speed(), 2.0f * speed);

    // From a turret above the flying height it comes down to it and levels at once.
    CMissle* high = ctrl->FireSiteMissile(Vec3(0, 60, world.flying + 1.0f), turret, 180.0f, 2.0f, 0.0f);
    ASSERT_NE(high, nullptr);
    high->Update(kCombatDt);
    EXPECT_TRUE(static_cast<CMissleEnemyAA*>(high)->IsLevelled());
    EXPECT_NEAR(high->GetPosition().z, world.flying, 1e-4f);
    EXPECT_FLOAT_EQ(high->m_angle_x, 0.0f);
}

// A site names its missile and flak ranges, lengths of the level file scaled like the rest; a
// site naming none gives its missiles half the valley width and its shells the bound, two valley
// widths, which no shot ever flies beyond.
TEST_F(MissileFlight, SiteShotsFlyTheSiteRangesScaledWithinTheBound)
{
    world.half = 20.0f;
    world.scale = 2.0f;
    const float bound = 80.0f;
    auto missile = [&](float range) {
        CMissle* m = ctrl->FireSiteMissile(Vec3(0, 60, 0.6f), Turret(180.0f), 180.0f, 2.0f, range);
        return m ? m->Range() : -1.0f;
    };
    auto flak = [&](float range) {
        CMissle* m = ctrl->FireSiteFlak(Vec3(0, 60, 0.6f), Vec3(0, -1, 0), 1.0f, range);
        return m ? m->Range() : -1.0f;
    };
    EXPECT_FLOAT_EQ(missile(15.0f), 30.0f);
    EXPECT_FLOAT_EQ(missile(5.0f), 10.0f);
    EXPECT_FLOAT_EQ(missile(40.0f), bound);
    EXPECT_FLOAT_EQ(missile(40.5f), bound);
    EXPECT_FLOAT_EQ(missile(1e30f), bound);
    for (float none : {0.0f, -5.0f, std::nanf(""), INFINITY})
        EXPECT_FLOAT_EQ(missile(none), world.half) << none;
    EXPECT_FLOAT_EQ(flak(12.0f), 24.0f);
    EXPECT_FLOAT_EQ(flak(41.0f), bound);
    for (float none : {0.0f, -5.0f, std::nanf(""), INFINITY})
        EXPECT_FLOAT_EQ(flak(none), bound) << none;
    EXPECT_FLOAT_EQ(ctrl->FireBoatFlak(Vec3(0, 60, 0.6f), Vec3(0, 0, 1), 1.0f)->Range(), bound);
}

// A level shell below its burst height bursts at the end of its range, not before and not never.
TEST_F(MissileFlight, LevelFlakBurstsAtTheEndOfItsRange)
{
    player->SetPosition(30.0f, 0.0f, world.flying);  // out of the way
    for (float range : {10.0f, 0.0f}) {
        CMissle* s = ctrl->FireSiteFlak(Vec3(0, 60, 2.0f), Vec3(0, -1, 0), 1.0f, range);
        ASSERT_NE(s, nullptr);
        const float expected = range > 0.0f ? range : 4.0f * world.half;
        const Vec3 start = s->GetPosition();
        const float step = s->Speed() * kCombatDt;
        ASSERT_GT(step, 0.0f);
        int i = 0;
        for (; i < 5000 && !s->IsExploding(); ++i)
            s->Update(kCombatDt);
        ASSERT_TRUE(s->IsExploding()) << range;
        const float flown = start.y - s->GetPosition().y;
        EXPECT_GE(flown, expected - 1e-3f) << range;
        EXPECT_LT(flown, expected + step) << range;
        EXPECT_FLOAT_EQ(s->GetPosition().z, start.z) << range;
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
                                   : ctrl->FireSiteMissile(Vec3(0, 60, 0.6f), Turret(180.0f), 180.0f, 2.0f, 0.0f);
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
