#include "flight_plan_reduction.h"
#include "leading_integer.h"

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

// Drops the last `count` characters of a UTF-8 path without splitting one.
std::string_view WithoutLastCharacters(std::string_view text, int count)
{
    std::size_t end = text.size();
    for (; count > 0 && end > 0; --count) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
    }
    return text.substr(0, end);
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
