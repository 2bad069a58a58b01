// The progress bar's width while files are extracted.
#include "engine/progress.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressBar, WidthIsTheDoneShareOf456PixelsTruncatedAndNoneWithoutATotal) {
    const struct { int done, total, width; } rows[] = {
        {1, 2, 228}, {2, 2, 456}, {1, 3, 152}, {2, 3, 304}, {3, 3, 456},
        {1000000000, 2000000000, 228},                // no overflow with many files
        {1, 7, 65}, {6, 7, 390}, {999, 1000, 455},  // 65.14, 390.86, 455.54
        {1, 0, 0}};
    for (const auto& row : rows) EXPECT_EQ(ProgressWidth(row.done, row.total), row.width) << row.done << "/" << row.total;
}

}  // namespace
