// The enemy kinds and targets over a test battle world: movement rules, firing, dying, scoring,
// and the mends of bad enemy-file values.
#include "CombatTestWorld.h"
#include "PartsModel.h"

#include "game/LevelScreens.h"
#include "player/Missle.h"
#include "player/MissleCtrl.h"
#include "player/MissleEnemy.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"
#include "world/EnemiesCtrl.h"
#include "world/EnemyAAD.h"
#include "world/EnemyBarrels.h"
#include "world/EnemyBoat.h"
#include "world/EnemyBuilding.h"
#include "world/EnemyHelicopter.h"
#include "world/EnemyKinds.h"
#include "world/EnemyPlane.h"
#include "world/Fuel.h"
#include "world/Level.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

class EnemyKinds : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::srand(7);
        TuneCombat(game);
        game.m_particles[kParticleFireSrc].Parse("m_size 0.5 m_dist 0.1 m_kind FRAMES m_frames_count 8", true);
        effects.SetGame(&game);
        effects.SetWorld(&world);
        world.ground = -2.0f;
    }

    template <class T>
    std::unique_ptr<T> Make(const std::string& keys = "")
    {
        auto e = std::make_unique<T>(&level, &effects);
        e->SetWorld(&world);
        e->SetMissileCtrl(&missiles);
        ParamFile f;
        f.Parse(keys, true);
        e->ReadKeys(f, 0);
        return e;
    }

    size_t EnemyShots() const { return missiles.EnemyMissiles().size(); }

    GameData game;
    CombatTestModels models{game};
    CombatTestWorld world;
    CLevel level{&game, nullptr, false};
    CAtmosphericCtpl effects;
    CMissleCtrl missiles{&world, nullptr, nullptr, &effects, &game};
};

TEST_F(EnemyKinds, PlaneCrossingTheSideReappearsMirroredWithItsHeading)
{
    auto right = Make<CEnemyPlane>("m_sp0 1 m_spx0 1 m_az0 270 m_lpx0 21.95 m_lpy0 10");
    const float x0 = right->GetPosition().x;
    right->Update(1.0f);
    EXPECT_LT(right->GetPosition().x, -22.0f);
    EXPECT_NEAR(right->GetPosition().x, -(x0 + right->Direction().x), 1e-4f);
    EXPECT_FLOAT_EQ(right->Heading(), 270.0f);
    // Moving left at the same spot it keeps going.
    auto left = Make<CEnemyPlane>("m_sp0 1 m_spx0 -1 m_az0 90 m_lpx0 21.95 m_lpy0 10");
    left->Update(1.0f);
    EXPECT_GT(left->GetPosition().x, 20.0f);
}

TEST_F(EnemyKinds, PlaneWithAZeroDirectionFliesAlongItsHeading)
{
    auto p = Make<CEnemyPlane>("m_sp0 0.1 m_az0 90 m_lpy0 10");
    EXPECT_NEAR(p->Direction().x, -1.0f, 1e-5f);
    EXPECT_NEAR(p->Direction().y, 0.0f, 1e-5f);
    const Vec3 before = p->GetPosition();
    p->Update(kCombatDt);
    EXPECT_LT(p->GetPosition().x, before.x);
    EXPECT_TRUE(std::isfinite(p->GetPosition().z));
}

TEST_F(EnemyKinds, ShadowLiesTurnedOnTheGroundUnderThePlane)
{
    world.groundAt = [](float x, float) { return -2.0f + 0.1f * x; };
    auto p = Make<CEnemyPlane>("m_sp0 0.001 m_az0 90 m_lpx0 1 m_lpy0 10");
    p->Update(kCombatDt);
    const Vec3 c = p->GetPosition();
    // The 1 x 1 plane's grid corner (-0.5, -0.5) from the centre, turned by 90 degrees.
    const Vec3& v = p->Shadow().Vertex(0, 0);
    EXPECT_NEAR(v.x, c.x + 0.5f, 1e-4f);
    EXPECT_NEAR(v.y, c.y - 0.5f, 1e-4f);
    EXPECT_NEAR(v.z, world.GroundHeight(v.x, v.y) + 0.03f, 1e-5f);
    EXPECT_TRUE(p->Shadow().IsVisible());
    // Above the terrain's top the shadow is not shown.
    world.hmax = c.z - 1.0f;
    p->Update(kCombatDt);
    EXPECT_FALSE(p->Shadow().IsVisible());
}

