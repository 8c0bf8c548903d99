// ProcessUsage: getrusage for the processor time, /proc/self/status for the peak resident set.
#include "app/ProcessUsage.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// User plus system time of RUSAGE_SELF (every thread) or RUSAGE_THREAD (the caller's), in seconds.
double CpuSecondsOf(int who)
{
    rusage u{};
    if (getrusage(who, &u) != 0)
        return 0.0;
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

double ProcessCpuSeconds()
{
    return CpuSecondsOf(RUSAGE_SELF);
}

double ThreadCpuSeconds()
{
    return CpuSecondsOf(RUSAGE_THREAD);
}

double PeakResidentMbFromStatus(std::string_view status)
{
    constexpr std::string_view kKey = "VmHWM:";
    size_t at = 0;
    while (at < status.size()) {
        const size_t end = std::min(status.find('\n', at), status.size());
        const std::string_view line = status.substr(at, end - at);
        if (line.substr(0, kKey.size()) == kKey) {
            const std::string number(line.substr(kKey.size()));
            char* stop = nullptr;
            const double kb = std::strtod(number.c_str(), &stop);
            return stop != number.c_str() && kb > 0.0 ? kb / 1024.0 : 0.0;
        }
        at = end + 1;
    }
    return 0.0;
}

double ProcessPeakResidentMb()
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f)
        return 0.0;
    std::string text;
    char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0 && text.size() < (1u << 20))
        text.append(chunk, n);
    std::fclose(f);
    return PeakResidentMbFromStatus(text);
}
