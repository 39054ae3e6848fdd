// What a reduce must write, computed the slow and obvious way: Windows text
// translation of the whole input first, then line reads as the C runtime's
// fgets does them with a 4096-byte buffer, then the line test.
#pragma once

#include "flight_plan_reduction.h"

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

inline std::string ReferenceOutput(std::string_view input, const ReduceParameters& parameters)
{
    std::string output;
    for (const std::string& piece : ReferencePieces(input)) {
        if (KeepFlightPlanLine(piece, parameters))
            output += piece + "\r\n";
    }
    return output;
}