TEST_F(EnemyKinds, PlaneKillScoresOnceAndAStillPlaneCrashesAtOnce)
{
    auto p = Make<CEnemyPlane>("m_sp0 0 m_lpy0 10");
    EXPECT_FALSE(p->IsMoving());
    p->Kill(nullptr);
    p->Kill(nullptr);
    EXPECT_EQ(game.scoreLevel, 80);
    EXPECT_EQ(game.killCounts[0], 1);
    EXPECT_FALSE(p->Shadow().IsVisible());
    EXPECT_TRUE(p->IsDying());
    p->Update(kCombatDt);
    EXPECT_TRUE(p->IsFinished());
    EXPECT_GT(effects.ExplosionSparks()->Particles().size(), 0u);
}

TEST_F(EnemyKinds, FallingPlaneCrashesIntoTheWater)
{
    auto p = Make<CEnemyPlane>("m_sp0 0.1 m_spy0 1 m_lpy0 10");
    p->Kill(nullptr);
    int updates = 0;
    while (!p->IsFinished() && updates < 5000) {
        p->Update(kCombatDt);
        ++updates;
    }
    EXPECT_TRUE(p->IsFinished());
    EXPECT_LE(p->GetPosition().z, world.water + 0.5f);
    EXPECT_GT(updates, 1);
}

TEST_F(EnemyKinds, ParkedHelicopterNeverMovesFiresOrTurnsItsRotor)
{
    auto h = Make<CEnemyHelicopter>("m_is_fly0 0 m_sp0 0.2 m_spx0 1 m_shoot0 1 m_lpy0 10");
    const Vec3 at = h->GetPosition();
    EXPECT_FLOAT_EQ(at.z, std::max(world.ground, world.water) + 0.2f + 0.1f);
    for (int i = 0; i < 400; ++i)
        h->Update(kCombatDt);
    EXPECT_EQ(h->GetPosition(), at);
    EXPECT_EQ(EnemyShots(), 0u);
    EXPECT_FLOAT_EQ(h->RotorAngle(), 0.0f);
    // Killed, it finishes at its next update and pays like a flying one.
    h->Kill(nullptr);
    h->Update(kCombatDt);
    EXPECT_TRUE(h->IsFinished());
    EXPECT_EQ(game.scoreLevel, 100);
    EXPECT_EQ(game.killCounts[1], 1);
}

TEST_F(EnemyKinds, FlyingHelicopterFiresOnlyWhenItShoots)
{
    auto quiet = Make<CEnemyHelicopter>("m_sp0 0.01 m_spx0 1 m_az0 270 m_shoot0 0 m_lpy0 10");
    auto shooter = Make<CEnemyHelicopter>("m_sp0 0.01 m_spx0 1 m_az0 270 m_shoot0 1 m_lpy0 10");
    EXPECT_FLOAT_EQ(shooter->GetPosition().z, world.flying);  // over the water
    for (int i = 0; i < 1200; ++i)
        quiet->Update(kCombatDt);
    EXPECT_EQ(EnemyShots(), 0u);
    for (int i = 0; i < 1200; ++i)
        shooter->Update(kCombatDt);
    EXPECT_GE(EnemyShots(), 2u);
    EXPECT_GT(shooter->RotorAngle(), 0.0f);
}

