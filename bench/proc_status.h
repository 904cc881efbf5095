#pragma once
// The benchmarks' view of their own memory: a /proc/self/status field in MiB, e.g.
// "VmRSS:" (resident now) or "VmHWM:" (the peak).

#include <fstream>
#include <string>

namespace sanxing::bench {

inline double StatusMiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(1 << 10, '\n');
    }
    return 0;
}

}  // namespace sanxing::bench
