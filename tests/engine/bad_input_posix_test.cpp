// Bad inputs that only POSIX systems have: links, named pipes, devices,
// permissions that root must give up to feel, file-size limits and locks.
#include "bad_input_support.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Runs the reduce in a child process, after `restrict` has limited it, and
// tells whether the run reported success.
bool RunRestricted(void (*restrict)(), const std::string& input, const ReduceParameters& parameters)
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

bool RunWithoutPrivileges(const std::string& input, const ReduceParameters& parameters)
{
    return RunRestricted(DropPrivileges, input, parameters);
}

bool RunWithFileSizeLimit(const std::string& input, const ReduceParameters& parameters)
{
    return RunRestricted(LimitFileSize, input, parameters);
}

const BadInput kPosixBadInputs[] = {
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
     false, "#", RunWithoutPrivileges},
    {"output is a read-only file",
     [](const ScratchDirectory& d) {
         fs::permissions(d.PathOf(""), fs::perms::all);
         d.Write("plans_30%_.txt", "an earlier result\r\n");
         fs::permissions(d.PathOf("plans_30%_.txt"), fs::perms::owner_read | fs::perms::others_read);
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::permissions(input, fs::perms::owner_read | fs::perms::others_read);
         return input;
     },
     false, "#", RunWithoutPrivileges},
    {"disk fills up during the run", [](const ScratchDirectory& d) { return d.Write("plans.txt", ManyPlans(2000)); },
     false, "#", RunWithFileSizeLimit},
    {"output name is a link to the input",
     [](const ScratchDirectory& d) {
         const std::string input = d.Write("plans.txt", ManyPlans(3));
         fs::create_symlink(input, d.PathOf("plans_30%_.txt"));
         return input;
     },
     false},
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

TEST(BadInput, EndsTruthfullyAndLosesNothingOnPosix)
{
    ExpectEachEndsTruthfully(kPosixBadInputs);
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

TEST(BadInput, HugeLineKeepsMemoryFlat)
{
    ScratchDirectory dir;
    const std::string input = dir.PathOf("plans.txt");
    {
        std::ofstream file(input, std::ios::binary);
        file << kBadInputPlan;
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
              (kBadInputPlan + std::string(4095 - kBadInputPlan.size(), 'x')) + "\r\n");
}

}  // namespace
