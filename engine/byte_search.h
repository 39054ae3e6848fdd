// Searches over large byte ranges, vectorised where the processor allows:
// the run's fast path uses them to step over lines that cannot pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The first occurrence of `needle` in `text`, or npos.
std::size_t FindBytes(std::string_view text, std::string_view needle);

struct ShortLines {
    std::uint64_t count = 0;  // lines that end in LF and fit one piece of a line read
    std::size_t length = 0;   // the bytes they take, up to and including the last one's LF
};

// Counts the lines at the start of `text` that end in LF, up to the first
// whose bytes before the LF are more than `longest`.
ShortLines CountShortLines(std::string_view text, std::size_t longest);
