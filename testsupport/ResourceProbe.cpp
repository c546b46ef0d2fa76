#include "testsupport/ResourceProbe.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace
{
// A "Vm...:  <n> kB" line of /proc/self/status, in megabytes; 0 when it cannot be read.
double StatusMegabytes(const char* key)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return 0.0;
    char line[256];
    double megabytes = 0.0;
    const size_t keyLength = std::strlen(key);
    while (std::fgets(line, sizeof line, status))
    {
        if (std::strncmp(line, key, keyLength) == 0 && line[keyLength] == ':')
        {
            megabytes = std::strtod(line + keyLength + 1, nullptr) / 1024.0;
            break;
        }
    }
    std::fclose(status);
    return megabytes;
}

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}
} // namespace

ResourceUse MeasureResources(const std::function<void()>& work, double cpuSeconds)
{
    ResourceUse use;
    for (int run = 0; run < 3 && (run == 0 || use.cpuSeconds >= cpuSeconds); ++run)
    {
        malloc_trim(0);
        if (std::FILE* clear = std::fopen("/proc/self/clear_refs", "w"))
        {
            std::fputs("5", clear);
            std::fclose(clear);
        }
        const double residentBefore = StatusMegabytes("VmRSS");
        const double cpuBefore = ProcessCpuSeconds();
        work();
        const double cpu = ProcessCpuSeconds() - cpuBefore;
        const double peak = StatusMegabytes("VmHWM") - residentBefore;
        use.cpuSeconds = run == 0 ? cpu : std::min(use.cpuSeconds, cpu);
        use.peakMegabytes = std::max(use.peakMegabytes, peak);
    }
    return use;
}
