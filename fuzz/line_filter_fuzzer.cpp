// Fuzzes the settings and the line test against a plain restatement of the
// rules, written without the engine's shortcuts.
#include "flight_plan_reduction.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

std::int32_t PlainAtoi(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && std::string(" \t\n\v\f\r").find(text[i]) != std::string::npos)
        ++i;
    std::int64_t sign = 1;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        sign = text[i++] == '-' ? -1 : 1;
    std::uint64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = (value * 10 + static_cast<std::uint64_t>(text[i++] - '0')) & 0xFFFFFFFFu;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(sign) * value));
}

long Find(const std::string& text, const std::string& sub, long start)
{
    const auto position = text.find(sub, static_cast<std::size_t>(start));
    return position == std::string::npos ? -1 : static_cast<long>(position);
}

std::int32_t PlainPercentage(const std::string& line)
{
    const long c1 = Find(line, ",", 0);
    const long c2 = Find(line, ",", c1 + 1);
    const long c3 = Find(line, ",", c2 + 1);
    const long length = c3 - c2 - 1;
    return length <= 0 ? 0 : PlainAtoi(line.substr(static_cast<std::size_t>(c2 + 1), static_cast<std::size_t>(length)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string percentage = provider.ConsumeRandomLengthString(12);
    const std::string airport = provider.ConsumeRandomLengthString(6);
    const std::string type = provider.ConsumeRandomLengthString(5);
    const std::string line = provider.ConsumeRemainingBytesAsString();

    const ReduceParameters parameters = MakeReduceParameters(percentage, airport, type);
    Require(parameters.percentageText == percentage);
    Require(parameters.maxPercentage == PlainAtoi(percentage));
    Require(parameters.airport.size() == airport.size() && parameters.flightType.size() == type.size());
    for (const char c : parameters.airport + parameters.flightType)
        Require(c < 'a' || c > 'z');

    const std::string name = MakeOutputFileName(line, parameters);
    Require(name.size() >= 7 && name.compare(name.size() - 4, 4, ".txt") == 0);
    Require(name.find("_" + percentage + "%_") != std::string::npos);

    Require(FlightPlanPercentage(line) == PlainPercentage(line));
    const bool kept = PlainPercentage(line) <= parameters.maxPercentage && Find(line, parameters.airport, 0) > 0
                   && Find(line, parameters.flightType, 0) > 0;
    Require(KeepFlightPlanLine(line, parameters) == kept);
    return 0;
}
