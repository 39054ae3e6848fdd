// Reduction of a TTools flight-plan file: the settings of one run, the name of
// its output file, the test that decides which lines are kept, and the run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The settings of one run, built once from the texts the user typed.
struct ReduceParameters {
    std::string percentageText;  // the percentage text as typed, named in the output file
    std::int32_t maxPercentage;  // its decimal value; plans shown at this density or below pass
    std::string airport;         // upper-cased; searched for anywhere after a line's first byte
    std::string flightType;      // upper-cased "IFR", "VFR" or WILDCARD
};

// Stands for every airport or both flight types: it is found in every flight
// plan, whose first field is written like AC#12.
inline constexpr std::string_view WILDCARD = "#";

struct ReduceResult {
    std::string outputFileName;  // the name derived from the input path and the settings, also on failure
    bool succeeded;              // false when the input could not be read or the output could not be written
};

ReduceParameters MakeReduceParameters(std::string_view percentageRaw, std::string_view airportRaw,
                                      std::string_view flightTypeRaw);
std::string MakeOutputFileName(std::string_view inputPath, const ReduceParameters& parameters);
std::int32_t FlightPlanPercentage(std::string_view line);
bool KeepFlightPlanLine(std::string_view line, const ReduceParameters& parameters);
ReduceResult ReduceFlightPlanFile(const std::string& inputPath, const ReduceParameters& parameters);
