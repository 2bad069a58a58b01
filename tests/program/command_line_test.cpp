#include "program/command_line.h"

#include <gtest/gtest.h>

namespace {

constexpr RunMode W = RunMode::Wizard, S = RunMode::Silent, Bad = RunMode::BadCommandLine;

TEST(CommandLine, AdministratorsOptionsAreReadOrTheLineRefused) {
    const struct {
        const char* arguments;
        RunMode mode;
        const char *folder = "", *log = "";
        bool restart = false;
    } rows[] = {
        {"", W}, {"/D=C:\\X", W}, {"/X", W}, {"/LOG=a.txt", W},  // no /S: the wizard as always
        {"/S", S}, {" \t/s  ", S}, {"/S /S", S},
        {"/S /D=C:\\Program Files\\X", S, "C:\\Program Files\\X"},
        {"/s /d=C:\\Program Files\\Папка  ", S, "C:\\Program Files\\Папка"},
        {"/S /D=C:\\Программы Müller\\Проверка", S, "C:\\Программы Müller\\Проверка"},
        {"/S /D=\"C:\\Program Files\\X\"", S, "C:\\Program Files\\X"},
        {"/S \"/D=C:\\Program Files\\X\"", S, "C:\\Program Files\\X"},  // as launchers quote
        {"/S \"/d=C:\\Program Files\\X\\\\\" ", S, "C:\\Program Files\\X\\"},  // "\\" before the quote
        {"/S /D=\"C:\\Program Files\\X\\\"", S, "C:\\Program Files\\X\\"},
        {"/S /D=C:\\\"Program Files\"\\X", S, "C:\\Program Files\\X"},
        {"\"/S\" \"/LOG=my log.txt\"", S, "", "my log.txt"},
        {"/S /D=\\\\server\\share\\X", S, "\\\\server\\share\\X"},
        {"/LOG=a.txt /S", S, "", "a.txt"},
        {"/S /log=\"C:\\my logs\\a.txt\" /Restart", S, "", "C:\\my logs\\a.txt", true},
        {"/S /X", Bad}, {"/S /Silent", Bad}, {"/S X", Bad},
        {"/S /D=C:\\X /LOG=a.txt", Bad}, {"/D=C:\\X /S", Bad},  // /D= not last
        {"/S /D=", Bad}, {"/S /D=relative\\X", Bad}, {"/S /D=\"\"", Bad},
        {"/S /LOG=", Bad}, {"/S /LOG", Bad}, {"/S /D", Bad},
        {"/S \"/D=C:\\X", Bad}, {"/S /D=\"C:\\X", Bad}, {"/S /D=C:\\X\"", Bad},  // a quote left open
        {"/S \"/D=C:\\X\" /LOG=a.txt", Bad}, {"/S /LOG=\"a b.txt", Bad}};
    for (const auto& row : rows) {
        const CommandLine line = ParseCommandLine(row.arguments);
        EXPECT_EQ(line.mode, row.mode) << row.arguments;
        EXPECT_TRUE(row.mode != S || (line.folder == row.folder && line.log == row.log && line.restart == row.restart))
            << row.arguments;
    }
}

TEST(CommandLine, OptionsFollowTheProgramsNameQuotedOrNot) {
    const std::pair<const char*, const char*> rows[] = {
        {"setup.exe /S /D=C:\\X", "/S /D=C:\\X"}, {"\"C:\\Мои программы\\setup.exe\"  /S", "/S"},
        {"\"C:\\A B\\setup.exe\"/S", "/S"}, {"setup.exe", ""}, {"\"setup.exe\"", ""}, {"\"setup.exe", ""}, {"", ""}};
    for (const auto& [line, arguments] : rows) EXPECT_EQ(ArgumentsAfterProgramName(line), arguments) << line;
}

}  // namespace
