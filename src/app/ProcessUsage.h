// ProcessUsage: what the running process has cost so far — processor time of all its threads and
// its peak resident memory.
//
// gw-bench reads these around its flights; the measuring script reads the same figures of a
// running game from /proc. Nothing here touches the game: the readers only look at the process.
// A figure that cannot be read is 0 (a system without /proc still runs the benchmark).
#pragma once

#include <string_view>

// Processor seconds used so far by every thread of this process (user and system).
double ProcessCpuSeconds();
// Processor seconds (user and system) of the calling thread alone.
double ThreadCpuSeconds();

// The peak resident set ("VmHWM") of this process in MiB, read from /proc/self/status; 0 when
// it cannot be read.
double ProcessPeakResidentMb();

// The "VmHWM:" line of a /proc/<pid>/status text in MiB (the kernel gives kB); 0 when the text has
// no such line or its number cannot be read.
double PeakResidentMbFromStatus(std::string_view status);
