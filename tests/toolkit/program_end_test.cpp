// How the program ends when the user logs off, watched from outside.
#include <gtest/gtest.h>

#include "tests/support/child_program.h"
#include "tools/window_driver.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(ProgramEnd, LogOffEndsTheProgramAtOnceWithoutAQuestionOrAnythingAfterTheLoop) {
    const ScratchFolder temp;
    const ChildProgram child(WindowsPath(TOOLKIT_CHILD), temp.Path());
    const HWND form = WaitForWindow(child.Id(), [](const WindowState& s) { return s.className == "Form" && s.visible; }, kTimeout);
    ASSERT_NE(form, nullptr);
    PostMessageW(form, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(child.WaitForMessageBox(kTimeout)) << "a close question or the end of the loop showed";
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

}  // namespace
