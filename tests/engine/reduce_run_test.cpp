#include "flight_plan_reduction.h"
#include "reference_reduce.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

// A flight plan that every test below keeps, padded with filler to `length`.
std::string Plan(int number, int percentage, std::size_t length = 0)
{
    std::string line = "AC#" + std::to_string(number) + ",D-ABCD," + std::to_string(percentage) + "%,WEEK,IFR";
    if (line.size() < length)
        line.append(length - line.size(), 'x');
    return line;
}

class ReduceRun : public testing::Test {
protected:
    ReduceResult Run(std::string_view input, const char* percentage = "30", const char* airport = "#",
                     const char* type = "#")
    {
        return ReduceFlightPlanFile(m_dir.Write("plans.txt", input), MakeReduceParameters(percentage, airport, type));
    }

    ScratchDirectory m_dir;
};

TEST_F(ReduceRun, CopiesKeptLinesWithWindowsLineEnds)
{
    const std::string p1 = Plan(1, 5);
    const std::string p2 = Plan(2, 30);
    const std::string dropped = Plan(3, 31);
    const std::string nulAt20 = Plan(4, 5, 30).replace(20, 1, 1, '\0');
    const std::string piece1 = Plan(5, 5, 4095);
    const std::string piece2 = "B#" + Plan(6, 7, 903);
    const struct {
        const char* name;
        std::string input;
        std::string output;
    } cases[] = {
        {"empty file", "", ""},
        {"CR LF ends", p1 + "\r\n" + dropped + "\r\n" + p2 + "\r\n", p1 + "\r\n" + p2 + "\r\n"},
        {"LF ends", p1 + "\n" + p2 + "\n", p1 + "\r\n" + p2 + "\r\n"},
        {"last line without end", p1 + "\r\n" + p2, p1 + "\r\n" + p2 + "\r\n"},
        {"CR CR LF keeps one CR", p1 + "\r\r\n", p1 + "\r\r\n"},
        {"lone CR stays in the line", p1 + "\rtail\r\n", p1 + "\rtail\r\n"},
        {"CR at the very end stays", p1 + "\r", p1 + "\r\r\n"},
        {"Ctrl-Z ends the input", p1 + "\r\n" + p2 + "\x1A" + "rest\r\n" + Plan(7, 1) + "\r\n",
         p1 + "\r\n" + p2 + "\r\n"},
        {"Ctrl-Z after a line end", p1 + "\r\n\x1A" + p2, p1 + "\r\n"},
        {"Ctrl-Z between CR and LF", p1 + "\r\x1A\n" + p2, p1 + "\r\r\n"},
        {"NUL cuts the line", nulAt20 + "\r\n", nulAt20.substr(0, 20) + "\r\n"},
        {"NUL before the wildcard", std::string("AC\0#1,X,5%,W\r\n", 15), ""},
        {"5000 bytes come as two lines", piece1 + piece2 + "\r\n", piece1 + "\r\n" + piece2 + "\r\n"},
        {"exactly 4095 bytes", piece1 + "\r\n" + p1 + "\r\n", piece1 + "\r\n" + p1 + "\r\n"},
        {"4094 bytes and CR CR LF", piece1.substr(0, 4094) + "\r\r\n",
         piece1.substr(0, 4094) + "\r\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReduceResult result = Run(c.input);
        EXPECT_TRUE(result.succeeded);
        EXPECT_EQ(result.outputFileName, m_dir.PathOf("plans_30%_.txt"));
        EXPECT_EQ(ScratchDirectory::Read(result.outputFileName), c.output);
        EXPECT_EQ(ScratchDirectory::Read(result.outputFileName), ReferenceOutput(c.input, MakeReduceParameters("30", "#", "#")));
    }
}

TEST_F(ReduceRun, MatchesTheReferenceOnRandomInputAcrossBufferBoundaries)
{
    std::mt19937 random(20261211);
    const std::string alphabet = "AC#,%0123456789 IFREDDF\r\r\n\n\n";
    for (int round = 0; round < 4; ++round) {
        std::string input;
        while (input.size() < 1'200'000) {
            const int kind = static_cast<int>(random() % 100);
            if (kind < 60) {
                input += Plan(static_cast<int>(input.size()), static_cast<int>(random() % 60), random() % 120);
                input += random() % 4 ? "\r\n" : "\n";
            } else if (kind < 99) {
                for (auto n = random() % 40; n > 0; --n)
                    input += alphabet[random() % alphabet.size()];
            } else {
                input += Plan(1, 1, 4090 + random() % 12);
            }
        }
        if (round == 3)
            input.insert(input.size() / 2, 1, '\0');
        SCOPED_TRACE(testing::Message() << "round " << round);
        const ReduceResult result = Run(input, "30", "#", "IFR");
        ASSERT_TRUE(result.succeeded);
        EXPECT_EQ(ScratchDirectory::Read(result.outputFileName),
                  ReferenceOutput(input, MakeReduceParameters("30", "#", "IFR")));
    }
}

TEST_F(ReduceRun, ReadsAndWritesUnderAFolderWithNonAsciiName)
{
    const std::u8string folder = u8"Verkehrspl\u00e4ne";
    std::filesystem::create_directory(std::filesystem::path(m_dir.PathOf("")) / folder);
    const std::string input = m_dir.PathOf("") + "/" + std::string(folder.begin(), folder.end()) + "/pl\xC3\xA4ne.txt";
    const std::string plans = Plan(1, 5) + "\r\n" + Plan(2, 50) + "\r\n";
    std::ofstream(std::filesystem::path(std::u8string(input.begin(), input.end())), std::ios::binary) << plans;

    const ReduceResult result = ReduceFlightPlanFile(input, MakeReduceParameters("30", "#", "#"));
    ASSERT_TRUE(result.succeeded);
    EXPECT_EQ(result.outputFileName, input.substr(0, input.size() - 4) + "_30%_.txt");
    std::ifstream output(std::filesystem::path(std::u8string(result.outputFileName.begin(), result.outputFileName.end())),
                         std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(output), std::istreambuf_iterator<char>()), Plan(1, 5) + "\r\n");
}

