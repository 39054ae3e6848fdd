#include "memory_source.h"
#include "reference_reduce.h"
#include "text_mode_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAllPieces(std::string_view input, std::size_t bufferSize, std::size_t step)
{
    MemorySource source(input, step);
    TextModeReader reader(source, bufferSize);
    std::vector<std::string> pieces;
    while (!reader.AtEnd())
        pieces.emplace_back(reader.ReadLine());
    return pieces;
}

const std::string kFill4094(4094, 'x');

struct ReaderCase {
    const char* name;
    std::string input;
};

const ReaderCase kReaderCases[] = {
    {"4094 bytes then CR LF", kFill4094 + "\r\nnext\r\n"},
    {"4093 bytes then CR LF", kFill4094.substr(1) + "\r\nnext"},
    {"4095 bytes then CR LF", kFill4094 + "y\r\nnext"},
    {"4095 bytes then LF", kFill4094 + "y\nnext"},
    {"4094 bytes then a lone CR", kFill4094 + "\rnext\n"},
    {"4094 bytes then CR CR LF", kFill4094 + "\r\r\nnext"},
    {"4096 bytes then CR LF", kFill4094 + "yz\r\n"},
    {"CR at the very end", "abc\r"},
    {"Ctrl-Z between CR and LF", kFill4094 + "\r\x1A\n"},
    {"NUL in the second piece", kFill4094 + "yz" + std::string(1, '\0') + "w\r\n"},
};

TEST(TextModeReader, DeliversThePiecesOfTheReferenceAtEveryRefillOffset)
{
    for (const ReaderCase& c : kReaderCases) {
        const std::vector<std::string> expected = ReferencePieces(c.input);
        // A short line first moves the case across the refill boundary byte by byte.
        for (std::size_t lead = 0; lead < 24; ++lead) {
            const std::string input = std::string(lead, 'a') + "\r\n" + c.input;
            std::vector<std::string> want = expected;
            want.insert(want.begin(), std::string(lead, 'a'));
            for (const std::size_t bufferSize : {LINE_BUFFER_SIZE, LINE_BUFFER_SIZE + 1, LINE_BUFFER_SIZE + 7, READ_BUFFER_SIZE}) {
                for (const std::size_t step : {std::size_t{1}, std::size_t{3}, std::size_t{4095}, std::size_t{4097}, READ_BUFFER_SIZE}) {
                    ASSERT_EQ(ReadAllPieces(input, bufferSize, step), want)
                        << c.name << ", lead " << lead << ", buffer " << bufferSize << ", read step " << step;
                }
            }
        }
    }
}

TEST(TextModeReader, ExactlyFullPieceIsFollowedByAnEmptyOne)
{
    EXPECT_EQ(ReadAllPieces(kFill4094 + "y\n", READ_BUFFER_SIZE, READ_BUFFER_SIZE),
              (std::vector<std::string>{kFill4094 + "y", "", ""}));
    EXPECT_EQ(ReadAllPieces(kFill4094 + "\r\n", READ_BUFFER_SIZE, READ_BUFFER_SIZE),
              (std::vector<std::string>{kFill4094, ""}));
}

// A source that fails after handing out some bytes.
class FailingSource : public ByteSource {
public:
    std::ptrdiff_t Read(char* buffer, std::size_t size) override
    {
        if (m_done)
            return -1;
        m_done = true;
        const std::string_view bytes = "AC#1,X,5%,IFR\r\npartial";
        const std::size_t count = std::min(size, bytes.size());
        bytes.copy(buffer, count);
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    bool m_done = false;
};

TEST(TextModeReader, ReadErrorEndsTheInputAndIsReported)
{
    FailingSource source;
    TextModeReader reader(source);
    EXPECT_EQ(reader.ReadLine(), "AC#1,X,5%,IFR");
    EXPECT_EQ(reader.ReadLine(), "partial");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_TRUE(reader.Failed());
}

}  // namespace
