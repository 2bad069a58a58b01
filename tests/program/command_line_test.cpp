#include "program/command_line.h"

#include <gtest/gtest.h>

namespace {

constexpr RunMode W = RunMode::Wizard, S = RunMode::Silent, Bad = RunMode::BadCommandLine;

struct Row {
    const char* arguments;
    RunMode mode;
    const char* folder = "";
    const char* log = "";
    bool restart = false;
};

class CommandLineRow : public testing::TestWithParam<Row> {};

TEST_P(CommandLineRow, AdministratorsOptionsAreReadOrTheLineRefused) {
    const Row& row = GetParam();
    const CommandLine line = ParseCommandLine(row.arguments);
    EXPECT_EQ(line.mode, row.mode) << row.arguments;
    if (row.mode != S) return;
    EXPECT_EQ(line.folder, row.folder);
    EXPECT_EQ(line.log, row.log);
    EXPECT_EQ(line.restart, row.restart);
}

INSTANTIATE_TEST_SUITE_P(Lines, CommandLineRow, testing::Values(
    Row{"", W}, Row{"/D=C:\\X", W}, Row{"/X", W}, Row{"/LOG=a.txt", W},  // no /S: the wizard as always
    Row{"/S", S}, Row{" \t/s  ", S}, Row{"/S /S", S},
    Row{"/S /D=C:\\Program Files\\X", S, "C:\\Program Files\\X"},
    Row{"/s /d=C:\\Program Files\\Папка  ", S, "C:\\Program Files\\Папка"},
    Row{"/S /D=\"C:\\Program Files\\X\"", S, "C:\\Program Files\\X"},
    Row{"/S /D=\\\\server\\share\\X", S, "\\\\server\\share\\X"},
    Row{"/LOG=a.txt /S", S, "", "a.txt"},
    Row{"/S /log=\"C:\\my logs\\a.txt\" /Restart", S, "", "C:\\my logs\\a.txt", true},
    Row{"/S /X", Bad}, Row{"/S /Silent", Bad}, Row{"/S X", Bad},
    Row{"/S /D=C:\\X /LOG=a.txt", Bad}, Row{"/D=C:\\X /S", Bad},  // /D= not last
    Row{"/S /D=", Bad}, Row{"/S /D=relative\\X", Bad}, Row{"/S /D=\"\"", Bad},
    Row{"/S /LOG=", Bad}, Row{"/S /LOG", Bad}, Row{"/S /D", Bad}));

}  // namespace
