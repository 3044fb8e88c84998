#include "SoakWatch.h"

#include <cstdio>
#include <unistd.h>

void SoakWatch::progress() {
    const Clock::time_point now = Clock::now();
    if (now - m_last > m_longest) {
        m_longest = now - m_last;
    }
    m_last = now;
}

uint64_t residentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) {
        return 0;
    }
    unsigned long long size = 0;
    unsigned long long resident = 0;
    const int read = std::fscanf(statm, "%llu %llu", &size, &resident);
    std::fclose(statm);
    return read == 2 ? resident * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE)) : 0;
}
