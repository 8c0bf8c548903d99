// CPlayer: the speed approach, the maneuver roll, both fire paths, fuel and hull, the ground
// crash, the start run and the run-out, flown through the same control queries a person uses.
#include "FlightTestWorld.h"
#include "input/InputDevices.h"
#include "player/Player.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float kDt = 16.666666f * 0.13f;

class PlayerFlight : public ::testing::Test {
protected:
    void SetUp() override
    {
        TuneForTests(game);
        input.SetViewSize(800, 600);
        input.SetKeyboardValid(true);
        input.SetCursor(400, 300);
        input.SetFrozen(true);
    }

    std::unique_ptr<CPlayer> Make(int aircraft, CPlayer::State state = CPlayer::Flying)
    {
        auto p = std::make_unique<CPlayer>(&game, &world, nullptr);
        p->SetInput(&input);
        p->SelectAircraft(aircraft);
        p->SetSize(1.0f, 1.0f, 0.3f);
        p->SetPosition(0.0f, 20.0f, world.flying);
        if (state != CPlayer::Start)
            p->SetState(state);
        return p;
    }

    void Hold(int key, bool down = true) { input.SetKey(key, down); }

    GameData game;
    FlightTestWorld world;
    InputDevices input;
};

}  // namespace

TEST_F(PlayerFlight, ReleasingTheBrakeRestoresNormalSpeedInTheSameFrame)
{
    auto p = Make(0);
    p->SetVelocity({0, p->SpeedMin(), 0});
    p->Update(kDt);
    EXPECT_FLOAT_EQ(p->Velocity().y, p->SpeedNormal());
}

TEST_F(PlayerFlight, ReleasingTheThrottleSlowsByTheSpeedDownFactorPerFrame)
{
    auto p = Make(0);
    p->SetVelocity({0, p->SpeedMax(), 0});
    p->Update(kDt);
    EXPECT_FLOAT_EQ(p->Velocity().y, p->SpeedMax() * 0.993f);
    for (int i = 0; i < 500; ++i)
        p->Update(kDt);
    EXPECT_FLOAT_EQ(p->Velocity().y, p->SpeedNormal()) << "never below normal";
}

TEST_F(PlayerFlight, SpeedApproachIsOncePerFrameWhateverTheStep)
{
    Hold(game.m_up_key);
    auto a = Make(1);
    auto b = Make(1);
    a->Update(kDt);
    b->Update(kDt * 5.0f);
    EXPECT_FLOAT_EQ(a->Velocity().y, b->Velocity().y);
    // One approach step from normal speed with the F/A-18's acceleration factor.
    EXPECT_FLOAT_EQ(a->Velocity().y, a->SpeedNormal() + (a->SpeedMax() - a->SpeedNormal()) * 0.026f);
}

TEST_F(PlayerFlight, BrakeApproachesMinimumSpeed)
{
    Hold(game.m_down_key);
    auto p = Make(0);
    for (int i = 0; i < 1000; ++i)
        p->Update(kDt);
    EXPECT_NEAR(p->Velocity().y, p->SpeedMin(), 1e-4f);
    EXPECT_EQ(p->GetState(), CPlayer::Flying);
}

TEST_F(PlayerFlight, ManeuverForcesFullThrottleAndStartsOnlyAboveNormalSpeed)
{
    Hold(game.m_maneuver_key);
    auto slow = Make(0);
    slow->SetVelocity({0, slow->SpeedMin(), 0});
    // No side input: full throttle, but no roll.
    slow->Update(kDt);
    EXPECT_GT(slow->Velocity().y, slow->SpeedMin());
    EXPECT_EQ(slow->GetState(), CPlayer::Flying);
    Hold(game.m_right_key);
    slow->SetVelocity({0, slow->SpeedMin(), 0});
    slow->Update(kDt);
    EXPECT_EQ(slow->GetState(), CPlayer::Flying) << "below normal speed";

    auto fast = Make(0);
    fast->Update(kDt);  // from normal speed the forced throttle lifts it above normal at once
    EXPECT_EQ(fast->GetState(), CPlayer::Maneuver);
    EXPECT_EQ(fast->ManeuverDir(), 1);
}