TEST_F(EnemyKinds, HelicopterTurnsBackAtTheSideAndOverLand)
{
    auto h = Make<CEnemyHelicopter>("m_sp0 0.1 m_spx0 1 m_az0 270 m_lpx0 17.4 m_lpy0 10");
    h->Update(kCombatDt);  // past 7/8 of the half width: a turn starts
    EXPECT_NE(h->TurnState(), 0);
    int n = 0;
    while (h->TurnState() != 0 && n++ < 1000)
        h->Update(kCombatDt);
    EXPECT_LT(h->Direction().x, 0.0f);
    EXPECT_NEAR(std::fabs(h->Heading() - 270.0f), 180.0f, 1e-3f);
    // Over water it turns when it reaches land.
    world.groundAt = [](float x, float) { return x > 2.0f ? 1.0f : -2.0f; };
    auto w = Make<CEnemyHelicopter>("m_sp0 0.1 m_spx0 1 m_az0 270 m_lpx0 1.9 m_lpy0 10");
    w->Update(kCombatDt);
    EXPECT_NE(w->TurnState(), 0);
}

TEST_F(EnemyKinds, BoatTurnsAtShallowsAndNotAgainUntilDeepWater)
{
    world.groundAt = [](float, float y) { return y > 30.0f ? 1.0f : -2.0f; };
    auto b = Make<CEnemyBoat>("m_sp0 0.1 m_spy0 1 m_lpy0 20");
    int n = 0;
    while (b->TurnState() == 0 && n++ < 1000)
        b->Update(kCombatDt);
    ASSERT_NE(b->TurnState(), 0);
    EXPECT_LT(b->GetPosition().y + b->ScaledLength(), 30.0f + 1.0f);
    while (b->TurnState() != 0 && n++ < 3000)
        b->Update(kCombatDt);
    EXPECT_LT(b->Direction().y, 0.0f);
    EXPECT_TRUE(b->LastTurn());
    // Shallows all round: it stays and does not turn again.
    world.groundAt = [](float, float) { return 1.0f; };
    const Vec3 at = b->GetPosition();
    for (int i = 0; i < 50; ++i)
        b->Update(kCombatDt);
    EXPECT_EQ(b->TurnState(), 0);
    EXPECT_EQ(b->GetPosition(), at);
    // Deep water again: it drives on and may turn at the next shallows.
    world.groundAt = nullptr;
    b->Update(kCombatDt);
    EXPECT_FALSE(b->LastTurn());
    EXPECT_LT(b->GetPosition().y, at.y);
}

TEST_F(EnemyKinds, BoatHitWithHealthLeftBurnsAtTheNearestPoint)
{
    auto b = Make<CEnemyBoat>("m_lpy0 20");
    // Scale 1, fire size 0.5: spacing 1/8, points at 0.25, 0.125, 0, -0.125 along the boat.
    ASSERT_EQ(b->BurningPointCount(), 4u);
    EXPECT_FLOAT_EQ(b->Health(), 10.0f);
    const Vec3 hit = b->GetPosition() + Vec3(0.0f, -0.13f, 0.0f);
    b->Damage(2.0f);
    b->Kill(&hit);
    EXPECT_TRUE(b->IsAlive());
    EXPECT_TRUE(b->IsBurning());
    EXPECT_TRUE(b->PointBurns(3));
    EXPECT_FALSE(b->PointBurns(2));
    // The same spot again sets the next nearest point that is not yet burning.
    b->Damage(2.0f);
    b->Kill(&hit);
    EXPECT_TRUE(b->PointBurns(2));
    EXPECT_EQ(game.scoreLevel, 0);
    b->Update(kCombatDt);
    EXPECT_NE(effects.Keyed(b->EffectId() + 1 + 3), nullptr);
    // The killing hit sinks it.
    b->Damage(10.0f);
    b->Kill(&hit);
    EXPECT_TRUE(b->IsDying());
    EXPECT_EQ(game.killCounts[2], 1);
    EXPECT_GE(b->SinkingSound(), 31);
    EXPECT_LE(b->SinkingSound(), 33);
    int n = 0;
    while (!b->IsFinished() && n++ < 100000)
        b->Update(kCombatDt);
    EXPECT_TRUE(b->IsFinished());
    EXPECT_LT(b->GetPosition().z, world.water - b->ScaledUp());
}

