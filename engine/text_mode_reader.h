// Reads a file line by line under the Windows text-file conventions that
// TTools files are written with.
#pragma once

#include "file_access.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The longest piece of a line one read delivers; longer lines arrive as
// several pieces, each treated as a line of its own.
inline constexpr std::size_t LINE_BUFFER_SIZE = 4096;

// How much of the input one read of the source asks for.
inline constexpr std::size_t READ_BUFFER_SIZE = 256 * 1024;

class TextModeReader {
public:
    // bufferSize is at least LINE_BUFFER_SIZE; tests make it small to reach
    // the refills at every offset.
    explicit TextModeReader(ByteSource& source, std::size_t bufferSize = READ_BUFFER_SIZE);

    // Reads the next piece: up to the next LF (consumed, not returned), at most
    // LINE_BUFFER_SIZE - 1 bytes, cut at its first NUL byte. CR LF counts as
    // LF and the first Ctrl-Z ends the input. Meeting the end of the input sets
    // AtEnd(); the bytes read until then still form the piece. The view is valid
    // until the next call.
    std::string_view ReadLine();

    // Steps over the whole lines ahead that cannot hold `needle`, exactly as
    // ReadLine would have delivered them, and tells how many pieces those
    // were. It stops before the first line that may hold it, before a line
    // too long for one piece, and where the input read so far ends.
    std::uint64_t SkipLinesWithout(std::string_view needle);

    // The end-of-file indicator: set by the read that met the end of the input.
    bool AtEnd() const { return m_atEnd; }
    // Whether the input ended through a read error rather than its real end.
    bool Failed() const { return m_failed; }

private:
    void Refill();

    ByteSource& m_source;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_sourceDone = false;
    bool m_atEnd = false;
    bool m_failed = false;
};