TEST_F(PlayerFlight, ManeuverRespectsTheRollLimitAgainstTheInputSide)
{
    Hold(game.m_maneuver_key);
    Hold(game.m_left_key);
    auto banked = Make(0);
    banked->SetVelocity({0, banked->SpeedMax(), 0});
    banked->SetRoll(30.0f);  // banked right, input left
    banked->Update(kDt);
    EXPECT_EQ(banked->GetState(), CPlayer::Flying);

    auto level = Make(0);
    level->SetVelocity({0, level->SpeedMax(), 0});
    level->SetRoll(10.0f);
    level->Update(kDt);
    EXPECT_EQ(level->GetState(), CPlayer::Maneuver);
    EXPECT_EQ(level->ManeuverDir(), -1);
}

TEST_F(PlayerFlight, AFullRollComesBackToFlyingOneTurnLater)
{
    Hold(game.m_maneuver_key);
    Hold(game.m_right_key);
    auto p = Make(0);
    p->SetVelocity({0, p->SpeedMax(), 0});
    p->Update(kDt);
    ASSERT_EQ(p->GetState(), CPlayer::Maneuver);
    Hold(game.m_maneuver_key, false);
    Hold(game.m_right_key, false);
    float maxLift = 0.0f;
    const float x0 = p->Position().x;
    int frames = 0;
    while (p->GetState() == CPlayer::Maneuver && frames < 1000) {
        p->Update(kDt);
        maxLift = std::max(maxLift, p->ManeuverLift());
        ++frames;
    }
    EXPECT_EQ(p->GetState(), CPlayer::Flying);
    EXPECT_GT(frames, 20);
    EXPECT_LT(frames, 200);
    EXPECT_GT(maxLift, 0.5f);
    EXPECT_GT(p->Position().x, x0 + 1.0f) << "rolled to the right";
    EXPECT_LT(std::fabs(p->Roll()), 30.0f) << "one turn taken off";
}

TEST_F(PlayerFlight, TheHelicopterNeverRolls)
{
    Hold(game.m_maneuver_key);
    Hold(game.m_left_key);
    auto p = Make(2);
    EXPECT_TRUE(p->IsHelicopter());
    p->SetVelocity({0, p->SpeedMax(), 0});
    for (int i = 0; i < 50; ++i) {
        p->Update(kDt);
        ASSERT_NE(p->GetState(), CPlayer::Maneuver);
    }
}

TEST_F(PlayerFlight, PrimaryShotsAlternateSidesStartingNegative)
{
    Hold(game.m_fire_primary_key);
    auto p = Make(0);
    const float d = std::fabs(p->MissileDist());
    std::vector<float> xs;
    int last = 0;
    for (int i = 0; i < 200 && xs.size() < 4; ++i) {
        const float x = p->Position().x;
        p->Update(kDt);
        if (p->ShotCount() != last) {
            last = p->ShotCount();
            xs.push_back(p->LastShot().start.x - x);
            EXPECT_EQ(p->LastShot().kind, 5);
            EXPECT_FLOAT_EQ(p->LastShot().damage, 3.0f);
        }
    }
    ASSERT_EQ(xs.size(), 4u);
    EXPECT_FLOAT_EQ(xs[0], -d);
    EXPECT_FLOAT_EQ(xs[1], d);
    EXPECT_FLOAT_EQ(xs[2], -d);
    EXPECT_FLOAT_EQ(xs[3], d);
}

TEST_F(PlayerFlight, PrimaryCoolsDownForItsPause)
{
    Hold(game.m_fire_primary_key);
    auto p = Make(0);
    p->Update(kDt);
    EXPECT_EQ(p->ShotCount(), 1);
    int frames = 0;
    while (p->ShotCount() == 1 && frames < 100) {
        p->Update(kDt);
        ++frames;
    }
    // A pause of 40 units is about 18 frames of 2.17.
    EXPECT_GE(frames, 18);
    EXPECT_LE(frames, 20);
}

TEST_F(PlayerFlight, HelicopterWeaponsAndTheJetTorpedo)
{
    Hold(game.m_fire_primary_key);
    auto heli = Make(2);
    heli->Update(kDt);
    EXPECT_EQ(heli->LastShot().kind, 2);
    EXPECT_FLOAT_EQ(heli->LastShot().damage, 2.0f);
    Hold(game.m_fire_primary_key, false);
    Hold(game.m_fire_secondary_key);
    heli->Update(kDt);
    EXPECT_EQ(heli->LastShot().kind, 6);
    EXPECT_FALSE(heli->LastShot().torpedo);

    auto jet = Make(1);
    jet->Update(kDt);
    EXPECT_TRUE(jet->LastShot().torpedo);
    EXPECT_FLOAT_EQ(jet->LastShot().damage, 4.0f);
    EXPECT_GT(jet->LastShot().velocity.y, 0.0f) << "launched with the aircraft's velocity";
}

