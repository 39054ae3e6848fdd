// Bad inputs that Windows has: read-only files, characters that file names
// cannot hold or that mean something else there, and files other programs
// hold open.
#include "bad_input_support.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const BadInput kWindowsBadInputs[] = {
    {"output is a read-only file",
     [](const ScratchDirectory& d) {
         d.Write("plans_30%_.txt", "an earlier result\r\n");
         fs::permissions(d.PathOf("plans_30%_.txt"), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                         fs::perm_options::remove);
         return d.Write("plans.txt", ManyPlans(3));
     },
     false},
    {"airport names a stream of another file",
     [](const ScratchDirectory& d) {
         d.Write("plans_30%_ED", "another file\r\n");
         return d.Write("plans.txt", ManyPlans(3));
     },
     false, "ED:F"},
    {"airport holds a backslash", [](const ScratchDirectory& d) {
         fs::create_directory(d.PathOf("plans_30%_ED"));
         return d.Write("plans.txt", ManyPlans(3));
     },
     false, "ED\\F"},
};

TEST(BadInput, EndsTruthfullyAndLosesNothingOnWindows)
{
    ExpectEachEndsTruthfully(kWindowsBadInputs);
}

TEST(BadInput, CharactersWindowsNamesCannotHoldAreRefused)
{
    for (const char refused : std::string_view("\\/:*?\"<>|\x01\x1F")) {
        SCOPED_TRACE(testing::Message() << "character " << static_cast<int>(refused));
        ScratchDirectory dir;
        const std::string input = dir.Write("plans.txt", ManyPlans(3));
        const auto before = Snapshot(dir.PathOf(""));
        EXPECT_FALSE(ReduceFlightPlanFile(input, MakeReduceParameters("30", std::string("E") + refused, "#")).succeeded);
        EXPECT_FALSE(ReduceFlightPlanFile(input, MakeReduceParameters(std::string("3") + refused, "#", "#")).succeeded);
        EXPECT_EQ(Snapshot(dir.PathOf("")), before);
    }
}

// Holds a file open the way another program may.
class HeldFile {
public:
    HeldFile(const std::string& path, DWORD access, DWORD share)
        : m_handle(::CreateFileW(fs::path(path).wstring().c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { ::CloseHandle(m_handle); }
    bool IsHeld() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

TEST(BadInput, OutputThatAnotherProgramWritesIsLeftAlone)
{
    ScratchDirectory dir;
    const std::string input = dir.Write("plans.txt", ManyPlans(3));
    const std::string output = dir.Write("plans_30%_.txt", "being written by another run\r\n");
    {
        const HeldFile other(output, GENERIC_WRITE, FILE_SHARE_READ);
        ASSERT_TRUE(other.IsHeld());
        EXPECT_FALSE(ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded);
        EXPECT_EQ(ScratchDirectory::Read(output), "being written by another run\r\n");
    }
    EXPECT_TRUE(ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded);
    EXPECT_EQ(ScratchDirectory::Read(output), ManyPlans(3));
}

TEST(BadInput, InputThatAnotherProgramHoldsOpenIsStillRead)
{
    ScratchDirectory dir;
    const std::string input = dir.Write("plans.txt", ManyPlans(3));
    const HeldFile other(input, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(other.IsHeld());
    EXPECT_TRUE(ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#")).succeeded);
    EXPECT_EQ(ScratchDirectory::Read(dir.PathOf("plans_30%_.txt")), ManyPlans(3));
}

}  // namespace
