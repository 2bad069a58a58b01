// How the program ends when a handler fails or the user logs off, watched from outside.
#include <gtest/gtest.h>

#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(ProgramEnd, ExceptionFromAClickHandlerShowsTheApplicationErrorBoxThenEndsWithCodeOne) {
    const ScratchFolder temp;
    const ChildProgram child(WindowsPath(TOOLKIT_CHILD), temp.Path());
    const auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->caption, "Application Error");
    const std::string head = "Exception EFCreateError in module toolkit_child.exe at ";
    const std::string tail = ".\r\nCannot create file C:\\x.txt";
    // Between them the address, as wide as a pointer.
    ASSERT_EQ(box->text.size(), head.size() + 2 * sizeof(void*) + tail.size()) << box->text;
    EXPECT_EQ(box->text.substr(0, head.size()) + box->text.substr(box->text.size() - tail.size()), head + tail);
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(child.WaitForExit(300)) << "the program must wait for the user";
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(kTimeout), 1u);
}

TEST(ProgramEnd, LogOffEndsTheProgramAtOnceWithoutAQuestionOrAnythingAfterTheLoop) {
    const ScratchFolder temp;
    const ChildProgram child(WindowsPath(TOOLKIT_CHILD), temp.Path(), "end-session");
    const HWND form = WaitForWindow(child.Id(), [](const WindowState& s) { return s.className == "Form" && s.visible; }, kTimeout);
    ASSERT_NE(form, nullptr);
    PostMessageW(form, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(child.WaitForMessageBox(kTimeout)) << "a close question or the end of the loop showed";
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

}  // namespace
