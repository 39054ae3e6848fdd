// Files from anywhere, and file systems that refuse: whatever happens, the run
// ends, says truthfully whether it wrote its result, and loses nothing. These
// cases hold on every system; each system adds its own.
#include "bad_input_support.h"

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

const BadInput kBadInputs[] = {
    {"empty file", [](const ScratchDirectory& d) { return d.Write("plans.txt", ""); }, true},
    {"random binary data", [](const ScratchDirectory& d) { return d.Write("plans.txt", RandomBytes(1 << 20)); }, true},
    {"NUL as first byte", [](const ScratchDirectory& d) { return d.Write("plans.txt", std::string(1, '\0') + kBadInputPlan); }, true},
    {"NUL right before the line end",
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kBadInputPlan + std::string(1, '\0') + "\r\n" + kBadInputPlan); }, true},
    {"Ctrl-Z as first byte", [](const ScratchDirectory& d) { return d.Write("plans.txt", "\x1A" + kBadInputPlan + "\r\n"); }, true},
    {"Ctrl-Z between CR and LF",
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kBadInputPlan + "\r\x1A\n" + kBadInputPlan); }, true},
    {"CR runs", [](const ScratchDirectory& d) { return d.Write("plans.txt", kBadInputPlan + "\r\r\r\r\n\r\r\r\n" + kBadInputPlan + "\r\r"); },
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
     [](const ScratchDirectory& d) { return d.Write("plans.txt", kBadInputPlan) + "/more.txt"; }, false},
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
};

TEST(BadInput, EndsTruthfullyAndLosesNothing)
{
    ExpectEachEndsTruthfully(kBadInputs);
}

TEST(BadInput, FailedRunSaysWhy)
{
    const struct {
        const char* name;
        std::function<std::string(const ScratchDirectory&)> prepare;
        const char* airport;
        ReduceFailure failure;
    } cases[] = {
        {"nothing wrong", [](const ScratchDirectory& d) { return d.Write("plans.txt", ManyPlans(3)); }, "#",
         ReduceFailure::None},
        {"input is missing", [](const ScratchDirectory& d) { return d.PathOf("missing.txt"); }, "#",
         ReduceFailure::CannotReadInput},
        {"output name is a folder",
         [](const ScratchDirectory& d) {
             fs::create_directory(d.PathOf("plans_30%_.txt"));
             return d.Write("plans.txt", ManyPlans(3));
         },
         "#", ReduceFailure::CannotWriteOutput},
        {"output name is a hard link to the input",
         [](const ScratchDirectory& d) {
             const std::string input = d.Write("plans.txt", ManyPlans(3));
             fs::create_hard_link(input, d.PathOf("plans_30%_.txt"));
             return input;
         },
         "#", ReduceFailure::OutputIsInput},
        {"airport holds a folder separator", [](const ScratchDirectory& d) { return d.Write("plans.txt", ManyPlans(3)); },
         "ED/DF", ReduceFailure::NameNotAllowed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchDirectory dir;
        const ReduceResult result = ReduceFlightPlanFile(c.prepare(dir), MakeReduceParameters("30", c.airport, "#"));
        EXPECT_EQ(result.failure, c.failure);
        EXPECT_EQ(result.succeeded, c.failure == ReduceFailure::None);
    }
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

}  // namespace
