// Particle descriptions, particle systems (motion, ageing, removal by kind) and the battle
// effects' emitters (trail filling, keyed and one-shot emitters, explosions, splashes).
#include "CombatTestWorld.h"

#include "render/Entity.h"
#include "render/ParticleSystem.h"
#include "resources/ParamFile.h"
#include "world/AtmosphericCtpl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

CParticle Parse(const std::string& text)
{
    ParamFile f;
    f.Parse(text, true);
    return ReadParticle(f, "test");
}

TEST(ParticleFile, DefaultsAndKinds)
{
    const CParticle none = Parse("");
    EXPECT_EQ(none.kind, 1);
    EXPECT_EQ(none.frameCount, 1);
    EXPECT_FLOAT_EQ(none.a, 0.0f);
    const CParticle full = Parse("m_frames_count 8 m_frames_speed 0.05 m_speed.z 0.01 m_speed_val 0.02 "
                                 "m_color.x 1 m_color.w 0.9 m_size 0.4 m_dsize 0.003 m_dalpha 0.01 m_dist 0.1 "
                                 "m_kind FRAMES");
    EXPECT_EQ(full.kind, 2);
    EXPECT_EQ(full.frameCount, 8);
    EXPECT_FLOAT_EQ(full.velocity.z, 0.01f);
    EXPECT_FLOAT_EQ(full.speed, 0.02f);
    EXPECT_FLOAT_EQ(full.a, 0.9f);
    EXPECT_FLOAT_EQ(full.dist, 0.1f);
    EXPECT_EQ(Parse("m_kind alpha").kind, 2);  // only the exact word gives kind 1
}

TEST(ParticleFile, BrokenValuesAreMended)
{
    const CParticle p = Parse("m_frames_count 0 m_frames_speed -1 m_dalpha -0.5 m_dist -2 m_size nan");
    EXPECT_EQ(p.frameCount, 1);
    EXPECT_FLOAT_EQ(p.frameSpeed, 0.0f);
    EXPECT_FLOAT_EQ(p.dalpha, 0.0f);
    EXPECT_FLOAT_EQ(p.dist, 0.0f);
    EXPECT_FLOAT_EQ(p.size, 0.0f);
    EXPECT_EQ(Parse("m_frames_count -7").frameCount, 1);
    // A system over such a prototype neither divides by zero nor keeps frame particles for ever.
    CParticleSystem s(Parse("m_frames_count 0 m_kind FRAMES m_color.w 1"), nullptr, 0.0f);
    s.Emit(s.Make());
    s.Update(1.0f);
    EXPECT_TRUE(s.Empty());
}

TEST(ParticleSystem, RemovalFollowsTheKind)
{
    // A one-frame frame particle dies at its first update.
    CParticleSystem oneFrame(Parse("m_kind FRAMES m_color.w 1"), nullptr, 0.0f);
    oneFrame.Emit(oneFrame.Make());
    oneFrame.Update(0.001f);
    EXPECT_TRUE(oneFrame.Empty());
    // An alpha particle without opacity loss lives on.
    CParticleSystem forever(Parse("m_color.w 0.5"), nullptr, 0.0f);
    forever.Emit(forever.Make());
    for (int i = 0; i < 1000; ++i)
        forever.Update(10.0f);
    EXPECT_EQ(forever.Particles().size(), 1u);
    // An alpha particle goes when it becomes transparent.
    CParticleSystem fading(Parse("m_color.w 0.5 m_dalpha 0.1"), nullptr, 0.0f);
    fading.Emit(fading.Make());
    fading.Update(4.0f);
    ASSERT_EQ(fading.Particles().size(), 1u);
    EXPECT_NEAR(fading.Particles()[0].a, 0.1f, 1e-5f);
    fading.Update(1.0f);
    EXPECT_TRUE(fading.Empty());
    // A frame particle that faded out is held barely visible until its last frame.
    CParticleSystem frames(Parse("m_kind FRAMES m_frames_count 4 m_frames_speed 1 m_color.w 0.5 m_dalpha 1"), nullptr,
                           0.0f);
    frames.Emit(frames.Make());
    frames.EmitGlow(frames.Make());
    frames.Update(1.5f);
    ASSERT_EQ(frames.Particles().size(), 1u);
    EXPECT_EQ(frames.Particles()[0].frame, 1);
    EXPECT_FLOAT_EQ(frames.Particles()[0].a, 0.005f);
    EXPECT_EQ(frames.Glow().size(), 1u);
    frames.Update(1.5f);
    EXPECT_TRUE(frames.Empty());
}

