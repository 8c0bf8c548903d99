// The figures gw-bench prints from a run: the settled slowest frame leaves the first second's
// frames out, percentiles round to the nearest rank, and the peak resident set is read from a
// /proc status text in MiB.
#include "app/FrameTimes.h"
#include "app/ProcessUsage.h"

#include <gtest/gtest.h>

#include <thread>

TEST(FrameTimes, TheSettledMaximumLeavesOutTheFirstSecondOnly)
{
    FrameTimes t;
    EXPECT_EQ(t.MaxSettled(), 0.0);
    EXPECT_EQ(t.Max(), 0.0);
    EXPECT_EQ(t.Percentile(0.99), 0.0);
    // A shader compile in frame 0 and a slow frame at the last frame of the first second.
    t.Add(300.0);
    for (size_t i = 1; i + 1 < FrameTimes::kFirstSecondFrames; ++i)
        t.Add(8.0);
    t.Add(40.0);
    EXPECT_EQ(t.Count(), FrameTimes::kFirstSecondFrames);
    EXPECT_EQ(t.MaxSettled(), 0.0);  // no frame after the first second yet
    t.Add(9.0);                      // the first settled frame counts
    EXPECT_EQ(t.MaxSettled(), 9.0);
    t.Add(12.5);
    t.Add(7.0);
    EXPECT_EQ(t.MaxSettled(), 12.5);
    EXPECT_EQ(t.Max(), 300.0);
}

TEST(FrameTimes, PercentilesRoundToTheNearestRankOfTheSortedTimes)
{
    FrameTimes t;
    for (int i = 100; i >= 1; --i)  // 100 … 1, drawn in falling order
        t.Add(i);
    EXPECT_EQ(t.Percentile(0.0), 1.0);
    EXPECT_EQ(t.Percentile(0.5), 51.0);   // rank 49.5 rounds up
    EXPECT_EQ(t.Percentile(0.99), 99.0);  // rank 98.01
    EXPECT_EQ(t.Percentile(1.0), 100.0);
    EXPECT_EQ(t.Percentile(7.0), 100.0);  // past the end: the slowest
    EXPECT_EQ(t.Values().front(), 100.0); // the order of the frames is kept
    EXPECT_DOUBLE_EQ(t.Mean(), 50.5);
    EXPECT_EQ(FrameTimes().Mean(), 0.0);
}

TEST(ProcessUsage, ThePeakResidentSetIsTheVmHwmLineInMiB)
{
    const char* status = "Name:\tgw-bench\nVmPeak:\t  900000 kB\nVmSize:\t  800000 kB\n"
                         "VmHWM:\t  112640 kB\nVmRSS:\t  100000 kB\n";
    EXPECT_DOUBLE_EQ(PeakResidentMbFromStatus(status), 110.0);
    EXPECT_EQ(PeakResidentMbFromStatus("VmRSS:\t 1000 kB\n"), 0.0);   // no VmHWM line
    EXPECT_EQ(PeakResidentMbFromStatus("VmHWM:\tlots kB\n"), 0.0);    // no number
    EXPECT_EQ(PeakResidentMbFromStatus("XVmHWM:\t 2048 kB\n"), 0.0);  // the key starts a line
    EXPECT_DOUBLE_EQ(PeakResidentMbFromStatus("VmHWM:\t2048 kB"), 2.0);  // last line without a line feed
    EXPECT_EQ(PeakResidentMbFromStatus(""), 0.0);
    // The running test reads its own: it has touched some memory, and less than its whole address space.
    EXPECT_GT(ProcessPeakResidentMb(), 1.0);
    EXPECT_GT(ProcessCpuSeconds(), 0.0);
}

TEST(ProcessUsage, AThreadsOwnTimeLeavesOutTheOtherThreads)
{
    // Another thread works for 30 ms of its own time; the process counts it, this thread not.
    double worker = 0.0;
    std::thread t([&worker] {
        volatile double x = 0.0;
        while (ThreadCpuSeconds() < 0.03)
            for (int i = 0; i < 10000; ++i)
                x = x + 1.0;
        worker = ThreadCpuSeconds();
    });
    t.join();
    EXPECT_GE(worker, 0.03);
    EXPECT_LT(ThreadCpuSeconds() + 0.025, ProcessCpuSeconds());
}
