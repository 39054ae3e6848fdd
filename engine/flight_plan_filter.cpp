#include "flight_plan_reduction.h"
#include "leading_integer.h"

namespace {

// Position of the first occurrence of `sub` at or after `start`, or -1.
std::ptrdiff_t Find(std::string_view text, std::string_view sub, std::ptrdiff_t start)
{
    const auto position = text.find(sub, static_cast<std::size_t>(start));
    return position == std::string_view::npos ? -1 : static_cast<std::ptrdiff_t>(position);
}

}  // namespace

std::int32_t FlightPlanPercentage(std::string_view line)
{
    // A failed search gives -1, so the next one starts again at 0: lines with
    // fewer than three commas still yield a (possibly empty) field.
    const auto c1 = Find(line, ",", 0);
    const auto c2 = Find(line, ",", c1 + 1);
    const auto c3 = Find(line, ",", c2 + 1);
    const auto length = c3 - c2 - 1;
    if (length <= 0)
        return 0;
    return ReadLeadingInteger(line.substr(static_cast<std::size_t>(c2 + 1), static_cast<std::size_t>(length)));
}

bool KeepFlightPlanLine(std::string_view line, const ReduceParameters& parameters)
{
    // Only the first occurrence counts, and it must not stand at the very
    // start: a flight plan's first field is its aircraft number.
    return FlightPlanPercentage(line) <= parameters.maxPercentage
        && Find(line, parameters.airport, 0) > 0
        && Find(line, parameters.flightType, 0) > 0;
}
