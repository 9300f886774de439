// A check that holds in every build of a fuzz target: a broken property
// aborts, which the fuzzer reports with the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

#define CHECK(condition)                                                              \
    do {                                                                              \
        if (!(condition)) {                                                           \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                             \
        }                                                                             \
    } while (0)
