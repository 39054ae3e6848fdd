// Fuzzes reading and testing over memory, without files, so that a run
// reaches more inputs than one through real files: a small buffer and uneven
// reads put the refills everywhere. Every piece and every verdict must match the reference, and so
// must the whole run's output and counts, lines stepped over included.
#include "flight_plan_reduction.h"
#include "memory_source.h"
#include "reduce_stream.h"
#include "reference_reduce.h"
#include "require.h"
#include "text_mode_reader.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::size_t bufferSize = LINE_BUFFER_SIZE + data[0] % 64;
    const std::size_t step = 1 + data[1] * 23u;
    const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);

    static const ReduceParameters kSettings[] = {
        MakeReduceParameters("30", "#", "#"),
        MakeReduceParameters("100", "EDDF", "IFR"),
        MakeReduceParameters("0", "", "VFR"),
        MakeReduceParameters("50", "#", "IFR"),
    };
    const ReduceParameters& parameters = kSettings[(data[0] / 64 + data[1]) % std::size(kSettings)];

    MemorySource source(input, step);
    TextModeReader reader(source, bufferSize);
    const std::vector<std::string> expected = ReferencePieces(input);
    std::size_t next = 0;
    while (!reader.AtEnd()) {
        const std::string_view piece = reader.ReadLine();
        Require(next < expected.size() && piece == expected[next++]);
        Require(KeepFlightPlanLine(piece, parameters) == ReferenceKeep(piece, parameters));
    }
    Require(next == expected.size() && !reader.Failed());

    MemorySource again(input, step);
    std::string output;
    const StreamCounts counts = ReduceStream(
        again, parameters,
        [&output](std::string_view record) {
            output += record;
            return true;
        },
        bufferSize);
    Require(output == ReferenceOutput(input, parameters));
    Require(counts.linesRead == ReferenceLinesRead(input) && !counts.readFailed && !counts.writeFailed);
    return 0;
}
