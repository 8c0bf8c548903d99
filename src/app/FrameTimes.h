// FrameTimes: the frame times of one benchmark run and the figures printed from them (percentiles,
// the slowest frame, the slowest after the first second).
//
// gw-bench adds one time per drawn frame; it holds nothing of the game.
#pragma once

#include <cstddef>
#include <vector>

// Frame times of one run, in milliseconds, in the order the frames were drawn.
class FrameTimes {
public:
    // The frames of the first second at the fixed step; the "settled" figures leave them out:
    // a level's first frames meet its new textures, display lists and GL states.
    static constexpr size_t kFirstSecondFrames = 60;

    void Add(double ms) { m_ms.push_back(ms); }
    size_t Count() const { return m_ms.size(); }
    bool Empty() const { return m_ms.empty(); }
    const std::vector<double>& Values() const { return m_ms; }

    // The value at fraction p (0..1) of the sorted times, rounded to the nearest rank; 0 when empty.
    double Percentile(double p) const;
    double Max() const;
    // The mean of all times; 0 when empty.
    double Mean() const;
    // The slowest frame after the first kFirstSecondFrames; 0 when the run was no longer.
    double MaxSettled() const;

private:
    std::vector<double> m_ms;
};
