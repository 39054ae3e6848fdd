// Files from anywhere, and file systems that refuse: whatever happens, the run
// ends, says truthfully whether it wrote its result, and loses nothing.
#include "flight_plan_reduction.h"
#include "reference_reduce.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kPlan = "AC#1,D-ABCD,5%,WEEK,IFR,0/08:00:00,@0/09:00:00,350,F,123,EDDF";

std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_symlink() || !entry.is_regular_file())
            files[entry.path().string()] = entry.is_symlink() ? "link" : "folder";
        else
            files[entry.path().string()] = ScratchDirectory::Read(entry.path().string());
    }
    return files;
}

// Runs the reduce in a child process, after `restrict` has limited it, and
// tells whether the run reported success.
bool RunRestricted(const std::function<void()>& restrict, const std::string& input, const ReduceParameters& parameters)
{
    const pid_t child = ::fork();
    if (child == 0) {
        restrict();
        ::_exit(ReduceFlightPlanFile(input, parameters).succeeded ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the run crashed";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Permissions do not stop root, so the run gives up root first.
void DropPrivileges()
{
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
}

void LimitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

std::string RandomBytes(std::size_t count)
{
    std::mt19937 random(7);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

std::string ManyPlans(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += kPlan + "\r\n";
    return text;
}

struct BadInput {
    const char* name;
    // Lays out the files; returns the input path handed to the run.
    std::function<std::string(const ScratchDirectory&)> prepare;
    bool succeeds;
    const char* airport = "#";
    std::function<void()> restrict = nullptr;
};

const BadInput kBadInputs[] = {
    {"empty file", [](const ScratchDirectory& d) { return d.Write("plans.txt", ""); }, true},
    {"random binary data", [](const ScratchDirectory& d) { return d.Write("plans.txt", RandomBytes(1 << 20)); }, true},
    {"NUL as first byte", [](const ScratchDirectory& d) { return d.Write("plans.txt", std::string(1, '\0') + kPlan); }, true},
    {"NUL right before the line end",
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kPlan + std::string(1, '\0') + "\r\n" + kPlan); }, true},
    {"Ctrl-Z as first byte", [](const ScratchDirectory& d) { return d.Write("plans.txt", "\x1A" + kPlan + "\r\n"); }, true},
    {"Ctrl-Z between CR and LF",
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kPlan + "\r\x1A\n" + kPlan); }, true},
    {"CR runs", [](const ScratchDirectory& d) { return d.Write("plans.txt", kPlan + "\r\r\r\r\n\r\r\r\n" + kPlan + "\r\r"); },
     true},
    {"only CRs", [](const ScratchDirectory& d) { return d.Write("plans.txt", std::string(10000, '\r')); }, true},
    {"input is a folder",
     [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("plans.txt"));
         return d.PathOf("plans.txt");
     },
     false},
    {"input is missing", [](const ScratchDirectory& d) { return d.PathOf("missing.txt"); }, false},
    {"input path runs through a file",
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kPlan) + "/more.txt"; }, false},
    {"input cannot be read",
     [](const ScratchDirectory& d) {
         // Reading this process's memory from address 0 fails with an I/O error.
         fs::create_symlink("/proc/self/mem", d.PathOf("memory.txt"));
         return d.PathOf("memory.txt");
     },
     false},
    {"output's folder is read-only",
     [](const ScratchDirectory& d) {
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::permissions(d.PathOf(""), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec
                                            | fs::perms::others_read | fs::perms::others_exec);
         return input;
     },
     false, "#", DropPrivileges},
    {"output is a read-only file",
     [](const ScratchDirectory& d) {
         fs::permissions(d.PathOf(""), fs::perms::all);
         d.Write("plans_30%_.txt", "an earlier result\r\n");
         fs::permissions(d.PathOf("plans_30%_.txt"), fs::perms::owner_read | fs::perms::others_read);
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::permissions(input, fs::perms::owner_read | fs::perms::others_read);
         return input;
     },
     false, "#", DropPrivileges},
    {"disk fills up during the run", [](const ScratchDirectory& d) { return d.Write("plans.txt", ManyPlans(2000)); },
     false, "#", LimitFileSize},
    {"output name is a link to the input",
     [](const ScratchDirectory& d) {
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::create_symlink(input, d.PathOf("plans_30%_.txt"));
         return input;
     },
     false},
    {"output name is a hard link to the input",
     [](const ScratchDirectory& d) {
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::create_hard_link(input, d.PathOf("plans_30%_.txt"));
         return input;
     },
     false},
    {"output name is a folder",
     [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("plans_30%_.txt"));
         return d.Write("plans.txt", ManyPlans(3));
     },
     false},
    {"airport holds a folder separator",
     [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("plans_30%_ED"));
         return d.Write("plans.txt", ManyPlans(3));
     },
     false, "ED/DF"},
    {"output name is a link to a file elsewhere",
     [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("elsewhere"));
         d.Write("elsewhere/precious.txt", "not to be touched\r\n");
         fs::create_symlink(d.PathOf("elsewhere/precious.txt"), d.PathOf("plans_30%_.txt"));
         return d.Write("plans.txt", ManyPlans(3));
     },
     false},
    {"output name is a link to nothing",
     [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("elsewhere"));
         fs::create_symlink(d.PathOf("elsewhere/new.txt"), d.PathOf("plans_30%_.txt"));
         return d.Write("plans.txt", ManyPlans(3));
     },
     false},
    {"input is a named pipe",
     [](const ScratchDirectory& d) {
         ::mkfifo(d.PathOf("plans.txt").c_str(), 0666);
         return d.PathOf("plans.txt");
     },
     false},
    {"input is an endless device",
     [](const ScratchDirectory& d) {
         fs::create_symlink("/dev/zero", d.PathOf("plans.txt"));
         return d.PathOf("plans.txt");
     },
     false},
    {"output name is a named pipe",
     [](const ScratchDirectory& d) {
         ::mkfifo(d.PathOf("plans_30%_.txt").c_str(), 0666);
         return d.Write("plans.txt", ManyPlans(3));
     },
     false},
    {"input is read through a link", [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("real"));
         d.Write("real/flights.txt", ManyPlans(3));
         fs::create_symlink(d.PathOf("real/flights.txt"), d.PathOf("plans.txt"));
         return d.PathOf("plans.txt");
     },
     true},
};

