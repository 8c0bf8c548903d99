// CGameCamera: snaps and glides between views, ground clearance, the cockpit view's cross-hair
// and what a crash does to it.
#include "FlightTestWorld.h"
#include "player/GameCamera.h"
#include "player/Player.h"

#include <gtest/gtest.h>

namespace {

class Camera : public ::testing::Test {
protected:
    void SetUp() override
    {
        TuneForTests(game);
        player = std::make_unique<CPlayer>(&game, &world, nullptr);
        InputDevices* none = &input;
        input.SetFrozen(true);
        player->SetInput(none);
        player->SelectAircraft(0);
        player->SetPosition(0.0f, 50.0f, world.flying);
        player->SetState(CPlayer::Flying);
        camera.SetWorld(&world);
    }
    GameData game;
    FlightTestWorld world;
    InputDevices input;
    std::unique_ptr<CPlayer> player;
    CGameCamera camera;
};

}  // namespace

TEST_F(Camera, SevenToZeroAndZeroToOneSnapOneToTwoGlides)
{
    camera.SelectView(7);
    EXPECT_EQ(camera.Offset(), camera.TargetOffset()) << "from view 0 at construction";
    camera.SelectView(0);
    EXPECT_EQ(camera.Offset(), camera.TargetOffset());
    EXPECT_FLOAT_EQ(camera.Angle(), -90.0f);
    EXPECT_TRUE(camera.HasCrosshair());
    camera.SelectView(1);
    EXPECT_EQ(camera.Offset(), camera.TargetOffset());
    EXPECT_FLOAT_EQ(camera.Angle(), -75.0f);
    EXPECT_FALSE(camera.HasCrosshair());

    camera.SelectView(2);
    EXPECT_NE(camera.Offset(), camera.TargetOffset());
    EXPECT_FLOAT_EQ(camera.Angle(), -75.0f);
    camera.Follow(*player);
    EXPECT_NEAR(camera.Angle(), -75.0f + 18.0f * 0.02f, 1e-4f);
    EXPECT_NEAR(camera.Offset().z, 2.0f + 0.02f, 1e-5f);
    int frames = 1;
    while ((camera.TargetOffset() - camera.Offset()).LengthSq() > 0.001f && frames < 200) {
        camera.Follow(*player);
        ++frames;
    }
    EXPECT_GT(frames, 40);
    EXPECT_LE(frames, 50);
}

TEST_F(Camera, EyeStaysAboveTheGroundInEveryOuterView)
{
    world.ground = 4.0f;  // a hill the aircraft skims
    for (int v = 1; v < CGameCamera::kViewCount; ++v) {
        camera.SelectView(v);
        camera.Snap();
        camera.Follow(*player);
        EXPECT_GE(camera.Eye().z, 4.8f - 1e-5f) << "view " << v;
    }
    // The cockpit view sits in the aircraft and is not lifted.
    camera.SelectView(0);
    camera.Follow(*player);
    EXPECT_LT(camera.Eye().z, 4.0f);
}

TEST_F(Camera, ViewsLookFromBehindAndCockpitRaisesBoth)
{
    camera.SelectView(4);
    camera.Snap();
    camera.Follow(*player);
    EXPECT_LT(camera.Eye().y, camera.LookPoint().y) << "behind the point looked at";
    EXPECT_GT(camera.Eye().z, player->Position().z) << "and above it";
    EXPECT_FLOAT_EQ(camera.LookPoint().y, player->Position().y + 3.0f);
    camera.SelectView(1);
    camera.Snap();
    camera.Follow(*player);
    EXPECT_LT(camera.Eye().y, player->Position().y) << "view 1 is behind the aircraft";

    camera.SelectView(0);
    player->SetRoll(30.0f);
    camera.Follow(*player);
    EXPECT_FLOAT_EQ(camera.LookPoint().z, player->Position().z + 0.25f);
    EXPECT_LT(camera.Eye().y, camera.LookPoint().y);
    EXPECT_NEAR(camera.Up().x, std::sin(30.0f * kDegToRad), 1e-5f) << "the horizon banks with the aircraft";
}

TEST_F(Camera, ACrashInTheCockpitViewSwitchesToViewOne)
{
    camera.SelectView(0);
    camera.Follow(*player);
    EXPECT_EQ(camera.View(), 0);
    player->SetFuel(0.0f);
    player->Kill();
    ASSERT_EQ(player->GetState(), CPlayer::ShotDown);
    camera.Follow(*player);
    EXPECT_EQ(camera.View(), 1);
    EXPECT_FALSE(camera.HasCrosshair());
    EXPECT_EQ(camera.Offset(), camera.TargetOffset());
}
