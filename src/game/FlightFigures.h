// FlightFigures: how hard one flight through a level was — the targets met per minute, the kills
// by kind, the hull lost and the enemies' launches per minute, and the longest stretch without a
// target in range. A target is any enemy or static target that is not a fuel depot; it is in
// range while it is alive and ahead of the aircraft by at most kRange world units.
//
// gw-bench's flight mode creates one per level flight and calls Observe after every field update
// (Observe reads the field and hands one Frame to the arithmetic); tests drive Frame directly.
// It changes nothing it reads. FlightRuns pools the figures of one level flown several times.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

class CEnemy;
class CGameField;

class FlightFigures {
public:
    static constexpr float kRange = 40.0f;
    // Kinds in the order the figures are printed: plane, boat, helicopter, site, building, barrels
    // (the score code's hundreds, 1..6).
    static constexpr int kKinds = 6;
    static const char* const kKindNames[kKinds];

    // What one frame showed: its length in seconds, the targets in range (any stable ids), the
    // targets that were destroyed in it (by kind, 0..kKinds-1), the hull after it, and the enemy
    // projectiles launched in it.
    struct Frame {
        float seconds = 0.0f;
        std::vector<uintptr_t> inRange;
        std::vector<int> killedKinds;
        float hull = 0.0f;
        int launches = 0;
    };

    void Observe(const CGameField& field, float frameSeconds);
    void Add(const Frame& frame);

    float Seconds() const { return m_seconds; }
    int TargetsMet() const { return static_cast<int>(m_met.size()); }
    float TargetsPerMinute() const { return PerMinute(static_cast<float>(m_met.size())); }
    int Kills(int kind) const { return kind >= 0 && kind < kKinds ? m_kills[kind] : 0; }
    float HullLost() const { return m_hull_lost; }
    float HullLostPerMinute() const { return PerMinute(m_hull_lost); }
    int Launches() const { return m_launches; }
    float LaunchesPerMinute() const { return PerMinute(static_cast<float>(m_launches)); }
    // The longest run of frames without a target in range, in seconds (the run still open at
    // the end counts).
    float LongestGapSeconds() const { return m_longest_gap > m_gap ? m_longest_gap : m_gap; }

private:
    float PerMinute(float n) const { return m_seconds > 0.0f ? n * 60.0f / m_seconds : 0.0f; }

    float m_seconds = 0.0f;
    std::set<uintptr_t> m_met;
    int m_kills[kKinds] = {};
    float m_hull_lost = 0.0f;
    float m_last_hull = -1.0f;
    int m_launches = 0;
    float m_gap = 0.0f;
    float m_longest_gap = 0.0f;
    // Observe's memory of the field: the targets alive at the last frame (by kind) and the enemy
    // projectiles seen.
    std::map<const CEnemy*, int> m_alive;
    std::set<uint64_t> m_projectiles;
};

// FlightRuns: one level flown several times (gw-bench flight --runs N), its figures pooled. The
// rates are the runs' totals over their total time flown, so each run counts by its length: a
// flight ended early by a death adds its few seconds and what it lost in them (the hull left at
// the death included), and does not stand for a whole level as a rate of its own would.
class FlightRuns {
public:
    void Add(const FlightFigures& figures, bool died);

    int Runs() const { return m_runs; }
    int Deaths() const { return m_deaths; }
    float DeathShare() const { return m_runs > 0 ? static_cast<float>(m_deaths) / m_runs : 0.0f; }
    float SecondsMean() const { return m_runs > 0 ? m_seconds / m_runs : 0.0f; }
    float TargetsPerMinute() const { return PerMinute(m_targets); }
    float HullLostPerMinute() const { return PerMinute(m_hull_lost); }
    float LaunchesPerMinute() const { return PerMinute(m_launches); }
    float LongestGapMean() const { return m_runs > 0 ? m_gap_sum / m_runs : 0.0f; }
    float LongestGapMax() const { return m_gap_max; }

private:
    float PerMinute(float n) const { return m_seconds > 0.0f ? n * 60.0f / m_seconds : 0.0f; }

    int m_runs = 0;
    int m_deaths = 0;
    float m_seconds = 0.0f;
    float m_targets = 0.0f;
    float m_hull_lost = 0.0f;
    float m_launches = 0.0f;
    float m_gap_sum = 0.0f;
    float m_gap_max = 0.0f;
};