TEST_F(EnemyKinds, BoatsPayByScaleRoundedAndCountOneEach)
{
    models.boat.SetScale(1.6f);
    auto big = Make<CEnemyBoat>("m_lpy0 20");
    EXPECT_FLOAT_EQ(big->Health(), 16.0f);
    big->Damage(100.0f);
    big->Kill(nullptr);
    EXPECT_EQ(game.scoreLevel, 120);
    EXPECT_EQ(game.killCounts[2], 1);
    models.boat.SetScale(0.4f);
    auto small = Make<CEnemyBoat>("m_lpy0 20");
    small->Damage(100.0f);
    small->Kill(nullptr);
    EXPECT_EQ(game.scoreLevel, 120);
    EXPECT_EQ(game.killCounts[2], 2);
}

TEST_F(EnemyKinds, TheTallyCountsKillsWhileTheTotalShowsWhatWasPaid)
{
    Make<CEnemyPlane>("m_lpy0 10")->Kill(nullptr);
    models.boat.SetScale(1.6f);
    auto big = Make<CEnemyBoat>("m_lpy0 20");
    big->Damage(100.0f);
    big->Kill(nullptr);
    models.boat.SetScale(0.4f);
    auto small = Make<CEnemyBoat>("m_lpy0 20");
    small->Damage(100.0f);
    small->Kill(nullptr);
    Make<CEnemyBarrels>("m_lpy0 30")->Kill(nullptr);
    Make<CEnemyAAD>("m_lpy0 30")->Kill(nullptr);
    game.scoreGame = 1000;
    const auto lines = CCompleteLevelScreen::TallyLines(game, 0);
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0], "  1 x   80 =      80");
    EXPECT_EQ(lines[1], "  2 x   60 =     120");
    EXPECT_EQ(lines[2], "  0 x  100 =       0");
    EXPECT_EQ(lines[3], "  1 x   50 =      50");
    // Paid: 80 + 60 × 2 + 60 × 0 + 50 = 250; the site paid nothing.
    EXPECT_EQ(lines[5], "Level Total      250   -  Lives Add   0");
    EXPECT_EQ(lines[6], "Game Total      1000");
}

TEST_F(EnemyKinds, BoatTooSmallForBurningPointsGetsOneAndSinksWithExplosions)
{
    models.boat.SetScale(0.4f);
    auto b = Make<CEnemyBoat>("m_lpy0 20");
    ASSERT_EQ(b->BurningPointCount(), 1u);
    EXPECT_EQ(b->BurningPoint(0), Vec3(0, 0, 0));
    b->Damage(100.0f);
    b->Kill(nullptr);
    EXPECT_TRUE(b->PointBurns(0));
    for (int i = 0; i < 400 && !b->IsFinished(); ++i)
        b->Update(kCombatDt);
    EXPECT_TRUE(b->IsFinished());
    // A fire size of 0 cannot space points either.
    b->BuildBurningPoints(0.0f);
    EXPECT_EQ(b->BurningPointCount(), 1u);
}

TEST_F(EnemyKinds, SurfacingBoatIsSilentUntilItFloats)
{
    auto b = Make<CEnemyBoat>("m_kind0 2 m_floating_up0 1 m_shoot_status0 3 m_fire_pt0 3 m_sp0 0.05 m_spy0 1 m_lpy0 20");
    ASSERT_TRUE(b->IsSurfacing());
    EXPECT_FLOAT_EQ(b->GetPosition().z, world.ground + 0.1f);
    EXPECT_FLOAT_EQ(b->Direction().z, 0.12f);
    int n = 0;
    while (b->IsSurfacing() && n++ < 10000) {
        EXPECT_EQ(EnemyShots(), 0u);
        b->Update(kCombatDt);
    }
    ASSERT_FALSE(b->IsSurfacing());
    EXPECT_FLOAT_EQ(b->GetPosition().z, world.water + 0.1f - 0.025f);
    EXPECT_FLOAT_EQ(b->Direction().z, 0.0f);
    // Its missile timer was cleared as it floated: the first missile leaves at once.
    EXPECT_EQ(EnemyShots(), 1u);
    // A boat other than kinds 2 and 5 ignores the surfacing key.
    auto plain = Make<CEnemyBoat>("m_kind0 1 m_floating_up0 1 m_lpy0 20");
    EXPECT_FALSE(plain->IsSurfacing());
}

