#include "package/line_reader.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> ReadAll(const std::string& bytes, int count, std::size_t bufferSize = 64 * 1024) {
    StringSource source(bytes);
    LineReader reader(source, bufferSize);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(reader.ReadLine());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, LinesEndAtCrWithOrWithoutLf) {
    EXPECT_EQ(ReadAll("a\r\nb\rc\r\n", 3), (Lines{"a", "b", "c"}));
    EXPECT_EQ(ReadAll("\r\n\r\nx\r\n", 3), (Lines{"", "", "x"}));
}

TEST(LineReader, LoneLfStaysInsideTheLine) {
    EXPECT_EQ(ReadAll("a\nb\r\nc", 2), (Lines{"a\nb", "c"}));
    // CR LF LF: the second LF starts the next line.
    EXPECT_EQ(ReadAll("a\r\n\nb\r\n", 2), (Lines{"a", "\nb"}));
}

TEST(LineReader, EndOfTextByteEndsTheLineAndTheText) {
    EXPECT_EQ(ReadAll("ab\x1A" "cd\r\nef\r\n", 3), (Lines{"ab", "", ""}));
}

TEST(LineReader, LastLineWithoutCrLfAndReadingPastTheEnd) {
    EXPECT_EQ(ReadAll("a\r\nlast", 4), (Lines{"a", "last", "", ""}));
    EXPECT_EQ(ReadAll("", 2), (Lines{"", ""}));
}

TEST(LineReader, CrLfSplitAcrossBufferRefillsIsOneBreak) {
    // A one-byte buffer puts every CR and its LF in different reads.
    EXPECT_EQ(ReadAll("ab\r\ncd\r\n\r\nef", 4, 1), (Lines{"ab", "cd", "", "ef"}));
    const std::string longLine(200000, 'x');
    EXPECT_EQ(ReadAll(longLine + "\r\ny", 2, 4096), (Lines{longLine, "y"}));
}

}  // namespace
