// Fuzzes whole runs: the bytes become a flight-plan file, and what the run
// writes must be exactly the kept lines, well formed and in input order.
#include "flight_plan_reduction.h"
#include "reference_reduce.h"
#include "require.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

const std::filesystem::path& WorkFolder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("orvanta-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Settings {
    const char* percentage;
    const char* airport;
    const char* type;
};

constexpr Settings kSettings[] = {
    {"30", "#", "#"}, {"100", "EDDF", "IFR"}, {"0", "#", "VFR"}, {"-1", "#", "#"}, {"999", "A", "#"}, {"50", "", "#"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Settings& settings = kSettings[data[0] % std::size(kSettings)];
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::filesystem::path inputPath = WorkFolder() / "plans.txt";
    std::ofstream(inputPath, std::ios::binary | std::ios::trunc) << input;

    const ReduceParameters parameters = MakeReduceParameters(settings.percentage, settings.airport, settings.type);
    const ReduceResult result = ReduceFlightPlanFile(inputPath.string(), parameters);
    Require(result.succeeded);
    const std::string output = ReadAll(result.outputFileName);

    // Every line ends in CR LF, holds no LF or NUL, fits a line buffer and
    // passes the test; together they are the input's kept lines in order.
    const std::vector<std::string> pieces = ReferencePieces(input);
    std::size_t next = 0;
    for (std::size_t start = 0; start < output.size();) {
        const std::size_t end = output.find("\r\n", start);
        Require(end != std::string::npos);
        const std::string line = output.substr(start, end - start);
        Require(line.find('\n') == std::string::npos && line.find('\0') == std::string::npos);
        Require(line.size() <= 4095);
        Require(KeepFlightPlanLine(line, parameters));
        while (next < pieces.size() && pieces[next] != line)
            ++next;
        Require(next++ < pieces.size());
        start = end + 2;
    }
    Require(output == ReferenceOutput(input, parameters));
    Require(ReadAll(inputPath) == input);
    return 0;
}
