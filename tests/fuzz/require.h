// The fuzz targets' invariant check: a broken one ends the run as a crash, so the fuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}
