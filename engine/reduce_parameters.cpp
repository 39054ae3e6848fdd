#include "flight_plan_reduction.h"
#include "file_access.h"
#include "leading_integer.h"

#include <vector>

namespace {

// Only a to z are mapped: the result must not depend on the user's locale,
// and airport codes and flight types are plain ASCII.
std::string UpperCased(std::string_view text)
{
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

// Length of the UTF-8 sequence that starts at `text[at]`, or 1 for a byte
// that starts none: a stray byte of another encoding is a character of its own.
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned lead = byteAt(0);
    const std::size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 1;
    if (length == 1 || at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byteAt(i) & 0xC0) != 0x80)
            return 1;
    }
    // Overlong forms, UTF-16 surrogates and code points past U+10FFFF are no characters.
    const unsigned second = byteAt(1);
    const bool valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0)
                    && !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
    return valid ? length : 1;
}

// Drops the last `count` characters of a path's file name without splitting
// one; a shorter name goes whole, but its folder always stays.
std::string_view WithoutLastCharacters(std::string_view path, std::size_t count)
{
    std::size_t nameStart = path.size();
    while (nameStart > 0 && !IsPathSeparator(path[nameStart - 1]))
        --nameStart;
    std::vector<std::size_t> starts;
    for (std::size_t at = nameStart; at < path.size(); at += CharacterLength(path, at))
        starts.push_back(at);
    return path.substr(0, starts.size() > count ? starts[starts.size() - count] : nameStart);
}

}  // namespace

std::int32_t ReadLeadingInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

ReduceParameters MakeReduceParameters(std::string_view percentageRaw, std::string_view airportRaw,
                                      std::string_view flightTypeRaw)
{
    return ReduceParameters{
        .percentageText = std::string(percentageRaw),
        .maxPercentage = ReadLeadingInteger(percentageRaw),
        .airport = UpperCased(airportRaw),
        .flightType = UpperCased(flightTypeRaw),
    };
}

std::string MakeOutputFileName(std::string_view inputPath, const ReduceParameters& parameters)
{
    std::string name(WithoutLastCharacters(inputPath, 4));
    name += '_';
    name += parameters.percentageText;
    name += "%_";
    const bool anyAirport = parameters.airport == WILDCARD;
    const bool anyType = parameters.flightType == WILDCARD;
    if (!anyAirport)
        name += parameters.airport;
    if (!anyAirport && !anyType)
        name += '_';
    if (!anyType)
        name += parameters.flightType;
    name += ".txt";
    return name;
}