TEST(BadInput, EndsTruthfullyAndLosesNothing)
{
    for (const BadInput& bad : kBadInputs) {
        SCOPED_TRACE(bad.name);
        ScratchDirectory dir;
        const std::string input = bad.prepare(dir);
        const std::map<std::string, std::string> before = Snapshot(dir.PathOf(""));
        const ReduceParameters parameters = MakeReduceParameters("30", bad.airport, "#");
        const std::string output = MakeOutputFileName(input, parameters);

        const bool succeeded = bad.restrict ? RunRestricted(bad.restrict, input, parameters)
                                            : ReduceFlightPlanFile(input, parameters).succeeded;

        EXPECT_EQ(succeeded, bad.succeeds);
        std::map<std::string, std::string> after = Snapshot(dir.PathOf(""));
        if (succeeded) {
            const std::string inputBytes = ScratchDirectory::Read(input);
            EXPECT_EQ(after[output], ReferenceOutput(inputBytes, parameters));
            after.erase(output);
        }
        EXPECT_EQ(after, before) << "files were changed, created or removed";
        fs::permissions(dir.PathOf(""), fs::perms::all);
    }
}

TEST(BadInput, SecondRunOnTheSameOutputFailsAndLeavesTheFirstOnesFile)
{
    ScratchDirectory dir;
    const std::string input = dir.Write("plans.txt", ManyPlans(3));
    const std::string output = dir.Write("plans_30%_.txt", "being written by another run\r\n");
    // Another run holds the output for as long as it writes.
    const int other = ::open(output.c_str(), O_WRONLY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    EXPECT_FALSE(ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded);
    EXPECT_EQ(ScratchDirectory::Read(output), "being written by another run\r\n");
    ::close(other);
    EXPECT_TRUE(ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded);
    EXPECT_EQ(ScratchDirectory::Read(output), ManyPlans(3));
}

TEST(BadInput, TypedTextsThatWouldChangeTheNamesMeaningAreRefused)
{
    const struct {
        const char* name;
        std::string percentage;
        std::string airport;
    } cases[] = {
        {"NUL in the percentage", std::string("3\0" "9", 3), "#"},
        {"NUL in the airport", "30", std::string("ED\0F", 4)},
        {"separator in the percentage", "/30", "#"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const std::string input = dir.Write("plans.txt", ManyPlans(3));
        const auto before = Snapshot(dir.PathOf(""));
        EXPECT_FALSE(ReduceFlightPlanFile(input, MakeReduceParameters(c.percentage, c.airport, "#")).succeeded);
        EXPECT_EQ(Snapshot(dir.PathOf("")), before);
    }
}

TEST(BadInput, HugeLineKeepsMemoryFlat)
{
    ScratchDirectory dir;
    const std::string input = dir.PathOf("plans.txt");
    {
        std::ofstream file(input, std::ios::binary);
        file << kPlan;
        const std::string filler(1 << 20, 'x');
        for (int megabyte = 0; megabyte < 100; ++megabyte)
            file << filler;
        file << "\r\n";
    }
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool succeeded = ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded;
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        const long peakKilobytes = succeeded ? usage.ru_maxrss : -1;
        ::_exit(::write(pipe[1], &peakKilobytes, sizeof peakKilobytes) == sizeof peakKilobytes ? 0 : 1);
    }
    long peakKilobytes = 0;
    ASSERT_EQ(::read(pipe[0], &peakKilobytes, sizeof peakKilobytes), static_cast<ssize_t>(sizeof peakKilobytes));
    ::waitpid(child, nullptr, 0);
    ::close(pipe[0]);
    ::close(pipe[1]);
    ASSERT_GT(peakKilobytes, 0) << "the run failed";
    EXPECT_LT(peakKilobytes, 16 * 1024) << "peak resident memory in KB";
    // Only the first piece carries the aircraft number's "#".
    EXPECT_EQ(ScratchDirectory::Read(dir.PathOf("plans_30%_.txt")),
              (kPlan + std::string(4095 - kPlan.size(), 'x')) + "\r\n");
}

}  // namespace
