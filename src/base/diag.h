#pragma once

#include <string_view>

// Writes one diagnostic line to the standard error stream, adds the newline and flushes.
// Safe to call from any thread; lines from different threads never interleave.
void diag(std::string_view line);

// From now on diag writes each distinct line at most once in this process: a tool that
// decides thousands of times says a missing database once. The window never calls it.
void diagEachLineOnce();

// Writes "out of memory" and ends the process with exit status 1.
[[noreturn]] void diagOutOfMemory();