TEST_F(EnemyKinds, BoatFlakFromEveryFiringPoint)
{
    auto b = Make<CEnemyBoat>("m_shoot_status0 2 m_fire_pt0 3 m_lpy0 20");
    for (int i = 0; i < 130 && EnemyShots() == 0; ++i)
        b->Update(kCombatDt);
    // Two to four shells from each of three points.
    EXPECT_GE(EnemyShots(), 6u);
    EXPECT_LE(EnemyShots(), 12u);
}

TEST_F(EnemyKinds, SiteFiresAlongItsTurretAndPaysNothing)
{
    auto s = Make<CEnemyAAD>("m_shoot_status0 1 m_az0 180 m_distance_rocket0 35 m_lpy0 20");
    EXPECT_FLOAT_EQ(s->TurretHeading(), 180.0f);
    EXPECT_FLOAT_EQ(s->Heading(), 0.0f);
    EXPECT_FLOAT_EQ(s->GetPosition().z, world.ground + 0.25f);
    for (int i = 0; i < 80; ++i)
        s->Update(kCombatDt);
    ASSERT_EQ(EnemyShots(), 1u);
    s->Kill(nullptr);
    EXPECT_EQ(game.scoreLevel, 0);
    for (int k : game.killCounts)
        EXPECT_EQ(k, 0);
    EXPECT_FALSE(effects.Explosions()->Particles().empty());
    s->Update(kCombatDt);
    EXPECT_TRUE(s->IsFinished());
}

// Missiles leave along the turret, raised 30 degrees and turned by its heading, from the turret;
// flak leaves level, turned about z only by the heading spread over −5 … +4 degrees. Each
// weapon carries the site's own range.
TEST_F(EnemyKinds, SiteMissilesLeaveAlongTheRaisedTurretAndFlakLevel)
{
    world.half = 30.0f;
    auto s = Make<CEnemyAAD>("m_shoot_status0 3 m_az0 150 m_distance_rocket0 35 m_distance_flak0 25 m_lpy0 20");
    EXPECT_FLOAT_EQ(s->TurretPitch(), 30.0f);
    int rockets = 0, shells = 0;
    for (int i = 0; i < 2000; ++i) {
        s->Update(kCombatDt);
        for (const auto& m : missiles.EnemyMissiles()) {
            if (m->Life() != 0 || m->Range() <= 0.0f)
                continue;
            const Vec3 v = m->Velocity();
            const float heading = std::atan2(-v.x, v.y) / kDegToRad;
            if (dynamic_cast<const CMissleAAD1AA*>(m.get())) {
                ++rockets;
                EXPECT_NEAR(v.z, 0.5f, 1e-5f);
                EXPECT_NEAR(heading, 150.0f, 1e-3f);
                EXPECT_FLOAT_EQ(m->m_angle_z, 150.0f);
                EXPECT_FLOAT_EQ(m->Range(), 35.0f);
                const Vec3 from = s->TurretPoint();
                EXPECT_FLOAT_EQ(m->GetPosition().x, from.x);
                EXPECT_FLOAT_EQ(m->GetPosition().y, from.y);
                EXPECT_GT(m->GetPosition().z, from.z);
            } else {
                ++shells;
                EXPECT_FLOAT_EQ(v.z, 0.0f);
                EXPECT_GE(heading, 145.0f - 1e-3f);
                EXPECT_LE(heading, 154.0f + 1e-3f);
                EXPECT_FLOAT_EQ(m->Range(), 25.0f);
            }
            m->Explode();   // counted once
        }
    }
    // A timer fires once it falls below 0 and restarts: a missile every 150 time units (the
    // first after 150), a shell every 70 after the first at 100; in whole updates.
    const int missileEvery = static_cast<int>(150.0f / kCombatDt) + 1;
    const int firstShell = static_cast<int>(100.0f / kCombatDt) + 1, shellEvery = static_cast<int>(70.0f / kCombatDt) + 1;
    EXPECT_EQ(rockets, 2000 / missileEvery);
    EXPECT_EQ(shells, 1 + (2000 - firstShell) / shellEvery);
}

