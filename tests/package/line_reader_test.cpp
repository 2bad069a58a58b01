#include "package/line_reader.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(LineReader, LinesEndAtCrAndTheTextAtEndOfTextWhateverTheBufferSplits) {
    const std::string longLine(200000, 'x');
    const struct {
        std::string bytes;
        Lines lines;
    } rows[] = {
        {"a\r\nb\rc\r\n", {"a", "b", "c"}},
        {"\r\n\r\nx\r\n", {"", "", "x"}},
        {"a\nb\r\nc", {"a\nb", "c"}},         // a lone LF stays inside the line
        {"a\r\n\nb\r\n", {"a", "\nb"}},       // CR LF LF: the second LF starts the next line
        {"ab\x1A" "cd\r\nef\r\n", {"ab", "", ""}},
        {"a\r\nlast", {"a", "last", "", ""}},  // no CR LF at the end, then reading past it
        {"", {"", ""}},
        {"ab\r\ncd\r\n\r\nef", {"ab", "cd", "", "ef"}},
        {longLine + "\r\ny", {longLine, "y"}},
    };
    // A one-byte buffer puts every CR and its LF in different reads.
    for (std::size_t bufferSize : {1, 7, 4096, 64 * 1024})
        for (const auto& row : rows) {
            StringSource source(row.bytes);
            LineReader reader(source, bufferSize);
            for (const std::string& line : row.lines) EXPECT_EQ(reader.ReadLine(), line) << "buffer " << bufferSize;
        }
}

}  // namespace
