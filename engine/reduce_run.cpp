#include "file_access.h"
#include "flight_plan_reduction.h"
#include "reduce_stream.h"

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

    const StreamCounts counts = ReduceStream(input, parameters, [&output](std::string_view record) {
        return output.WriteAll(record);
    });
    result.linesRead = counts.linesRead;
    result.linesKept = counts.linesKept;
    input.Close();
    const FileIdentity outputIdentity = output.Identity();
    const bool written = output.Close() && !counts.writeFailed;

    result.succeeded = written && !counts.readFailed;
    if (!result.succeeded) {
        result.failure = counts.readFailed ? ReduceFailure::CannotReadInput : ReduceFailure::CannotWriteOutput;
        // A half-written result must not pass for a finished one.
        RemoveFileIfSame(result.outputFileName, outputIdentity);
    }
    return result;
}
