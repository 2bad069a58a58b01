// Setup programs damaged as a download or a disk damages them, made from one sound program: the
// loader refuses every one, and the program ends with the damaged-data message or, when the stored
// length reaches beyond the file, silently, leaving nothing behind either way.
#include <optional>
#include <random>

#include <gtest/gtest.h>

#include "package/loader.h"
#include "package/package_copy.h"
#include "package/package_writer.h"
#include "tests/support/child_program.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_settings.h"
#include "tools/screen_capture.h"
#include "tools/window_driver.h"

namespace {

struct Kind { const char* what; StringList packages; bool signedProgram = false; };  // each package follows the stub

// The damaged packages of each kind made from the sound one, whose lines hold the 65 settings, a
// registry record from line 65, a shortcut record from 70 and three file records from 76.
std::vector<Kind> DamagedVariants(const StringList& lines, const std::string& payload) {
    const std::string sound = ComposePackage(lines, payload);
    std::vector<Kind> kinds{{"cut", {}}, {"bit flip", {}}, {"appended", {}}, {"line changed", {}}, {"line removed", {}}};
    for (std::size_t cut = 0; cut < sound.size(); cut += cut + 8 < sound.size() ? 5 : 1)  // each of the last 8
        kinds[0].packages.push_back(sound.substr(0, cut));
    for (int bit = 0; bit < 32; ++bit)
        kinds[1].packages.push_back(sound), kinds[1].packages.back()[sound.size() - 4 + bit / 8] ^= char(1 << bit % 8);
    std::mt19937 random(2026);
    for (int n : {1, 1, 2, 3, 3, 4, 4, 5, 8, 64, 64, 4096})
        for (kinds[2].packages.push_back(sound); n > 0; --n) kinds[2].packages.back() += char(random());
    // The counts and the sizes; the program group, a key, a link name and a path, which the loader checks.
    std::vector<std::pair<int, std::optional<std::string>>> changes{{29, "..\\x"}, {66, ""}, {66, "\\"},
        {71, "..\\..\\Startup\\x"}, {76, "..\\x.txt"}, {76, "C:\\x.txt"}, {76, "NUL"}};
    for (int line : {50, 54, 57, 77, 80, 83})
        for (const std::string& value : StringList{"-1", "2147483647", "-2147483648", "4294967297", "1x", "",
                                                   std::to_string(std::stoi(lines[line]) + 1),
                                                   std::to_string(std::stoi(lines[line]) - 1)})
            changes.emplace_back(line, value);
    for (int line : {0, 31, 49, 50, 54, 57, 64, 65, 69, 70, 75, 76, 77, 84}) changes.emplace_back(line, std::nullopt);
    // A sealed program with one bit flipped anywhere after the seal's magic: in the checksum's
    // digits, in the text (a bit that keeps it readable, one that does not) and at 60 places in the
    // file bytes. The magic itself is no data: a flip there leaves a plain package, whole.
    const std::string sealed = ComposeSealedPackage(lines, payload);
    const std::size_t text = sealed.size() - 4 - payload.size();
    for (const bool signedProgram : {false, true}) {
        kinds.push_back({signedProgram ? "sealed and signed, bit flipped" : "sealed, bit flipped", {}, signedProgram});
        for (std::size_t at = 18; at < sealed.size() - 4; at += at < text ? 23 : 6)
            kinds.back().packages.push_back(sealed), kinds.back().packages.back()[at] ^= char(1 << (at + signedProgram) % 8);
    }
    for (const auto& [line, value] : changes) {
        StringList changed = lines;
        if (value) changed[line] = *value;
        else changed.erase(changed.begin() + line);
        kinds[value ? 3 : 4].packages.push_back(ComposePackage(changed, payload));
    }
    return kinds;
}

class DamagedProgram : public testing::Test {
protected:
    DamagedProgram() {
        PackageLayout sound{TestSettings(), {{"HKEY_CURRENT_USER", "Software\\Rodev", "V", "1", "String"}},
                            {{"Пуск", "Matrix", "a.txt", "%ProgDr%\\", "", "Matrix"}},
                            {{"a.txt", 7, "32"}, {"sub\\b.txt", 300, "33"}, {"c.bin", 50, "32"}}};
        sound.settings[setting::kInstallFolder] = installFolder_;
        lines_ = TextLines(sound);
        for (std::mt19937 random(1); payload_.size() < 357;) payload_ += char(random());
    }
    // The stored length reaches beyond the file: the program ends without a word.
    static bool EndsSilently(const std::string& package) {
        static const std::string stub = ReadFileBytes(StubPath());
        const std::string program = stub + package;
        return ReadLengthTrailer(reinterpret_cast<const unsigned char*>(program.data() + program.size() - 4)) >
               static_cast<std::int64_t>(program.size());
    }
    // The message shows over the splash and no other window and waits for the user; OK ends the
    // program with exit code 0.
    static void ExpectDamagedDataMessageThenExitZero(const ChildProgram& child) {
        const auto box = child.WaitForMessageBox(kTimeout);
        ASSERT_TRUE(box) << "no message box";
        EXPECT_EQ(box->caption + ": " + box->text, "Ошибка: Данные повреждены или отсутствуют!");
        EXPECT_EQ(box->buttons, std::vector<int>{IDOK});
        EXPECT_EQ(MessageBoxIconColor(box->window), IconColor::Red) << "the error icon";
        for (HWND window : TopLevelWindows(child.Id())) {
            const WindowState w = Describe(window);
            EXPECT_TRUE(w.className != "Form" || w.visible == (w.text == "SetupProgram")) << w.text;
        }
        EXPECT_FALSE(child.WaitForExit(300)) << "the program waits for the user";
        PressButton(box->window, IDOK);
        EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
    }

