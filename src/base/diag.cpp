#include "base/diag.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <unordered_set>

namespace {

struct DiagState {
    std::mutex mutex;
    bool once = false;
    std::unordered_set<std::string> written;
};

DiagState& diagState() {
    static DiagState state;
    return state;
}

} // namespace

void diag(std::string_view line) {
    DiagState& s = diagState();
    std::lock_guard lock(s.mutex);
    if (s.once && !s.written.emplace(line).second) return;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

void diagEachLineOnce() {
    DiagState& s = diagState();
    std::lock_guard lock(s.mutex);
    s.once = true;
}

void diagOutOfMemory() {
    diag("out of memory");
    std::exit(1);
}