TEST_F(EnemyKinds, SecondKillsOfBuildingsAndBarrelsChangeNothing)
{
    auto house = Make<CEnemyBuilding>("m_kind0 4 m_lpy0 20");
    EXPECT_EQ(house->ScoreCode(), 504);
    house->Kill(nullptr);
    house->Kill(nullptr);
    EXPECT_TRUE(house->IsBurning());
    auto stack = Make<CEnemyBarrels>("m_kind0 2 m_lpy0 25");
    stack->Kill(nullptr);
    const Vec3 d = stack->Direction();
    stack->Kill(nullptr);
    EXPECT_EQ(stack->Direction(), d);
    EXPECT_EQ(game.scoreLevel, 100);
    EXPECT_EQ(game.killCounts[3], 2);
    // The building burns for good; the barrels jump, fall and finish below the ground.
    float top = stack->GetPosition().z;
    for (int i = 0; i < 2000 && !stack->IsFinished(); ++i) {
        house->Update(kCombatDt);
        stack->Update(kCombatDt);
        top = std::max(top, stack->GetPosition().z);
    }
    EXPECT_TRUE(stack->IsFinished());
    EXPECT_GT(top, world.ground + 0.5f);
    EXPECT_FALSE(house->IsFinished());
    EXPECT_NE(effects.Keyed(house->EffectId()), nullptr);
}

// A barrel stack of three barrels (the parts model at scale 2), read through a disk group.
class EnemyKindsWithParts : public EnemyKinds {
protected:
    void SetUp() override
    {
        EnemyKinds::SetUp();
        m_dir = std::filesystem::temp_directory_path() / ("gw_enemy_parts_" + std::to_string(getpid()));
        ASSERT_TRUE(parts_model::Load(parts, m_group, m_dir, 2.0f));
        for (int k = 0; k < GameData::kMaxBarrels; ++k)
            game.m_e_barrels[k] = &parts;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    ResourceGroup m_group{"enemy_parts"};
    CUnit parts;
    std::filesystem::path m_dir;
};

TEST_F(EnemyKindsWithParts, PartOffsetIsTheModelOffsetTimesTheScaleTurnedByTheHeading)
{
    const float out = parts_model::kOffset * 2.0f;
    struct Case {
        float heading;
        Vec3 want[3];
    };
    const Case cases[] = {
        {0.0f, {Vec3(out, 0, 0), Vec3(0, out, 0), Vec3(0, 0, out)}},
        {90.0f, {Vec3(0, out, 0), Vec3(-out, 0, 0), Vec3(0, 0, out)}},
        {210.0f, {Vec3(-out * 0.8660254f, -out * 0.5f, 0), Vec3(out * 0.5f, -out * 0.8660254f, 0), Vec3(0, 0, out)}},
    };
    for (const Case& c : cases) {
        auto stack = Make<CEnemyBarrels>("m_az0 " + std::to_string(c.heading) + " m_lpx0 3 m_lpy0 25");
        ASSERT_EQ(stack->ChildCount(), 3u);
        EXPECT_FLOAT_EQ(stack->GetScale(), 2.0f);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR((stack->PartOffset(i) - c.want[i]).Length(), 0.0f, 1e-5f) << c.heading << " part " << i;
            // The parts keep the model's scale of 1: drawing gives them the stack's, once.
            EXPECT_FLOAT_EQ(stack->Child(i)->GetScale(), 1.0f);
        }
        EXPECT_EQ(stack->PartOffset(3), Vec3(0, 0, 0));
    }
}

