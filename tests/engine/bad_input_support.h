// What the bad-input tests share: a record of every file in a folder, and a
// table runner that checks a run ends truthfully and loses nothing.
#pragma once

#include "flight_plan_reduction.h"
#include "reference_reduce.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>

inline const std::string kBadInputPlan = "AC#1,D-ABCD,5%,WEEK,IFR,0/08:00:00,@0/09:00:00,350,F,123,EDDF";

// Every entry under the folder: a file's bytes, or what else it is.
inline std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_symlink() || !entry.is_regular_file())
            files[entry.path().string()] = entry.is_symlink() ? "link" : "folder";
        else
            files[entry.path().string()] = ScratchDirectory::Read(entry.path().string());
    }
    return files;
}

inline std::string RandomBytes(std::size_t count)
{
    std::mt19937 random(7);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

inline std::string ManyPlans(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += kBadInputPlan + "\r\n";
    return text;
}

struct BadInput {
    const char* name;
    // Lays out the files; returns the input path handed to the run.
    std::function<std::string(const ScratchDirectory&)> prepare;
    bool succeeds;
    const char* airport = "#";
    // Runs the reduce under some restriction and tells whether it succeeded;
    // null runs it plainly.
    std::function<bool(const std::string&, const ReduceParameters&)> run = nullptr;
};

// Each case's run says truthfully whether it wrote its result, and nothing
// else changes: a run that fails leaves no file behind.
template <std::size_t N>
void ExpectEachEndsTruthfully(const BadInput (&cases)[N])
{
    namespace fs = std::filesystem;
    for (const BadInput& bad : cases) {
        SCOPED_TRACE(bad.name);
        ScratchDirectory dir;
        const std::string input = bad.prepare(dir);
        const std::map<std::string, std::string> before = Snapshot(dir.PathOf(""));
        const ReduceParameters parameters = MakeReduceParameters("30", bad.airport, "#");
        const std::string output = MakeOutputFileName(input, parameters);

        const bool succeeded = bad.run ? bad.run(input, parameters) : ReduceFlightPlanFile(input, parameters).succeeded;

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