    ScratchFolder programs_, temp_, installs_;
    std::string program_ = programs_ / "setup.exe", installFolder_ = installs_ / "Matrix";
    std::string payload_;
    StringList lines_;
};

TEST_F(DamagedProgram, LoaderRefusesEveryVariantAsDamagedOrAsALengthBeyondTheFile) {
    PackageData data;
    PackageCopy copy;
    WriteSetupProgram(program_, ComposePackage(lines_, payload_));
    ASSERT_EQ(ReadPackageFrom(program_, temp_.Path(), data, copy), LoadResult::Loaded) << "the sound program";
    WriteSetupProgram(program_, ComposeSealedPackage(lines_, payload_), true);
    ASSERT_EQ(ReadPackageFrom(program_, temp_.Path(), data, copy), LoadResult::Loaded) << "the sound program, sealed, signed";
    for (const Kind& kind : DamagedVariants(lines_, payload_))
        for (std::size_t i = 0; i < kind.packages.size(); ++i) {
            WriteSetupProgram(program_, kind.packages[i], kind.signedProgram);
            EXPECT_EQ(ReadPackageFrom(program_, temp_.Path(), data, copy),
                      EndsSilently(kind.packages[i]) ? LoadResult::LengthBeyondFile : LoadResult::Damaged)
                << kind.what << " " << i;
            EXPECT_TRUE(data.MainSettings.empty()) << kind.what << " " << i << ": no partly filled lists";
        }
}

TEST_F(DamagedProgram, ProgramEndsWithTheDamagedDataMessageOrSilentlyAndLeavesNothingBehind) {
    for (const Kind& kind : DamagedVariants(lines_, payload_))
        for (std::size_t pick = 0; pick < 6; ++pick) {  // six of each kind, first and last included
            const std::string& package = kind.packages[pick * (kind.packages.size() - 1) / 5];
            SCOPED_TRACE(testing::Message() << kind.what << " " << pick * (kind.packages.size() - 1) / 5);
            WriteSetupProgram(program_, package, kind.signedProgram);
            const ChildProgram child(program_, temp_.Path());
            if (EndsSilently(package)) EXPECT_FALSE(child.WaitForMessageBox(kTimeout)) << "no message at all";
            else ExpectDamagedDataMessageThenExitZero(child);
            EXPECT_EQ(child.WaitForExit(kTimeout), 0u);
            EXPECT_FALSE(FolderExists(installFolder_));
            EXPECT_EQ(ListFiles(temp_.Path()), "") << "no package copy";
        }
}

// Ten million registry records of empty lines: a 50 MB package whose lists outgrow the 32-bit
// program's memory while loading.
TEST_F(DamagedProgram, PackageThatExhaustsMemoryWhileLoadingShowsTheDamagedDataMessage) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit program has the memory to load it";
    StringList lines(setting::kCount, "0");
    lines[setting::kRegistryCount] = "10000000";
    const std::string text = ComposeTextBlock(lines) + std::string(50000000, '\r');
    WriteSetupProgram(program_, text + LengthTrailer(static_cast<std::int32_t>(text.size() + 4)));
    ExpectDamagedDataMessageThenExitZero(ChildProgram(program_, temp_.Path()));
}

}  // namespace