TEST_F(EnemyKindsWithParts, ExplodingBarrelsFlyUpAndOutToEitherSide)
{
    // Over many stacks every barrel leaves at the explosion speed (or stays, when all three
    // random factors came out 0), never downwards, and sideways both ways along x and y.
    int left = 0, right = 0, back = 0, ahead = 0, up = 0;
    for (int n = 0; n < 60; ++n) {
        auto stack = Make<CEnemyBarrels>("m_lpy0 25");
        stack->Kill(nullptr);
        ASSERT_EQ(stack->PartCount(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            const Vec3 v = stack->PartVelocity(i);
            const float len = v.Length();
            if (len == 0.0f)
                continue;
            EXPECT_NEAR(len, game.m_barrels_expl_speed, 1e-5f);
            EXPECT_GE(v.z, 0.0f);
            left += v.x < 0.0f;
            right += v.x > 0.0f;
            back += v.y < 0.0f;
            ahead += v.y > 0.0f;
            up += v.z > 0.0f;
        }
    }
    EXPECT_GT(left, 10);
    EXPECT_GT(right, 10);
    EXPECT_GT(back, 10);
    EXPECT_GT(ahead, 10);
    EXPECT_GT(up, 150);
}

TEST_F(EnemyKinds, BuildingStandsOnTheHigherOfGroundAndWater)
{
    auto house = Make<CEnemyBuilding>("m_lpy0 20");
    const float h = 1.2f;  // size 0.6 × scale 2
    EXPECT_FLOAT_EQ(house->GetPosition().z, world.water + h / 2.0f + h / 15.0f);
}

TEST_F(EnemyKinds, DepotHangsAtFlyingHeightTakenOrShot)
{
    auto taken = Make<CFuel>("m_lpx0 1 m_lpy0 20 m_lpz0 9");
    EXPECT_FLOAT_EQ(taken->GetPosition().z, world.flying);
    EXPECT_EQ(taken->ScoreCode(), 0);
    taken->Update(10.0f);
    EXPECT_FLOAT_EQ(taken->Heading(), 10.0f);
    taken->Take();
    taken->Update(kCombatDt);
    EXPECT_TRUE(taken->IsFinished());
    EXPECT_TRUE(effects.FireSources()->Particles().empty());
    auto shot = Make<CFuel>("m_lpy0 30");
    shot->Kill(nullptr);
    EXPECT_EQ(effects.FireSources()->Particles().size(), 1u);
    EXPECT_EQ(game.scoreLevel, 0);
    shot->Update(kCombatDt);
    EXPECT_TRUE(shot->IsFinished());
}

TEST_F(EnemyKinds, KindsOutOfRangeAreClampedToAModel)
{
    auto plane = Make<CEnemyPlane>("m_kind0 9");
    EXPECT_EQ(plane->Kind(), 3);
    EXPECT_EQ(plane->ScoreCode(), 103);
    auto heli = Make<CEnemyHelicopter>("m_kind0 -4");
    EXPECT_EQ(heli->Kind(), 0);
    auto boat = Make<CEnemyBoat>("m_kind0 5 m_floating_up0 1");
    EXPECT_EQ(boat->Kind(), 3);
    auto site = Make<CEnemyAAD>("m_kind0 2");
    EXPECT_EQ(site->ScoreCode(), 401);
    auto house = Make<CEnemyBuilding>("m_kind0 6");
    EXPECT_EQ(house->ScoreCode(), 505);
    auto stack = Make<CEnemyBarrels>("m_kind0 2147483647");
    EXPECT_EQ(stack->ScoreCode(), 602);
}

TEST_F(EnemyKinds, TheModelSwitchKeepsPoseAndRotationOrder)
{
    auto b = Make<CEnemyBoat>("m_az0 90 m_lpx0 1 m_lpy0 20");
    const Vec3 at = b->GetPosition();
    b->ApplyKind();
    EXPECT_EQ(b->GetPosition(), at);
    EXPECT_FLOAT_EQ(b->Heading(), 90.0f);
    // Only the heading turns the hull's box: a roll while sinking does not tilt it.
    EXPECT_EQ(std::string(b->m_rotation_order, 3), "zAA");
    auto p = Make<CEnemyPlane>("m_kind0 2");
    EXPECT_EQ(std::string(p->m_rotation_order, 3), "zxA");
}

TEST_F(EnemyKinds, NonFiniteAndHugeValuesAreMended)
{
    auto p = Make<CEnemyPlane>("m_sp0 nan m_spx0 inf m_az0 nan m_lpx0 nan m_lpy0 1e30 m_lpz0 -inf");
    EXPECT_FLOAT_EQ(p->Speed(), 0.0f);
    EXPECT_FLOAT_EQ(p->Heading(), 0.0f);
    EXPECT_FLOAT_EQ(p->GetPosition().x, 0.0f);
    EXPECT_FLOAT_EQ(p->GetPosition().y, CEnemyKind::kMaxCoordinate);
    EXPECT_EQ(p->Direction(), Vec3(0, 1, 0));
    for (int i = 0; i < 10; ++i)
        p->Update(kCombatDt);
    EXPECT_TRUE(std::isfinite(p->GetPosition().z));
    auto b = Make<CEnemyBoat>("m_sp0 1e30 m_spx0 0 m_spy0 0 m_fire_pt0 -5 m_shoot_status0 3");
    EXPECT_FLOAT_EQ(b->Speed(), CEnemyKind::kMaxSpeed);
    for (int i = 0; i < 300; ++i)
        b->Update(kCombatDt);
    EXPECT_TRUE(std::isfinite(b->GetPosition().x));
    EXPECT_GT(EnemyShots(), 0u);
}

TEST_F(EnemyKinds, KeysWrittenBackReadTheSame)
{
    auto h = Make<CEnemyHelicopter>("m_kind0 1 m_is_fly0 0 m_sp0 0.5 m_spx0 1 m_az0 90 m_lpx0 3 m_lpy0 40 m_shoot0 1");
    ParamFile f;
    h->WriteKeys(f, 7);
    EXPECT_EQ(f.GetString("name7", ""), "EnemyHelic1");
    auto again = std::make_unique<CEnemyHelicopter>(&level, &effects);
    again->SetWorld(&world);
    again->ReadKeys(f, 7);
    EXPECT_EQ(again->Kind(), 1);
    EXPECT_FALSE(again->IsFlying());
    EXPECT_FLOAT_EQ(again->Speed(), 0.5f);
    EXPECT_EQ(again->GetPosition(), h->GetPosition());
}

TEST_F(EnemyKinds, TheSevenNamesCreateTheirClassesAndOthersNothing)
{
    ASSERT_TRUE(RegisterEnemyKinds());
    ParamFile f;
    f.Parse("enemies_count 9 name0 EnemyPlane1 name1 EnemyBoat1 name2 EnemyHelic1 name3 EnemyAAD1 name4 Fuel "
            "name5 EnemyBuilding name6 EnemyBarrels name7 Tank name8 enemyplane1",
            true);
    CEnemiesCtrl c(&level, &effects);
    EXPECT_EQ(c.ReadEnemies(f), 7);
    int codes[7] = {};
    for (const auto& e : c.Enemies())
        codes[std::min(e->ScoreCode() / 100, 6)] += 1;
    for (int k : codes)
        EXPECT_EQ(k, 1);
    UnregisterEnemyKinds();
    EXPECT_FALSE(CEnemiesCtrl::HasKind("EnemyBoat1"));
}

}  // namespace