TEST_F(ReduceRun, CountsTheLinesReadAndKept)
{
    const std::string kept = Plan(1, 5);
    const std::string dropped = Plan(2, 50);
    const struct {
        const char* name;
        std::string input;
        std::uint64_t read;
        std::uint64_t kept;
    } cases[] = {
        {"empty file", "", 0, 0},
        {"line ends throughout", kept + "\r\n" + dropped + "\r\n" + kept + "\n", 3, 2},
        {"last line without end", kept + "\r\n" + dropped, 2, 1},
        {"empty lines count", "\r\n\r\n" + kept + "\r\n", 3, 1},
        {"a long line counts as its pieces", Plan(3, 5, 5000) + "\r\n", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReduceResult result = Run(c.input);
        EXPECT_EQ(result.linesRead, c.read);
        EXPECT_EQ(result.linesKept, c.kept);
    }
}

TEST_F(ReduceRun, OverwritesAnEarlierResultAndEmptiesItWhenNothingPasses)
{
    const std::string output = m_dir.Write("plans_30%_EDDF.txt", "earlier result\r\n");
    ASSERT_TRUE(Run(Plan(1, 5) + ",EDDF\r\n", "30", "EDDF").succeeded);
    EXPECT_EQ(ScratchDirectory::Read(output), Plan(1, 5) + ",EDDF\r\n");
    ASSERT_TRUE(Run(Plan(1, 5) + ",EDDF\r\n", "30", "EDDF").succeeded);
    EXPECT_EQ(ScratchDirectory::Read(output), Plan(1, 5) + ",EDDF\r\n");
    ASSERT_TRUE(Run(Plan(1, 5) + ",LOWW\r\n", "30", "EDDF").succeeded);
    EXPECT_TRUE(std::filesystem::exists(output));
    EXPECT_EQ(ScratchDirectory::Read(output), "");
}

}  // namespace