TEST(ParticleSystem, MotionGravityOncePerUpdateAndGrowth)
{
    CParticleSystem s(Parse("m_color.w 1 m_speed.x 0.5 m_dsize 0.25 m_size 1"), nullptr, 0.1f);
    s.Emit(s.Make());
    s.Update(2.0f);
    const CParticle& p = s.Particles()[0];
    EXPECT_FLOAT_EQ(p.velocity.z, -0.1f);  // not scaled by the step
    EXPECT_FLOAT_EQ(p.position.x, 1.0f);
    EXPECT_FLOAT_EQ(p.position.z, -0.2f);
    EXPECT_FLOAT_EQ(p.size, 1.5f);
}

TEST(ParticleSystem, ListsAreBounded)
{
    CParticleSystem s(Parse("m_color.w 1"), nullptr, 0.0f);
    for (size_t i = 0; i < CParticleSystem::kMaxParticles + 10; ++i)
        s.Emit(s.Make());
    EXPECT_EQ(s.Particles().size(), CParticleSystem::kMaxParticles);
}

class Effects : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::srand(3);
        game.m_gravity = 0.0f;
        game.m_particles[kParticleFireSrc].Parse("m_dist 0.1 m_color.w 1 m_dalpha 0.01", true);
        game.m_particles[kParticleFireBoat].Parse("m_dist 0.2 m_color.w 1 m_dalpha 0.5", true);
        game.m_particles[kParticleMissile].Parse("m_dist 0 m_color.w 1", true);
        game.m_particles[kParticleExplode].Parse("m_kind FRAMES m_frames_count 8 m_frames_speed 0.05 m_size 1 "
                                                 "m_speed.z 0.004 m_speed_val 0.004 m_color.w 1",
                                                 true);
        game.m_particles[kParticleExplodeSm].Parse("m_kind FRAMES m_frames_count 8 m_frames_speed 0.07 m_size 0.5 "
                                                   "m_speed_val 0.02 m_color.w 1",
                                                   true);
        game.m_particles[kParticleEWater].Parse("m_speed_val 0.006 m_color.w 0.9 m_dalpha 0.3 m_size 0.4", true);
        game.m_particles[kParticleWaterTail].Parse("m_dist 0.12 m_speed_val 0.003 m_color.w 0.7 m_dalpha 0.008", true);
        fx.SetGame(&game);
        fx.SetWorld(&world);
    }
    GameData game;
    CombatTestWorld world;
    CAtmosphericCtpl fx;
};

TEST_F(Effects, TrailsFillByDistance)
{
    fx.EmitFire(40, Vec3(0, 0, 1));
    ASSERT_EQ(fx.Keyed(40)->Particles().size(), 1u);
    // 0.35 at a spacing of 0.1: three particles at equal steps.
    fx.EmitFire(40, Vec3(0, 0.35f, 1));
    const auto& ps = fx.Keyed(40)->Particles();
    ASSERT_EQ(ps.size(), 4u);
    EXPECT_NEAR(ps[1].position.y, 0.35f / 3.0f, 1e-5f);
    EXPECT_NEAR(ps[3].position.y, 0.35f, 1e-5f);
    // Less than one spacing away: nothing.
    fx.EmitFire(40, Vec3(0, 0.4f, 1));
    EXPECT_EQ(fx.Keyed(40)->Particles().size(), 4u);
    // A jump across the valley is filled with a bounded number.
    fx.EmitFire(40, Vec3(0, 1000.0f, 1));
    EXPECT_EQ(fx.Keyed(40)->Particles().size(), 4u + CAtmosphericCtpl::kMaxTrailFill);
    // A spacing of 0 never fills (no division by zero); its emitter restarts when empty.
    fx.EmitMissileTrail(60, Vec3(0, 0, 1));
    fx.EmitMissileTrail(60, Vec3(0, 5, 1));
    EXPECT_EQ(fx.Keyed(60)->Particles().size(), 1u);
}

TEST_F(Effects, KeyedEmittersOutliveTheirSourceUntilEmpty)
{
    fx.EmitBoatFire(80, Vec3(1, 2, 3));
    fx.EmitFire(100, Vec3(1, 2, 3));
    EXPECT_EQ(fx.KeyedCount(), 2u);
    // The key belongs to the first operation that used it.
    fx.EmitFire(80, Vec3(1, 2.5f, 3));
    EXPECT_FLOAT_EQ(fx.Keyed(80)->Prototype().dist, 0.2f);
    fx.Update(1.0f);  // the boat fire loses 0.5 opacity per unit: still there
    EXPECT_EQ(fx.KeyedCount(), 2u);
    fx.Update(1.0f);
    EXPECT_EQ(fx.KeyedCount(), 1u);
    EXPECT_EQ(fx.Keyed(80), nullptr);
}

