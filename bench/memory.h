#pragma once

#include <fstream>
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
