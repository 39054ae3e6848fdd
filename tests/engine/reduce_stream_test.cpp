// The run's loop over memory: whatever lines it steps over without testing
// them, it must keep exactly the lines, and count exactly the lines, that
// testing every piece would.
#include "memory_source.h"
#include "reduce_stream.h"
#include "reference_reduce.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct Outcome {
    std::string output;
    std::uint64_t linesRead = 0;
    std::uint64_t linesKept = 0;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome)
{
    return out << outcome.linesRead << " read, " << outcome.linesKept << " kept: \"" << outcome.output << '"';
}

Outcome Reduce(std::string_view input, const ReduceParameters& parameters, std::size_t bufferSize, std::size_t step)
{
    MemorySource source(input, step);
    Outcome outcome;
    const StreamCounts counts = ReduceStream(
        source, parameters,
        [&outcome](std::string_view record) {
            outcome.output += record;
            return true;
        },
        bufferSize);
    outcome.linesRead = counts.linesRead;
    outcome.linesKept = counts.linesKept;
    return outcome;
}

Outcome Expected(std::string_view input, const ReduceParameters& parameters)
{
    Outcome outcome{ReferenceOutput(input, parameters), ReferenceLinesRead(input), 0};
    for (std::size_t at = outcome.output.find("\r\n"); at != std::string::npos; at = outcome.output.find("\r\n", at + 2))
        ++outcome.linesKept;
    return outcome;
}

const std::string kPlan = "AC#1,D-ABCD,5%,WEEK,IFR,0/08:00,@0/09:00,350,F,123,EDDF";
const std::string kOther = "AC#2,D-ABCE,5%,WEEK,VFR,0/08:00,@0/09:00,350,F,124,LOWW";

struct StreamCase {
    const char* name;
    std::string input;
};

const StreamCase kStreamCases[] = {
    {"the airport at a line's start", "EDDF,AC#1,5%,IFR,EDDF\r\n" + kOther + "\r\n" + kPlan + "\r\n"},
    {"the airport only in a line's first piece", kPlan + std::string(4100, 'x') + "\r\n" + kOther + "\r\n"},
    {"the airport in a long line's second piece",
     "AC#3,X,5%,IFR," + std::string(4090, 'x') + "AC#4,Y,5%,IFR,EDDF\r\n" + kOther + "\r\n"},
    {"a line of exactly 4095 bytes before a match", std::string(4095, 'y') + "\r\n" + kPlan + "\r\n"},
    {"a line of 4094 bytes and CR LF", std::string(4094, 'y') + "\r\n" + kOther + "\r\n" + kPlan},
    {"long lines without a match", std::string(9000, 'z') + "\n" + kOther + "\n" + std::string(4095, 'z') + "\n" + kPlan},
    {"the airport after a NUL", "AC#5,X,5%,IFR" + std::string(1, '\0') + ",EDDF\r\n" + kPlan + "\r\n"},
    {"the airport before a lone CR", "AC#6,X,5%,IFR,EDDF\rrest\r\n" + kOther + "\r\n"},
    {"the airport cut by CR LF", "AC#7,X,5%,IFR,EDD\r\nF,more\r\n" + kPlan + "\r\n"},
    {"Ctrl-Z before the airport", kOther + "\r\n" + "AC#8,X,5%,IFR,ED\x1A" "DF\r\n" + kPlan + "\r\n"},
    {"empty lines and no end", "\r\n\n\r\n" + kOther + "\r\n" + kPlan},
    {"nothing passes", kOther + "\r\n" + kOther + "\r\n"},
};

TEST(ReduceStream, KeepsAndCountsWhatTestingEveryPieceWouldAtEveryRefillOffset)
{
    const ReduceParameters settings[] = {MakeReduceParameters("30", "EDDF", "#"), MakeReduceParameters("30", "#", "IFR"),
                                         MakeReduceParameters("30", "EDDF", "IFR"), MakeReduceParameters("30", "#", "#"),
                                         MakeReduceParameters("30", "", "#")};
    for (const StreamCase& c : kStreamCases) {
        for (const ReduceParameters& parameters : settings) {
            // A filler line first moves the case across the refill boundary.
            for (std::size_t lead = 0; lead < 20; ++lead) {
                const std::string input = kOther.substr(0, lead) + "\n" + c.input;
                const Outcome expected = Expected(input, parameters);
                for (const std::size_t bufferSize : {LINE_BUFFER_SIZE, LINE_BUFFER_SIZE + 3, LINE_BUFFER_SIZE + 61, READ_BUFFER_SIZE}) {
                    for (const std::size_t step : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, READ_BUFFER_SIZE}) {
                        ASSERT_EQ(Reduce(input, parameters, bufferSize, step), expected)
                            << c.name << ", airport \"" << parameters.airport << "\", type \"" << parameters.flightType
                            << "\", lead " << lead << ", buffer " << bufferSize << ", read step " << step;
                    }
                }
            }
        }
    }
}

TEST(ReduceStream, MatchesTheReferenceOnRandomInputWithSmallBuffers)
{
    std::mt19937 random(91);
    const std::string alphabet = "AC#,%0123456789 IFREDDF\r\r\n\n\n";
    const ReduceParameters parameters = MakeReduceParameters("30", "EDDF", "IFR");
    for (int round = 0; round < 20; ++round) {
        std::string input;
        while (input.size() < 60'000) {
            const auto kind = random() % 100;
            if (kind < 50)
                input += (random() % 3 ? kOther : kPlan) + (random() % 4 ? "\r\n" : "\n");
            else if (kind < 97)
                for (auto n = random() % 40; n > 0; --n)
                    input += alphabet[random() % alphabet.size()];
            else
                input += std::string(4090 + random() % 12, 'x') + (random() % 2 ? "EDDF" : "") + "\n";
        }
        const std::size_t bufferSize = LINE_BUFFER_SIZE + random() % 5000;
        const std::size_t step = 1 + random() % 9000;
        ASSERT_EQ(Reduce(input, parameters, bufferSize, step), Expected(input, parameters))
            << "round " << round << ", buffer " << bufferSize << ", read step " << step;
    }
}

TEST(ReduceStream, StopsAtTheFirstLineThatCannotBeWritten)
{
    const std::string input = kPlan + "\r\n" + kPlan + "\r\n" + kPlan + "\r\n";
    MemorySource source(input);
    int offered = 0;
    const StreamCounts counts = ReduceStream(source, MakeReduceParameters("30", "EDDF", "#"),
                                             [&offered](std::string_view) { return ++offered < 2; });
    EXPECT_TRUE(counts.writeFailed);
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(counts.linesKept, 1u);
}

}  // namespace
