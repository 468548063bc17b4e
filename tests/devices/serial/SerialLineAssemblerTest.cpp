#include "devices/serial/SerialLineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using skerra::SerialLineAssembler;

namespace {

using Lines = std::vector<std::string>;

// Feeds the reads one by one as a poll tick does: append, take the lines, cap.
Lines feed(SerialLineAssembler& assembler, const std::vector<std::string>& reads)
{
    Lines lines;
    std::string line;
    for (const auto& read : reads) {
        assembler.Append(read.data(), read.size());
        while (assembler.NextLine(line)) lines.push_back(line);
        assembler.CapPending();
    }
    return lines;
}

struct AssemblyCase {
    const char* name;
    std::vector<std::string> reads;
    Lines lines;
    std::string pending;
};

class LineAssembly : public testing::TestWithParam<AssemblyCase> {};

TEST_P(LineAssembly, DeliversTrimmedLines)
{
    const auto& c = GetParam();
    SerialLineAssembler assembler;
    EXPECT_EQ(feed(assembler, c.reads), c.lines);
    EXPECT_EQ(assembler.Pending(), c.pending);
}

using namespace std::string_literals;

const AssemblyCase kCases[] = {
    {"SentenceSplitOverTwoReads",
     {"$GPGGA,123519,4807.038,N,011", "31.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"},
     {"$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"},
     ""},
    {"CrLfSplitBetweenReads", {"$A\r", "\n$B\r", "\n"}, {"$A", "$B"}, ""},
    {"OnlyLineEnds", {"\r\n\r\n", "\n\r", "\r\n"}, {}, ""},
    {"SeveralLinesInOneRead", {"one\ntwo\r\nthree\npart"}, {"one", "two", "three"}, "part"},
    {"BlanksAndControlsTrimmed", {" \t\x01 DBT 1.2 m \x7f\t \r\n"}, {"DBT 1.2 m \x7f"}, ""},
    {"HighBytesAreNotBlanks", {"\xb0 12.5\xb0\n"}, {"\xb0 12.5\xb0"}, ""},
    {"NulDroppedRestKept", {"$GP\0GGA,1\n"s "after\0\n"s}, {"$GPGGA,1", "after"}, ""},
    {"NulOnlyRead", {"\0\0\0"s, "x\n"}, {"x"}, ""},
};

INSTANTIATE_TEST_SUITE_P(Reads, LineAssembly, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LineAssemblyCap, OverlongTextIsCutAndItsFragmentNeverDelivered)
{
    SerialLineAssembler assembler;
    // Five full reads of 1023 bytes without a line feed: 5115 bytes.
    std::vector<std::string> reads;
    for (char c = 'a'; c < 'f'; ++c) reads.push_back(std::string(1023, c));
    EXPECT_TRUE(feed(assembler, reads).empty());
    const std::string pending = assembler.Pending();
    ASSERT_EQ(pending.size(), SerialLineAssembler::KeepLength);
    const std::string all = reads[0] + reads[1] + reads[2] + reads[3] + reads[4];
    EXPECT_EQ(pending, all.substr(all.size() - SerialLineAssembler::KeepLength));

    // The broken line ends; only what follows is a line.
    EXPECT_EQ(feed(assembler, {"tail\r\n$SDDBT,7.7,f,2.3,M,1.3,F*05\r\n"}),
              Lines({"$SDDBT,7.7,f,2.3,M,1.3,F*05"}));
    EXPECT_EQ(assembler.Pending(), "");
}

TEST(LineAssemblyCap, TextOfExactlyCapLengthIsKept)
{
    SerialLineAssembler assembler;
    const std::string text(SerialLineAssembler::CapLength, 'x');
    EXPECT_TRUE(feed(assembler, {text}).empty());
    EXPECT_EQ(assembler.Pending(), text);
    EXPECT_EQ(feed(assembler, {"\n"}), Lines({text}));
}

TEST(LineAssemblyCap, ClearForgetsAPendingCut)
{
    SerialLineAssembler assembler;
    feed(assembler, {std::string(5000, 'x')});
    assembler.Clear();
    EXPECT_EQ(feed(assembler, {"first\n"}), Lines({"first"}));
}

}  // namespace
