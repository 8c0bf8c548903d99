// FlightBench: the autopilot's flights through the base levels, as gw-bench's "flight" mode.
//
// For every level it seeds the game's random generator with the level's number (a level's
// figures are the same whichever levels a run starts and ends with), builds the game field as
// the game does, lets the autopilot fly the chosen aircraft to the level's end (or to a crash or
// an empty tank) and reports, as one JSON object: the level time in game seconds, fuel figures,
// the depots taken, with enemies what their fire did (launches, near passes and hits per weapon,
// ThreatLog) and how hard the level was (targets met per minute, kills by kind, hull lost and
// launches per minute, the longest stretch without a target in range: FlightFigures), and — with
// graphics — the per-frame time of the whole game frame (field and HUD update and draw, buffer
// swap): median, 99th percentile, the slowest and the slowest after the level's first second
// ("settled"), NewLevel's time, and the peak resident memory. With --runs N a level is flown N
// times, run k with the generator started further on by k steps, and its object adds the runs'
// pooled figures (FlightRuns: rates over the total time flown, deaths, longest gaps); every other
// key is run 0's, so one run reports what it always did. Every level and the whole run also
// give the processor seconds of all threads per wall second of flight ("cpu_s_per_s"; with
// --paced the frames are paced as the game's main loop paces them, so the figure is what the game
// costs while it plays) and the peak resident set ("vmhwm_mb"). With --breakdown the drawing
// groups and the level's passes are each finished and timed apart: the wall clock
// ("…_draw_ms_median"), the processor time of all threads and of the game's thread alone
// ("…_cpu_ms_mean", "…_main_cpu_ms_mean"), and where the driver keeps pipeline statistics, the
// level passes' fragment shader invocations, samples that passed the depth test and primitives,
// in thousands per frame ("…_fragments_k", "…_samples_k", "…_primitives_k"): counts of work that
// the machine's load does not disturb.
#pragma once

#include <string>

struct FlightBenchOptions {
    bool graphics = true;      // a window with GL (800 x 600) and the models; off: simulation only
    bool draw = true;          // draw and swap every frame (off: models loaded, nothing drawn)
    bool paced = false;        // sleep to 17 ms after each frame's start, as the game's main loop does
    bool breakdown = false;    // time the level, aircraft, effects and HUD drawing apart
    int aircraft = 0;          // 0 F-22, 1 F/A-18, 2 AH-64
    bool enemies = false;      // keep the level's enemies (off: only the fuel depots)
    bool depots = true;        // without enemies: keep the fuel depots (off: an empty valley)
    int firstLevel = 1;
    int lastLevel = 0;         // 0: every level of the set
    int maxSeconds = 600;      // game seconds before a flight is given up
    std::string levelSet = "levels/base.set";  // --set PATH: another level set
    int runs = 1;              // --runs N: each level flown N times, pooled figures added (run 0 reported)
    std::string shotDir;       // not empty: every kShotEvery-th drawn frame kept there as a PNG
};

// With shots on, frames 0, kShotEvery, 2 × kShotEvery … of every level are written as
// "<dir>/levelNN_fNNNNN.png". The flight is the same in every run, so two builds' shots of one
// frame show the same moment and can be compared pixel for pixel.
constexpr int kShotEvery = 150;

// Runs the flights from the game folder (the working directory). Returns 0 when every level
// was finished, 1 when one was not, 2 when the game data could not be set up.
int RunFlightBench(const FlightBenchOptions& options);

// gw-bench flight [--aircraft N] [--first N] [--last N] [--max-seconds N] [--enemies] [--no-depots]
//                 [--paced] [--breakdown] [--no-draw] [--no-graphics] [--shots DIR] [--set PATH] [--runs N]
int FlightBenchMain(int argc, char** argv);
