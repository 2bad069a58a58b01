// The progress bar's width while files are extracted.
#include "engine/progress.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressBar, ExactFractionsGiveExactWidths) {
    EXPECT_EQ(ProgressWidth(1, 2), 228);
    EXPECT_EQ(ProgressWidth(2, 2), 456);
    EXPECT_EQ(ProgressWidth(1, 3), 152);
    EXPECT_EQ(ProgressWidth(2, 3), 304);
    EXPECT_EQ(ProgressWidth(3, 3), 456);
    EXPECT_EQ(ProgressWidth(1000000000, 2000000000), 228);  // no overflow with many files
}

TEST(ProgressBar, WidthsBetweenPixelsAreTruncatedAndNoBarWithoutATotal) {
    EXPECT_EQ(ProgressWidth(1, 7), 65);        // 65.14
    EXPECT_EQ(ProgressWidth(6, 7), 390);       // 390.86
    EXPECT_EQ(ProgressWidth(999, 1000), 455);  // 455.54
    EXPECT_EQ(ProgressWidth(1, 0), 0);
}

}  // namespace