TEST_F(PlayerFlight, NoSecondaryFireDuringARoll)
{
    Hold(game.m_maneuver_key);
    Hold(game.m_right_key);
    auto p = Make(0);
    p->SetVelocity({0, p->SpeedMax(), 0});
    p->Update(kDt);
    ASSERT_EQ(p->GetState(), CPlayer::Maneuver);
    const int before = p->ShotCount();
    Hold(game.m_fire_secondary_key);
    for (int i = 0; i < 10 && p->GetState() == CPlayer::Maneuver; ++i)
        p->Update(kDt);
    EXPECT_EQ(p->ShotCount(), before);
    // The primary still fires, as kind 5 from above the aircraft.
    Hold(game.m_fire_secondary_key, false);
    Hold(game.m_fire_primary_key);
    p->Update(kDt);
    ASSERT_EQ(p->GetState(), CPlayer::Maneuver);
    EXPECT_EQ(p->ShotCount(), before + 1);
    EXPECT_EQ(p->LastShot().kind, 5);
    EXPECT_GE(p->LastShot().start.z, p->Position().z);
}

TEST_F(PlayerFlight, ASecondaryPressInARollCostsItsPauseAndSideWithoutALaunch)
{
    Hold(game.m_maneuver_key);
    Hold(game.m_right_key);
    auto p = Make(0);
    p->SetVelocity({0, p->SpeedMax(), 0});
    p->Update(kDt);
    ASSERT_EQ(p->GetState(), CPlayer::Maneuver);
    Hold(game.m_maneuver_key, false);
    Hold(game.m_right_key, false);
    const float side = p->TorpedoDist();
    ASSERT_GT(side, 0.0f);

    // Pressed in the roll and held: nothing leaves, the side flips once, and the pause of 150
    // units (about 69 frames) runs from the press, past the end of the roll.
    Hold(game.m_fire_secondary_key);
    p->Update(kDt);
    EXPECT_EQ(p->ShotCount(), 0);
    EXPECT_FLOAT_EQ(p->TorpedoDist(), -side);
    int frames = 1, rollEnd = 0;
    float x = 0.0f;
    while (p->ShotCount() == 0 && frames < 300) {
        x = p->Position().x;
        p->Update(kDt);
        ++frames;
        if (!rollEnd && p->GetState() != CPlayer::Maneuver)
            rollEnd = frames;
        if (p->GetState() == CPlayer::Maneuver) {
            EXPECT_FLOAT_EQ(p->TorpedoDist(), -side) << "cooling: no second flip in the roll";
        }
    }
    ASSERT_GT(rollEnd, 0);
    EXPECT_LT(rollEnd, 69) << "the roll ends before the pause";
    EXPECT_GE(frames, 69);
    EXPECT_LE(frames, 71);
    ASSERT_EQ(p->ShotCount(), 1);
    EXPECT_TRUE(p->LastShot().torpedo);
    EXPECT_NEAR(p->LastShot().start.x - x, side, 1e-5f)
        << "the first torpedo after the roll leaves from the other side";
}

TEST_F(PlayerFlight, EmptyTankWithAFullHullIsShotDownThenDead)
{
    auto p = Make(0);
    p->SetFuel(1.0f);
    p->Update(kDt);
    EXPECT_EQ(p->GetState(), CPlayer::ShotDown);
    EXPECT_FLOAT_EQ(p->Hull(), 0.0f);
    EXPECT_FALSE(p->Shadow().IsVisible());
    int frames = 0;
    while (p->GetState() == CPlayer::ShotDown && frames < 5000) {
        p->Update(kDt);
        ++frames;
    }
    EXPECT_EQ(p->GetState(), CPlayer::Dead);
    EXPECT_LT(p->Position().z, world.water);
    EXPECT_LT(p->Pitch(), 0.0f) << "the nose drops while it falls";
}

