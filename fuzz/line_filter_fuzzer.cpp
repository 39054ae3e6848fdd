// Fuzzes the settings and the line test against the reference model of the
// tests, which restates the rules by fields and without the engine's code.
#include "flight_plan_reduction.h"
#include "reference_reduce.h"
#include "require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string percentage = provider.ConsumeRandomLengthString(12);
    const std::string airport = provider.ConsumeRandomLengthString(6);
    const std::string type = provider.ConsumeRandomLengthString(5);
    const std::string line = provider.ConsumeRemainingBytesAsString();

    const ReduceParameters parameters = MakeReduceParameters(percentage, airport, type);
    Require(parameters.percentageText == percentage);
    Require(parameters.maxPercentage == ReferenceAtoi(percentage));
    Require(parameters.airport.size() == airport.size() && parameters.flightType.size() == type.size());
    for (std::size_t i = 0; i < airport.size(); ++i)
        Require(parameters.airport[i] == (airport[i] >= 'a' && airport[i] <= 'z' ? airport[i] - 'a' + 'A' : airport[i]));
    for (std::size_t i = 0; i < type.size(); ++i)
        Require(parameters.flightType[i] == (type[i] >= 'a' && type[i] <= 'z' ? type[i] - 'a' + 'A' : type[i]));

    // The name keeps the input's folder and ends in the settings.
    const std::string name = MakeOutputFileName(line, parameters);
    Require(name.size() >= 7 && name.compare(name.size() - 4, 4, ".txt") == 0);
    Require(name.find("_" + percentage + "%_") != std::string::npos);
    const std::size_t folderEnd = line.rfind('/');
    Require(folderEnd == std::string::npos || name.compare(0, folderEnd + 1, line, 0, folderEnd + 1) == 0);

    Require(FlightPlanPercentage(line) == ReferencePercentage(line));
    Require(KeepFlightPlanLine(line, parameters) == ReferenceKeep(line, parameters));
    return 0;
}
