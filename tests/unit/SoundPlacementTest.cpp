// Placement of a sound beside the listener: pan by side and angle, volume by distance.
#include "audio/SoundManager.h"

#include <gtest/gtest.h>

#include <limits>

namespace {
const Vec3 kListener(10.0f, 20.0f, 3.0f);
constexpr float kRange = 50.0f;  // silent from 10 units on

SoundPlacement At(float dx, float dy, float dz, bool invert = false, float range = kRange)
{
    return ComputePlacement(kListener, kListener + Vec3(dx, dy, dz), range, invert);
}
}  // namespace

TEST(SoundPlacement, VolumeFallsLinearlyToSilenceAtAFifthOfTheRange)
{
    EXPECT_EQ(At(0, 0, 0).volume, 100);
    EXPECT_EQ(At(0, 5, 0).volume, 50);
    EXPECT_EQ(At(0, 0, -2.5f).volume, 75);
    EXPECT_EQ(At(0, 9.99f, 0).volume, 0);  // 0.1 truncates to 0
    EXPECT_EQ(At(0, 10, 0).volume, 0);
    EXPECT_EQ(At(0, -400, 0).volume, 0);
}

TEST(SoundPlacement, SourceAtTheListenerIsCentredAtFullVolume)
{
    const SoundPlacement p = At(0, 0, 0);
    EXPECT_EQ(p.pan, 0);
    EXPECT_EQ(p.volume, 100);
}

TEST(SoundPlacement, PanFollowsTheSideAndTheAngleOffTheForwardUpPlane)
{
    EXPECT_EQ(At(2, 2, 0).pan, 50);     // 45 degrees to the right
    EXPECT_EQ(At(-2, 2, 0).pan, -50);   // 45 degrees to the left
    EXPECT_EQ(At(2, -2, 0).pan, 50);    // behind on the right is still right
    EXPECT_EQ(At(-2, 0, 2).pan, -50);   // above on the left
    EXPECT_EQ(At(1, 0, 0).pan, 100);    // right beside
    EXPECT_EQ(At(-1, 0, 0).pan, -100);
    // 30 degrees: 33.33 truncates toward zero on both sides.
    EXPECT_EQ(At(1, 1.7320508f, 0).pan, 33);
    EXPECT_EQ(At(-1, 1.7320508f, 0).pan, -33);
}

TEST(SoundPlacement, ZeroLateralOffsetIsCentred)
{
    EXPECT_EQ(At(0, 7, 0).pan, 0);
    EXPECT_EQ(At(0, -7, 0).pan, 0);
    EXPECT_EQ(At(0, 0, 7).pan, 0);
    EXPECT_EQ(At(0, 7, 0, true).pan, 0);
}

TEST(SoundPlacement, InvertStereoSwapsTheSides)
{
    EXPECT_EQ(At(2, 2, 0, true).pan, -50);
    EXPECT_EQ(At(-2, 2, 0, true).pan, 50);
    EXPECT_EQ(At(1, 0, 0, true).pan, -100);
    EXPECT_EQ(At(2, 2, 0, true).volume, At(2, 2, 0, false).volume);
}

TEST(SoundPlacement, DegenerateRangesAndPositionsAreSilentNotUndefined)
{
    EXPECT_EQ(At(0, 0, 0, false, 0.0f).volume, 0);
    EXPECT_EQ(At(0, 1, 0, false, -5.0f).volume, 0);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(At(nan, 1, 0).volume, 0);
    EXPECT_EQ(At(nan, 1, 0).pan, 0);
    EXPECT_EQ(At(inf, 0, 0).volume, 0);
    EXPECT_EQ(At(0, 1, 0, false, nan).volume, 0);
    EXPECT_EQ(At(1e30f, 1e30f, 0).volume, 0);
    EXPECT_EQ(At(1e30f, 1e30f, 0).pan, 50);
}
