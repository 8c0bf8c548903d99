// The difficulty figures of a flight (gw-bench flight --enemies): targets met per minute counted
// once each, kills by kind, hull lost and launches per minute, and the longest stretch without a
// target in range, on a scripted flight of frames.
#include "game/FlightFigures.h"

#include <gtest/gtest.h>

namespace {

FlightFigures::Frame At(float seconds, std::vector<uintptr_t> inRange, float hull, int launches = 0,
                        std::vector<int> kills = {})
{
    FlightFigures::Frame f;
    f.seconds = seconds;
    f.inRange = std::move(inRange);
    f.hull = hull;
    f.launches = launches;
    f.killedKinds = std::move(kills);
    return f;
}

}  // namespace

TEST(FlightFigures, AScriptedFlightGivesItsFiguresPerMinute)
{
    FlightFigures f;
    // 30 s: targets 1 and 2 in range for 10 s, nothing for 12 s, target 3 for 5 s, nothing for 3 s.
    for (int i = 0; i < 10; ++i)
        f.Add(At(1.0f, {1, 2}, 10.0f, i == 0 ? 2 : 0));
    for (int i = 0; i < 12; ++i)
        f.Add(At(1.0f, {}, i < 6 ? 10.0f : 7.5f));
    for (int i = 0; i < 5; ++i)
        f.Add(At(1.0f, {3}, 7.5f - i * 0.5f, 1, i == 4 ? std::vector<int>{0, 3} : std::vector<int>{}));
    for (int i = 0; i < 3; ++i)
        f.Add(At(1.0f, {}, 5.5f));

    EXPECT_FLOAT_EQ(f.Seconds(), 30.0f);
    EXPECT_EQ(f.TargetsMet(), 3);  // each target once, however long it stays in range
    EXPECT_FLOAT_EQ(f.TargetsPerMinute(), 6.0f);
    EXPECT_FLOAT_EQ(f.LongestGapSeconds(), 12.0f);
    EXPECT_FLOAT_EQ(f.HullLost(), 2.5f + 2.0f);
    EXPECT_FLOAT_EQ(f.HullLostPerMinute(), 9.0f);
    EXPECT_EQ(f.Launches(), 7);
    EXPECT_FLOAT_EQ(f.LaunchesPerMinute(), 14.0f);
    EXPECT_EQ(f.Kills(0), 1);
    EXPECT_EQ(f.Kills(3), 1);
    EXPECT_EQ(f.Kills(1), 0);
    EXPECT_EQ(f.Kills(9), 0);
}

TEST(FlightFigures, AGapStillOpenAtTheEndCountsAndRepairsAreNoLoss)
{
    FlightFigures f;
    EXPECT_FLOAT_EQ(f.TargetsPerMinute(), 0.0f);  // no time flown: nothing divided by zero
    f.Add(At(0.5f, {7}, 4.0f));
    f.Add(At(0.5f, {}, 6.0f));  // the hull rising (a new aircraft) is not counted as lost
    for (int i = 0; i < 20; ++i)
        f.Add(At(0.5f, {}, 6.0f));
    EXPECT_FLOAT_EQ(f.LongestGapSeconds(), 10.5f);
    EXPECT_FLOAT_EQ(f.HullLost(), 0.0f);
    EXPECT_EQ(f.TargetsMet(), 1);
}

TEST(FlightFigures, RunsPoolTheirTotalsOverTheTimeFlownSoAnEarlyDeathCountsByItsLength)
{
    // A full flight: 90 s, 6 targets, 3 launches, 2 hull lost, longest gap 30 s.
    FlightFigures full;
    for (int i = 0; i < 90; ++i)
        full.Add(At(1.0f, i < 6 ? std::vector<uintptr_t>{static_cast<uintptr_t>(i + 1)} : std::vector<uintptr_t>{},
                    i < 50 ? 10.0f : 8.0f, i % 30 == 0 ? 1 : 0));
    // A flight that ends at a death after 30 s: the 10 hull left lost at once, no target, 3 launches.
    FlightFigures dead;
    for (int i = 0; i < 30; ++i)
        dead.Add(At(1.0f, {}, i < 29 ? 10.0f : 0.0f, i < 3 ? 1 : 0));

    FlightRuns runs;
    EXPECT_FLOAT_EQ(runs.HullLostPerMinute(), 0.0f);  // nothing flown yet
    runs.Add(full, false);
    runs.Add(dead, true);
    EXPECT_EQ(runs.Runs(), 2);
    EXPECT_EQ(runs.Deaths(), 1);
    EXPECT_FLOAT_EQ(runs.DeathShare(), 0.5f);
    EXPECT_FLOAT_EQ(runs.SecondsMean(), 60.0f);
    // 120 s flown in all: (2 + 10) hull, 6 launches and 6 targets over two minutes. The runs'
    // own rates (1.33 and 20 hull a minute) would average to 10.67.
    EXPECT_FLOAT_EQ(runs.HullLostPerMinute(), 6.0f);
    EXPECT_FLOAT_EQ(runs.LaunchesPerMinute(), 3.0f);
    EXPECT_FLOAT_EQ(runs.TargetsPerMinute(), 3.0f);
    EXPECT_FLOAT_EQ(runs.LongestGapMax(), 84.0f);
    EXPECT_FLOAT_EQ(runs.LongestGapMean(), (84.0f + 30.0f) / 2);
}
