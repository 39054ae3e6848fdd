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

// Why a run wrote no result.
enum class ReduceFailure {
    None,
    CannotReadInput,    // missing, not a regular file, unreadable, or a read failed
    CannotWriteOutput,  // the output could not be created, held, emptied, written or closed
    OutputIsInput,      // the output's name leads to the input itself
    NameNotAllowed,     // a typed text holds a character the output's name cannot hold
};

struct ReduceResult {
    std::string outputFileName;  // the name derived from the input path and the settings, also on failure
    bool succeeded;              // false when the input could not be read or the output could not be written
    ReduceFailure failure = ReduceFailure::None;
    std::uint64_t linesRead = 0;  // lines (pieces of at most 4095 bytes) read and tested
    std::uint64_t linesKept = 0;  // of those, the lines written to the output
};

ReduceParameters MakeReduceParameters(std::string_view percentageRaw, std::string_view airportRaw,
                                      std::string_view flightTypeRaw);
std::string MakeOutputFileName(std::string_view inputPath, const ReduceParameters& parameters);
std::int32_t FlightPlanPercentage(std::string_view line);
bool KeepFlightPlanLine(std::string_view line, const ReduceParameters& parameters);
ReduceResult ReduceFlightPlanFile(const std::string& inputPath, const ReduceParameters& parameters);
