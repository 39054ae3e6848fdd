// What a reduce must write, computed the slow and obvious way: Windows text
// translation of the whole input first, then line reads as the C runtime's
// fgets does them with a 4096-byte buffer, then the line test, written from
// its description by fields and without the engine's code.
#pragma once

#include "flight_plan_reduction.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The pieces a text-mode reader delivers, in order, including the final one
// that meets the end of the input.
inline std::vector<std::string> ReferencePieces(std::string_view input)
{
    std::string text;
    for (std::size_t i = 0; i < input.size() && input[i] != '\x1A'; ++i) {
        if (!(input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n'))
            text += input[i];
    }
    std::vector<std::string> pieces;
    std::size_t position = 0;
    for (bool atEnd = false; !atEnd;) {
        std::string piece;
        while (piece.size() < 4095) {
            if (position == text.size()) {
                atEnd = true;
                break;
            }
            const char c = text[position++];
            if (c == '\n')
                break;
            piece += c;
        }
        pieces.push_back(piece.substr(0, piece.find('\0')));
    }
    return pieces;
}

// atoi of the C runtime, with 32-bit wrap-around instead of overflow.
inline std::int32_t ReferenceAtoi(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && std::string_view(" \t\n\v\f\r").find(text[i]) != std::string_view::npos)
        ++i;
    std::uint64_t sign = 1;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        sign = text[i++] == '-' ? ~std::uint64_t{0} : 1;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = (value * 10 + static_cast<std::uint64_t>(text[i++] - '0')) & 0xFFFFFFFFu;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(sign * value));
}

// The percentage field: the third comma-separated field; with one comma the
// text before it, with none or two the empty text.
inline std::int32_t ReferencePercentage(std::string_view line)
{
    std::vector<std::size_t> commas;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',')
            commas.push_back(i);
    }
    if (commas.size() == 1)
        return ReferenceAtoi(line.substr(0, commas[0]));
    if (commas.size() < 3)
        return 0;
    return ReferenceAtoi(line.substr(commas[1] + 1, commas[2] - commas[1] - 1));
}

// Where `text` first occurs in `line`, compared byte by byte at each position.
inline std::size_t ReferenceFirstOccurrence(std::string_view line, std::string_view text)
{
    for (std::size_t at = 0; at + text.size() <= line.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < text.size() && same; ++i)
            same = line[at + i] == text[i];
        if (same)
            return at;
    }
    return std::string_view::npos;
}

// Kept: shown at the maximum or below, and airport and type first found
// somewhere after the line's first byte.
inline bool ReferenceKeep(std::string_view line, const ReduceParameters& parameters)
{
    const auto foundAfterStart = [&](std::string_view text) {
        const std::size_t at = ReferenceFirstOccurrence(line, text);
        return at != std::string_view::npos && at > 0;
    };
    return ReferencePercentage(line) <= parameters.maxPercentage && foundAfterStart(parameters.airport)
        && foundAfterStart(parameters.flightType);
}

inline std::string ReferenceOutput(std::string_view input, const ReduceParameters& parameters)
{
    std::string output;
    for (const std::string& piece : ReferencePieces(input)) {
        if (ReferenceKeep(piece, parameters))
            output += piece + "\r\n";
    }
    return output;
}

// Lines read: every piece but an empty one that meets the end of the input.
inline std::uint64_t ReferenceLinesRead(std::string_view input)
{
    const std::vector<std::string> pieces = ReferencePieces(input);
    return pieces.size() - (pieces.back().empty() ? 1 : 0);
}
