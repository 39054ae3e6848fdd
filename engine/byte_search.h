// Searches over large byte ranges, vectorised where the processor allows:
// the run's fast path uses them to step over lines that cannot pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The first occurrence of `needle` in `text`, or npos.
std::size_t FindBytes(std::string_view text, std::string_view needle);

// The position of the last LF in `text` before `before`, or npos.
std::size_t FindLastLineEnd(std::string_view text, std::size_t before);

struct ShortLines {
    std::uint64_t count = 0;  // lines, each ended by LF
    std::size_t length = 0;   // the bytes they take, through the last one's LF
};

// Counts the lines of `text`, which ends right after an LF, up to the first
// whose bytes before its LF are more than `longest`.
ShortLines CountShortLines(std::string_view text, std::size_t longest);
