#pragma once
// A rule a fuzz target checks on every input. A broken rule says which one
// and aborts, which libFuzzer reports as a crash and keeps the input for.
#include <cstdio>
#include <cstdlib>

// A macro only to name the file, line and condition that broke.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition);      \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
