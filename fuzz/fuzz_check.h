#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep; a violation aborts, which the fuzzer reports as a crash
// and the corpus replay as a failed test.
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
