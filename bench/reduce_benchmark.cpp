// Times a reduce of a realistic one-million-line flight-plan file against two
// peers: mawk doing the same test with a flush after each printed line, and
// the floor of any program that does this job, which reads the file once and
// writes each kept line with one system call. Prints the medians and the
// engine's time as a multiple of the floor's and as a fraction of mawk's.
#include "flight_plan_reduction.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Scenario {
    const char* name;
    const char* percentage;
    const char* airport;
    const char* type;
    const char* awkProgram;
};

constexpr Scenario kScenarios[] = {
    {"selective", "30", "EDDF", "IFR",
     R"(index($0,"IFR")>1 && index($0,"EDDF")>1 && ($3+0)<=30 {print; fflush()})"},
    {"wildcard", "100", "#", "#", R"(index($0,"#")>1 && ($3+0)<=100 {print; fflush()})"},
};

fs::path g_workDirectory;
fs::path g_inputPath;

// One flight plan a line, as TTools writes them, with CR LF line ends: aircraft
// number, registration, display percentage, days, flight type, then per leg
// departure and arrival time, flight level, fixed or repeating, flight number
// and destination.
void WriteFlightPlans(const fs::path& path, int lines)
{
    static const char* const kAirports[] = {"EDDF", "EDDM", "EDDH", "EDDL", "EDDT", "LOWW", "LSZH", "EHAM",
                                            "EGLL", "LFPG", "LEMD", "LIRF", "KJFK", "KLAX", "KORD", "EKCH"};
    std::mt19937 random(42);
    std::ofstream file(path, std::ios::binary);
    char field[64];
    for (int n = 1; n <= lines; ++n) {
        std::snprintf(field, sizeof field, "AC#%d,D-A%c%c%c,%u%%,WEEK,%s", n, 'A' + static_cast<int>(random() % 26),
                      'A' + static_cast<int>(random() % 26), 'A' + static_cast<int>(random() % 26),
                      static_cast<unsigned>(1 + random() % 100), random() % 10 ? "IFR" : "VFR");
        file << field;
        for (auto legs = 1 + random() % 4; legs > 0; --legs) {
            std::snprintf(field, sizeof field, ",%u/%02u:%02u,@%u/%02u:%02u,%u,%c,%u,%s",
                          static_cast<unsigned>(random() % 7), static_cast<unsigned>(random() % 24),
                          static_cast<unsigned>(random() % 60), static_cast<unsigned>(random() % 7),
                          static_cast<unsigned>(random() % 24), static_cast<unsigned>(random() % 60),
                          static_cast<unsigned>(50 + 10 * (random() % 35)), random() % 2 ? 'F' : 'R',
                          static_cast<unsigned>(100 + random() % 9000), kAirports[random() % std::size(kAirports)]);
            file << field;
        }
        file << "\r\n";
    }
}

void ReduceWithEngine(benchmark::State& state, const Scenario& scenario)
{
    const ReduceParameters parameters = MakeReduceParameters(scenario.percentage, scenario.airport, scenario.type);
    for (auto _ : state) {
        if (!ReduceFlightPlanFile(g_inputPath, parameters).succeeded)
            state.SkipWithError("the reduce failed");
    }
}

void ReduceWithMawk(benchmark::State& state, const Scenario& scenario)
{
    const std::string command = "mawk -F, '" + std::string(scenario.awkProgram) + "' '" + g_inputPath.string()
                              + "' > '" + (g_workDirectory / "mawk.txt").string() + "'";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("mawk failed");
    }
}

// The kept lines of a scenario, each with its CR LF, as the engine wrote them.
std::vector<std::string> KeptLines(const Scenario& scenario)
{
    const ReduceResult result =
        ReduceFlightPlanFile(g_inputPath, MakeReduceParameters(scenario.percentage, scenario.airport, scenario.type));
    std::ifstream output(result.outputFileName, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(output, line);)
        lines.push_back(line + "\n");
    return lines;
}

// What any program must do: read the whole file once, and write each kept
// line to the output with one system call, as the flush after every line asks.
void ReadAndWriteOnly(benchmark::State& state, const Scenario& scenario)
{
    const std::vector<std::string> lines = KeptLines(scenario);
    std::vector<char> buffer(256 * 1024);
    const std::string outputPath = (g_workDirectory / "floor.txt").string();
    for (auto _ : state) {
        const int input = ::open(g_inputPath.c_str(), O_RDONLY);
        const int output = ::open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        while (::read(input, buffer.data(), buffer.size()) > 0) {
        }
        for (const std::string& line : lines) {
            if (::write(output, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
                state.SkipWithError("a write failed");
        }
        ::close(input);
        ::close(output);
    }
}

// Prints the usual table, then each engine median against its peers' medians.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                m_medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const Scenario& scenario : kScenarios) {
            const double engine = m_medians[std::string("engine/") + scenario.name];
            const double floor = m_medians[std::string("floor/") + scenario.name];
            const double mawk = m_medians[std::string("mawk/") + scenario.name];
            if (engine > 0 && floor > 0 && mawk > 0)
                std::printf("%-10s engine %8.1f ms   floor %8.1f ms   mawk %8.1f ms   engine/floor %.2f   "
                            "mawk/engine %.2f\n",
                            scenario.name, engine, floor, mawk, engine / floor, mawk / engine);
        }
    }

private:
    std::map<std::string, double> m_medians;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    g_workDirectory = fs::temp_directory_path() / "orvanta-benchmark";
    fs::create_directories(g_workDirectory);
    g_inputPath = g_workDirectory / "plans.txt";
    WriteFlightPlans(g_inputPath, 1'000'000);
    std::printf("input: %s, %.1f MB\n", g_inputPath.c_str(), static_cast<double>(fs::file_size(g_inputPath)) / 1e6);

    for (const Scenario& scenario : kScenarios) {
        for (const auto& [peer, function] : {std::pair{"engine/", &ReduceWithEngine}, std::pair{"floor/", &ReadAndWriteOnly},
                                             std::pair{"mawk/", &ReduceWithMawk}}) {
            benchmark::RegisterBenchmark((peer + std::string(scenario.name)).c_str(), function, scenario)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(1)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    // The engine's memory, apart from the floor's copy of the kept lines.
    for (const Scenario& scenario : kScenarios) {
        const pid_t child = ::fork();
        if (child == 0) {
            ReduceFlightPlanFile(g_inputPath, MakeReduceParameters(scenario.percentage, scenario.airport, scenario.type));
            rusage usage{};
            ::getrusage(RUSAGE_SELF, &usage);
            std::printf("%-10s peak resident memory of a reduce: %.1f MB\n", scenario.name,
                        static_cast<double>(usage.ru_maxrss) / 1024);
            std::fflush(stdout);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
    }
    fs::remove_all(g_workDirectory);
    benchmark::Shutdown();
}