TEST_F(Effects, ExplosionsSplashesAndCrashes)
{
    fx.SpawnExplosion(Vec3(0, 10, 2), 2.0f);
    EXPECT_EQ(fx.Explosions()->Particles().size(), 3u);
    EXPECT_EQ(fx.ExplosionSparks()->Particles().size(), 13u);
    // Camera-facing fireballs and sparks only: nothing flat in the glow lists.
    EXPECT_TRUE(fx.Explosions()->Glow().empty());
    EXPECT_TRUE(fx.ExplosionSparks()->Glow().empty());
    EXPECT_EQ(fx.ParticleCount(), 16u);
    EXPECT_FLOAT_EQ(fx.Explosions()->Particles()[0].size, 2.0f);
    EXPECT_FLOAT_EQ(fx.ExplosionSparks()->Particles()[12].size, 1.0f);
    // Each fireball is faster than the one before, by 1.2.
    const auto& big = fx.Explosions()->Particles();
    EXPECT_NEAR(big[1].velocity.Length() / big[0].velocity.Length(), 1.2f, 1e-3f);
    fx.SpawnWaterSplash(Vec3(0, 10, 0.5f), 1.0f);
    ASSERT_EQ(fx.OneShotCount(), 1u);
    EXPECT_EQ(fx.OneShots().front()->Particles().size(), 34u);
    for (int i = 0; i < 5; ++i)
        fx.Update(1.0f);
    EXPECT_EQ(fx.OneShotCount(), 0u);
    // A splash's size reaches its speeds only: its drops keep the size of their description,
    // for a large splash and a small one alike.
    for (float s : {3.0f, 0.05f}) {
        fx.SpawnWaterSplash(Vec3(0, 10, 0.5f), s);
        const auto& drops = fx.OneShots().back()->Particles();
        ASSERT_EQ(drops.size(), 34u);
        float fastest = 0.0f;
        for (const CParticle& p : drops) {
            EXPECT_FLOAT_EQ(p.size, 0.4f) << s;
            fastest = std::max(fastest, p.velocity.Length());
        }
        EXPECT_LE(fastest, 0.006f * 3.4f * s * 1.0001f);
        EXPECT_GT(fastest, 0.006f * 0.8f * s);
    }
    for (int i = 0; i < 5; ++i)
        fx.Update(1.0f);

    CEntity wreck;
    wreck.SetScale(1.5f);
    wreck.SetPosition(0, 20, world.water - 0.1f);
    fx.CrashEffect(wreck);
    EXPECT_EQ(fx.OneShotCount(), 1u);
    wreck.SetPosition(0, 20, world.water + 1.0f);
    fx.CrashEffect(wreck);
    EXPECT_EQ(fx.OneShotCount(), 1u);
}

TEST_F(Effects, WakesSpreadBackwardsAndContrailsOnlyInARoll)
{
    fx.EmitWake(7, Vec3(0, 0, 0.5f));
    ASSERT_NE(fx.Wake(7), nullptr);
    const size_t column = fx.Wake(7)->Particles().size();
    EXPECT_GT(column, 1u);
    EXPECT_FLOAT_EQ(fx.Wake(7)->Particles()[0].position.z, 0.51f);
    fx.EmitWake(7, Vec3(0, 1.2f, 0.5f));
    const auto& ps = fx.Wake(7)->Particles();
    ASSERT_EQ(ps.size(), column + 10);
    // Each new particle leaves along (rand() mod 6 − 3, −3 or −6, 0) normalised: a unit
    // vector, backwards, level, at most 45 degrees to the side.
    for (size_t i = column; i < ps.size(); ++i) {
        const Vec3& v = ps[i].velocity;
        EXPECT_NEAR(v.Length(), 1.0f, 1e-5f);
        EXPECT_LT(v.y, 0.0f);
        EXPECT_FLOAT_EQ(v.z, 0.0f);
        EXPECT_LE(std::fabs(v.x), -v.y + 1e-6f);
    }

    fx.EmitContrails(Vec3(-1, 0, 3), Vec3(1, 0, 3), false);
    EXPECT_TRUE(fx.Contrail(0)->Empty());
    fx.EmitContrails(Vec3(-1, 0, 3), Vec3(1, 0, 3), true);
    EXPECT_EQ(fx.Contrail(1)->Particles().size(), 1u);
}

TEST(EffectsWithoutGame, EmitNothing)
{
    CAtmosphericCtpl fx;
    fx.EmitFire(1, Vec3());
    fx.SpawnExplosion(Vec3(), 1.0f);
    fx.SpawnWaterSplash(Vec3(), 1.0f);
    fx.Update(1.0f);
    EXPECT_EQ(fx.ParticleCount(), 0u);
    EXPECT_FALSE(fx.HasPrototypes());
}

}  // namespace
