// An error that escapes an event handler reaches the user as the "Application Error" box, and
// the program ends with exit code 1.
#include <gtest/gtest.h>

#include "tests/support/child_program.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(FatalError, ExceptionFromAClickHandlerShowsTheApplicationErrorBoxThenEndsWithCodeOne) {
    ScratchFolder temp;
    ChildProgram child(WindowsPath(CRASH_CHILD), temp.Path());
    const auto box = child.WaitForMessageBox(20000);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->caption, "Application Error");
    const std::string head = "Exception EFCreateError in module toolkit_crash_child.exe at ";
    EXPECT_EQ(box->text.substr(0, head.size()), head) << box->text;
    const std::string tail = ".\r\nCannot create file C:\\x.txt";
    ASSERT_GT(box->text.size(), head.size() + tail.size());
    EXPECT_EQ(box->text.substr(box->text.size() - tail.size()), tail) << box->text;
    EXPECT_EQ(box->text.size(), head.size() + 16 + tail.size());  // a 64-bit address in 16 digits
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(child.WaitForExit(300)) << "the program must wait for the user";
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(20000), 1u);
}

}  // namespace
