// The progress bar's width while files are extracted.
#include "engine/progress.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressBar, TwoFilesFillHalfThenAll) {
    EXPECT_EQ(ProgressWidth(1, 2), 228);
    EXPECT_EQ(ProgressWidth(2, 2), 456);
}

TEST(ProgressBar, ThreeFilesGiveExactThirds) {
    EXPECT_EQ(ProgressWidth(1, 3), 152);
    EXPECT_EQ(ProgressWidth(2, 3), 304);
    EXPECT_EQ(ProgressWidth(3, 3), 456);
}

TEST(ProgressBar, WidthsBetweenPixelsAreTruncated) {
    EXPECT_EQ(ProgressWidth(1, 7), 65);       // 65.14
    EXPECT_EQ(ProgressWidth(6, 7), 390);      // 390.86
    EXPECT_EQ(ProgressWidth(1, 1000), 0);     // 0.456
    EXPECT_EQ(ProgressWidth(999, 1000), 455); // 455.54
}

TEST(ProgressBar, ManyFilesDoNotOverflow) {
    EXPECT_EQ(ProgressWidth(2000000000, 2000000000), 456);
    EXPECT_EQ(ProgressWidth(1000000000, 2000000000), 228);
}

TEST(ProgressBar, NoBarBeforeTheTotalIsKnown) {
    EXPECT_EQ(ProgressWidth(0, 0), 0);
    EXPECT_EQ(ProgressWidth(1, 0), 0);
}

}  // namespace