TEST_F(PlayerFlight, AGroundHitKillsWithAFullHull)
{
    auto p = Make(0);
    ASSERT_FLOAT_EQ(p->HullPercent(), 100.0f);
    world.ground = world.flying;  // the ground at the aircraft's centre
    p->Update(kDt);
    EXPECT_EQ(p->GetState(), CPlayer::ShotDown);
    EXPECT_FLOAT_EQ(p->Hull(), 0.0f);

    world.ground = 0.0f;
    auto safe = Make(0);
    for (int i = 0; i < 100; ++i)
        safe->Update(kDt);
    EXPECT_EQ(safe->GetState(), CPlayer::Flying);
}

TEST_F(PlayerFlight, SteeringIntoAValleyWallCrashes)
{
    world.groundAt = [](float x, float) { return x > 6.0f ? 10.0f : 0.0f; };
    Hold(game.m_right_key);
    auto p = Make(0);
    int frames = 0;
    while (p->GetState() == CPlayer::Flying && frames < 2000) {
        p->Update(kDt);
        ++frames;
    }
    EXPECT_EQ(p->GetState(), CPlayer::ShotDown);
    EXPECT_GT(p->Position().x, 5.0f);
    EXPECT_GT(p->Roll(), 0.0f) << "the right input banks positive";
}

TEST_F(PlayerFlight, AReturnToLevelShorterThanTheStepLevelsTheBankInsteadOfSwingingItWider)
{
    // A tuning file's 0.001 against a step of about 2: the bank comes back to level at once, it
    // does not overshoot by a thousand times and grow to infinity.
    game.m_plane_k_side_rotate_back[0] = 0.001f;
    auto p = Make(0);
    Hold(game.m_right_key);
    for (int i = 0; i < 5; ++i)
        p->Update(kDt);
    Hold(game.m_right_key, false);
    for (int i = 0; i < 40; ++i) {
        p->Update(kDt);
        ASSERT_TRUE(std::isfinite(p->Roll())) << "frame " << i;
        ASSERT_TRUE(std::isfinite(p->Position().x)) << "frame " << i;
    }
    EXPECT_EQ(p->Roll(), 0.0f);
}

TEST_F(PlayerFlight, HostileApproachFactorsKeepBankAndSpeedBetweenTheirLimits)
{
    // Factors far above one step's whole way (or below nothing) take the whole way or none of it:
    // bank and speed never pass their targets, so they cannot swing wider frame by frame.
    game.m_plane_k_side_rotate[0] = 1000.0f;
    game.m_plane_k_acceleration[0] = 50.0f;
    game.m_plane_k_deceleration[0] = -3.0f;
    game.m_plane_k_speed_down[0] = 1.5f;
    auto p = Make(0);
    const float maxBank = game.m_plane_angle_max_side[0];
    Hold(game.m_right_key);
    Hold(game.m_up_key);
    for (int i = 0; i < 30; ++i) {
        p->Update(kDt);
        ASSERT_LE(std::fabs(p->Roll()), maxBank + 1e-3f) << "frame " << i;
        ASSERT_LE(p->Velocity().y, p->SpeedMax() * 1.0001f) << "frame " << i;
    }
    EXPECT_GT(p->Roll(), 0.9f * maxBank) << "the whole way to the input's bank, less the return to level";
    EXPECT_FLOAT_EQ(p->Velocity().y, p->SpeedMax());
    Hold(game.m_up_key, false);
    Hold(game.m_down_key);
    for (int i = 0; i < 30; ++i)
        p->Update(kDt);
    EXPECT_FLOAT_EQ(p->Velocity().y, p->SpeedMax()) << "a negative brake factor does nothing";
    Hold(game.m_down_key, false);
    for (int i = 0; i < 30; ++i) {
        p->Update(kDt);
        ASSERT_TRUE(std::isfinite(p->Position().y)) << "frame " << i;
        ASSERT_LE(p->Velocity().y, p->SpeedMax() * 1.0001f) << "frame " << i;
    }
}

TEST_F(PlayerFlight, HitsLowerTheHullAndTheSecondEmptiesIt)
{
    auto p = Make(0);
    p->SetHull(5.0f);
    p->Damage(3.0f);
    p->Kill();
    EXPECT_FLOAT_EQ(p->Hull(), 2.0f);
    EXPECT_EQ(p->GetState(), CPlayer::Flying);
    p->Damage(3.0f);
    p->Kill();
    EXPECT_FLOAT_EQ(p->Hull(), 0.0f);
    EXPECT_EQ(p->GetState(), CPlayer::ShotDown);
    EXPECT_FLOAT_EQ(p->HullPercent(), 0.0f);
}

