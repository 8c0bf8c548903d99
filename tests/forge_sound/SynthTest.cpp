// The synthesis kit: loop closing, loop-fitted frequencies, loudness finishing.
#include "sound/Synth.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace synth;

TEST(Synth, CloseLoopJoinsTheEndToTheStart)
{
    ForgeRandom rng(5);
    Samples longer = WhiteNoise(1200, rng);
    Filter(longer, Svf::Mode::Low, 44100, 500.0);
    const Samples loop = CloseLoop(longer, 1000, 200);
    ASSERT_EQ(loop.size(), 1000u);
    // The first sample continues the last one: it is the sample that followed it.
    EXPECT_NEAR(loop[0], longer[1000] * std::cos(0.5 / 200 * kPi / 2) + longer[0] * std::sin(0.5 / 200 * kPi / 2), 1e-6);
    EXPECT_FLOAT_EQ(loop[999], longer[999]);
    EXPECT_LT(std::fabs(loop[0] - loop[999]), 0.05f);
    // Untouched after the fade.
    EXPECT_FLOAT_EQ(loop[500], longer[500]);
}

TEST(Synth, CloseLoopWithAShortSourceDoesNotReadPastIt)
{
    const Samples shortSource(100, 0.5f);
    const Samples loop = CloseLoop(shortSource, 150, 80);
    ASSERT_EQ(loop.size(), 150u);
    EXPECT_FLOAT_EQ(loop[99], 0.5f);
    EXPECT_FLOAT_EQ(loop[149], 0.0f);
}

TEST(Synth, LoopFrequencyFitsWholeCycles)
{
    const double f = LoopFrequency(441.3, 44100, 44100);
    EXPECT_DOUBLE_EQ(f, 441.0);
    const double g = LoopFrequency(100.0, 30000, 44100);
    EXPECT_NEAR(std::fmod(g * 30000.0 / 44100.0, 1.0), 0.0, 1e-9);
    EXPECT_GT(LoopFrequency(0.0, 1000, 44100), 0.0);
}

TEST(Synth, FinishReachesTheTargetAndNeverExceedsTheCap)
{
    ForgeRandom rng(9);
    Samples quiet = WhiteNoise(44100, rng);
    for (float& v : quiet)
        v *= 0.01f;
    Finish(quiet, 0.1f, 0.75f);
    EXPECT_NEAR(Rms(quiet), 0.1f, 0.01f);
    Samples loud = WhiteNoise(44100, rng);
    loud[100] = 50.0f;
    Finish(loud, 0.5f, 0.75f);
    EXPECT_LE(Peak(loud), 0.75f);
    EXPECT_GT(Peak(loud), 0.6f);
}
