#include "wizard/navigation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One page sequence: each value of the step counter (0 to 255) at which Next or Back does
// something, and what it does; at every other step it does nothing.
struct Sequence {
    bool licence, group;
    const char *next, *back;
};

const Sequence kSequences[] = {
    {true, true,
     "1 welcome>licence, 2 licence>folder, 3 folder>group, 4 group>ready, 5 ready>progress, 6 progress>finish, "
     "7 finish actions, ",
     "1 folder>licence, 2 group>folder, 3 ready>group, "},
    {true, false,
     "1 welcome>licence, 2 licence>folder, 3 folder>ready, 4 ready>progress, 5 progress>finish, 6 finish actions, ",
     "1 folder>licence, 2 ready>folder, "},
    {false, true,
     "1 welcome>folder, 2 folder>group, 3 group>ready, 4 ready>progress, 5 progress>finish, 6 finish actions, ",
     "1 group>folder, 2 ready>group, "},
    {false, false, "1 welcome>folder, 2 folder>ready, 3 ready>progress, 4 progress>finish, 5 finish actions, ",
     "1 ready>folder, "},
};

std::string Describe(int step, const Navigation& n) {
    static const char* names[] = {"welcome", "licence", "folder", "group", "ready", "progress", "finish"};
    if (n.action == PageAction::None) return "";
    if (n.action == PageAction::FinishActions) return std::to_string(step) + " finish actions, ";
    return std::to_string(step) + " " + names[static_cast<int>(n.from)] + ">" + names[static_cast<int>(n.to)] + ", ";
}

// Back never returns to the welcome page nor leaves the progress or finish page.
TEST(PageOrder, NextWalksEachSequenceIntoTheFinishActionsAndBackGoesOnlyWhereAllowed) {
    for (const Sequence& s : kSequences) {
        SCOPED_TRACE(testing::Message() << "licence page " << s.licence << ", group page " << s.group);
        std::string next, back;
        for (int step = 0; step < 256; ++step) {
            next += Describe(step, NextNavigation(static_cast<std::uint8_t>(step), s.licence, s.group));
            back += Describe(step, BackNavigation(static_cast<std::uint8_t>(step), s.licence, s.group));
        }
        EXPECT_EQ(next, s.next);
        EXPECT_EQ(back, s.back);
    }
}

}  // namespace
