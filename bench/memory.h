#pragma once

#include <fstream>
#include <string>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

// Resident memory of this process in megabytes, as the system sees it.
inline double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Hands freed memory back to the system, so that a reading afterwards counts what is in use.
inline void releaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// The most memory this process held at once since the last reset, in megabytes.
inline double peakResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
    }
    return 0;
}

// Starts the peak afresh from the memory held now.
inline void resetPeakResident()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}
