// The fuzz targets' check: a property that does not hold ends the run, so
// that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdlib>

inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}
