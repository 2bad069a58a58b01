#include "wizard/navigation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* Name(Page p) {
    static const char* names[] = {"welcome", "licence", "folder", "group", "ready", "progress", "finish"};
    return names[static_cast<int>(p)];
}

std::string Describe(const Navigation& n) {
    switch (n.action) {
    case PageAction::None: return "nothing";
    case PageAction::FinishActions: return "FinishActions";
    case PageAction::Change: return std::string(Name(n.from)) + " -> " + Name(n.to);
    }
    return "?";
}

struct Flags {
    bool licence, group;
};

// Each column of the step tables: what Next does at steps 1 to 8, and Back at steps 0 to 4.
struct Column {
    Flags flags;
    std::vector<std::string> next;
    std::vector<std::string> back;
};

const Column kColumns[] = {
    {{true, true},
     {"welcome -> licence", "licence -> folder", "folder -> group", "group -> ready", "ready -> progress",
      "progress -> finish", "FinishActions", "nothing"},
     {"nothing", "folder -> licence", "group -> folder", "ready -> group", "nothing"}},
    {{true, false},
     {"welcome -> licence", "licence -> folder", "folder -> ready", "ready -> progress", "progress -> finish",
      "FinishActions", "nothing", "nothing"},
     {"nothing", "folder -> licence", "ready -> folder", "nothing", "nothing"}},
    {{false, true},
     {"welcome -> folder", "folder -> group", "group -> ready", "ready -> progress", "progress -> finish",
      "FinishActions", "nothing", "nothing"},
     {"nothing", "group -> folder", "ready -> group", "nothing", "nothing"}},
    {{false, false},
     {"welcome -> folder", "folder -> ready", "ready -> progress", "progress -> finish", "FinishActions",
      "nothing", "nothing", "nothing"},
     {"nothing", "ready -> folder", "nothing", "nothing", "nothing"}},
};

class PageOrder : public testing::TestWithParam<Column> {};

TEST_P(PageOrder, NextWalksTheSequenceOfTheFlagsAndEndsInTheFinishActions) {
    const Column& c = GetParam();
    for (std::size_t i = 0; i < c.next.size(); ++i) {
        const auto step = static_cast<std::uint8_t>(i + 1);
        EXPECT_EQ(Describe(NextNavigation(step, c.flags.licence, c.flags.group)), c.next[i]) << "step " << int(step);
    }
}

TEST_P(PageOrder, BackGoesOnlyWhereTheSequenceAllowsAndNeverToTheWelcomePage) {
    const Column& c = GetParam();
    for (std::size_t i = 0; i < c.back.size(); ++i) {
        const auto step = static_cast<std::uint8_t>(i);
        EXPECT_EQ(Describe(BackNavigation(step, c.flags.licence, c.flags.group)), c.back[i]) << "step " << int(step);
    }
    for (int step = 0; step < 256; ++step) {
        const Navigation back = BackNavigation(static_cast<std::uint8_t>(step), c.flags.licence, c.flags.group);
        if (back.action == PageAction::None) continue;
        EXPECT_EQ(back.action, PageAction::Change);
        EXPECT_NE(back.to, Page::Welcome) << "step " << step;
        EXPECT_NE(back.from, Page::Progress) << "step " << step;
        EXPECT_NE(back.from, Page::Finish) << "step " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(FourSequences, PageOrder, testing::ValuesIn(kColumns));

TEST(PageOrder, StepsPastTheEndAndTheWrappedCounterDoNothing) {
    for (int step : {0, 8, 9, 100, 255}) {
        EXPECT_EQ(NextNavigation(static_cast<std::uint8_t>(step), true, true).action, PageAction::None) << step;
    }
    // Back on the welcome page wraps the counter to 255.
    EXPECT_EQ(BackNavigation(255, true, true).action, PageAction::None);
}

}  // namespace
