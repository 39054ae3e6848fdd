#include "reduce_stream.h"

#include <string>

namespace {

// A text that every line that passes must hold: the airport, else the flight
// type. The wildcard stands in nearly every line and is no help; an empty
// text finds nothing to step over.
std::string_view RequiredText(const ReduceParameters& parameters)
{
    if (parameters.airport != WILDCARD)
        return parameters.airport;
    if (parameters.flightType != WILDCARD)
        return parameters.flightType;
    return {};
}

}  // namespace

StreamCounts ReduceStream(ByteSource& input, const ReduceParameters& parameters,
                          const std::function<bool(std::string_view)>& write, std::size_t bufferSize)
{
    StreamCounts counts;
    TextModeReader reader(input, bufferSize);
    const std::string_view required = RequiredText(parameters);
    std::string record;
    record.reserve(LINE_BUFFER_SIZE + 1);
    while (!reader.AtEnd()) {
        // Lines that lack the required text cannot pass; most lines of a
        // selective run are stepped over without being cut out and tested.
        if (!required.empty())
            counts.linesRead += reader.SkipLinesWithout(required);
        const std::string_view line = reader.ReadLine();
        // The empty piece that meets the end of the file is no line of it.
        if (!(line.empty() && reader.AtEnd()))
            ++counts.linesRead;
        if (KeepFlightPlanLine(line, parameters)) {
            record.assign(line);
            record += "\r\n";
            if (!write(record)) {
                counts.writeFailed = true;
                break;
            }
            ++counts.linesKept;
        }
    }
    counts.readFailed = reader.Failed();
    return counts;
}
