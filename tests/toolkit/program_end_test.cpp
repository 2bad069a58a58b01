// How the program ends when things go wrong or the user logs off, watched from outside.
#include <gtest/gtest.h>

#include "tests/support/child_program.h"
#include "tests/support/driver.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr int kTimeout = 20000;

// Starts the child program in a mode (empty: the default one).
class ToolkitChild : public testing::Test {
protected:
    ChildProgram& Start(const char* mode) {
        SetEnvironmentVariableA("TOOLKIT_CHILD_MODE", mode);
        child_.emplace(WindowsPath(TOOLKIT_CHILD), temp_.Path());
        SetEnvironmentVariableA("TOOLKIT_CHILD_MODE", nullptr);
        return *child_;
    }
    ScratchFolder temp_;
    std::optional<ChildProgram> child_;
};

TEST_F(ToolkitChild, ExceptionFromAClickHandlerShowsTheApplicationErrorBoxThenEndsWithCodeOne) {
    const auto& child = Start("");
    const auto box = child.WaitForMessageBox(kTimeout);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->caption, "Application Error");
    const std::string head = "Exception EFCreateError in module toolkit_child.exe at ";
    EXPECT_EQ(box->text.substr(0, head.size()), head) << box->text;
    const std::string tail = ".\r\nCannot create file C:\\x.txt";
    ASSERT_GT(box->text.size(), head.size() + tail.size());
    EXPECT_EQ(box->text.substr(box->text.size() - tail.size()), tail) << box->text;
    EXPECT_EQ(box->text.size(), head.size() + 2 * sizeof(void*) + tail.size());  // the address, as wide as a pointer
    EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
    EXPECT_FALSE(child.WaitForExit(300)) << "the program must wait for the user";
    PressButton(box->window, IDOK);
    EXPECT_EQ(child.WaitForExit(kTimeout), 1u);
}

TEST_F(ToolkitChild, LogOffEndsTheProgramAtOnceWithoutAQuestionOrAnythingAfterTheLoop) {
    const auto& child = Start("end-session");
    const HWND form = WaitForWindow(
        child.Id(), [](const WindowState& s) { return s.className == "Form" && s.visible; }, kTimeout);
    ASSERT_NE(form, nullptr);
    PostMessageA(form, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(child.WaitForMessageBox(kTimeout)) << "a close question or the end of the loop showed";
    EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
}

}  // namespace