TEST_F(PlayerFlight, FuelBurnsAndDepotsCapAtAFullTank)
{
    auto p = Make(0);
    for (int i = 0; i < 100; ++i)
        p->Update(kDt);
    EXPECT_NEAR(p->Fuel(), 100.0f - 100 * kDt * 0.011f, 1e-3f);
    p->AddFuel(25.0f);
    EXPECT_FLOAT_EQ(p->Fuel(), 100.0f);
    // A faster level (k_scale 2) burns half per unit of time.
    world.scale = 2.0f;
    auto q = Make(0);
    q->Update(kDt);
    EXPECT_NEAR(q->Fuel(), 100.0f - kDt * 0.011f / 2.0f, 1e-4f);
    EXPECT_FLOAT_EQ(q->SpeedNormal(), 0.38f);
}

TEST_F(PlayerFlight, StartRunThenRunOutToTheFinish)
{
    auto p = Make(0, CPlayer::Start);
    p->SetPosition(0.0f, 7.0f, world.flying);
    Hold(game.m_left_key);
    int frames = 0;
    while (p->GetState() == CPlayer::Start && frames < 100) {
        p->Update(kDt);
        EXPECT_FLOAT_EQ(p->Roll(), 0.0f) << "no control in the start run";
        ++frames;
    }
    EXPECT_EQ(p->GetState(), CPlayer::Flying);
    EXPECT_GT(p->Position().y, 10.0f);
    Hold(game.m_left_key, false);

    world.finished = true;
    p->Update(kDt);
    ASSERT_EQ(p->GetState(), CPlayer::RunOut);
    EXPECT_FLOAT_EQ(p->FinishPoint().z, 2.0f * world.flying);
    EXPECT_GT(p->Velocity().z, 0.0f) << "nose up";
    frames = 0;
    while (p->GetState() == CPlayer::RunOut && frames < 5000) {
        p->Update(kDt);
        ++frames;
    }
    EXPECT_EQ(p->GetState(), CPlayer::LevelFinished);
    EXPECT_TRUE(p->IsFinished());
    EXPECT_GT(p->Position().y, p->FinishPoint().y);
    EXPECT_FLOAT_EQ(world.view.y, p->Position().y) << "the level is told the position";
}

TEST_F(PlayerFlight, ShadowNarrowsWithTheBankAndLiesOnGroundOrWater)
{
    world.ground = -1.0f;
    auto p = Make(0);
    p->SetSize(1.2f, 0.9f, 0.3f);
    p->Shadow().SetSize(1.2f, 0.9f);
    p->Shadow().SetRoll(0.0f);
    p->Shadow().Place({0, 20, 3});
    EXPECT_FLOAT_EQ(p->Shadow().Vertex(0, 0).x, -0.6f);
    EXPECT_FLOAT_EQ(p->Shadow().Vertex(3, 0).x, 0.6f);
    EXPECT_FLOAT_EQ(p->Shadow().Vertex(0, 0).z, world.water + 0.03f) << "over water, the water's height";
    p->Shadow().SetRoll(90.0f);
    EXPECT_FLOAT_EQ(p->Shadow().Squeeze(), 0.7f) << "on its side: narrowest";
    p->Shadow().SetRoll(180.0f);
    EXPECT_FLOAT_EQ(p->Shadow().Squeeze(), 0.0f) << "upside down: full width";
    p->Shadow().SetRoll(-45.0f);
    EXPECT_FLOAT_EQ(p->Shadow().Squeeze(), 0.35f);
    p->Shadow().SetRoll(135.0f);
    EXPECT_FLOAT_EQ(p->Shadow().Squeeze(), 0.35f);
    p->Shadow().SetRoll(1.0e10f);  // 1e10 = 55555555 half turns + 100 degrees
    EXPECT_NEAR(p->Shadow().Squeeze(), 0.7f * 80.0f / 90.0f, 1e-5f) << "a roll far past int folds like any other";
    p->Shadow().SetRoll(135.0f);
    p->Shadow().Place({0, 20, 3});
    EXPECT_FLOAT_EQ(p->Shadow().Vertex(0, 0).x, -0.6f * 0.65f);
    world.ground = 2.0f;
    p->Shadow().Place({0, 20, 3});
    EXPECT_FLOAT_EQ(p->Shadow().Vertex(2, 2).z, 2.03f);
}
