#include "base/diag.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {
std::mutex& diagMutex() {
    static std::mutex m;
    return m;
}
} // namespace

void diag(std::string_view line) {
    std::lock_guard lock(diagMutex());
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void diagOutOfMemory() {
    diag("out of memory");
    std::exit(1);
}
