#include "file_access.h"
#include "flight_plan_reduction.h"
#include "text_mode_reader.h"

#include <algorithm>

namespace {

// The typed texts that go into the output's name must not lead it into
// another folder or give it a meaning beyond a plain name.
bool NameTextsAreSafe(const ReduceParameters& parameters)
{
    const auto safe = [](std::string_view text) { return std::all_of(text.begin(), text.end(), IsFileNameByte); };
    return safe(parameters.percentageText) && (parameters.airport == WILDCARD || safe(parameters.airport))
        && (parameters.flightType == WILDCARD || safe(parameters.flightType));
}

}  // namespace

ReduceResult ReduceFlightPlanFile(const std::string& inputPath, const ReduceParameters& parameters)
{
    ReduceResult result{MakeOutputFileName(inputPath, parameters), false};
    const auto fail = [&result](ReduceFailure failure) {
        result.failure = failure;
        return result;
    };
    if (!NameTextsAreSafe(parameters))
        return fail(ReduceFailure::NameNotAllowed);

    NativeFile input = OpenInputFile(inputPath);
    if (!input.IsOpen())
        return fail(ReduceFailure::CannotReadInput);
    // Opened without truncation first: the output must be known not to be the
    // input itself before anything in it is destroyed.
    NativeFile output = OpenOutputFile(result.outputFileName);
    if (!output.IsOpen())
        return fail(ReduceFailure::CannotWriteOutput);
    if (output.Identity() == input.Identity())
        return fail(ReduceFailure::OutputIsInput);
    if (!output.Truncate())
        return fail(ReduceFailure::CannotWriteOutput);

    TextModeReader reader(input);
    std::string record;
    record.reserve(LINE_BUFFER_SIZE + 1);
    bool written = true;
    while (written && !reader.AtEnd()) {
        const std::string_view line = reader.ReadLine();
        // The empty piece that meets the end of the file is no line of it.
        if (!(line.empty() && reader.AtEnd()))
            ++result.linesRead;
        if (KeepFlightPlanLine(line, parameters)) {
            record.assign(line);
            record += "\r\n";
            written = output.WriteAll(record);
            result.linesKept += written ? 1 : 0;
        }
    }
    input.Close();
    const FileIdentity outputIdentity = output.Identity();
    written = output.Close() && written;

    result.succeeded = written && !reader.Failed();
    if (!result.succeeded) {
        result.failure = reader.Failed() ? ReduceFailure::CannotReadInput : ReduceFailure::CannotWriteOutput;
        // A half-written result must not pass for a finished one.
        RemoveFileIfSame(result.outputFileName, outputIdentity);
    }
    return result;
}
