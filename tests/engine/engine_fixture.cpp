#include "tests/engine/engine_fixture.h"

#include "tests/support/test_settings.h"

TestPackage::TestPackage() {
    data.MainSettings = TestSettings();
    data.MainSettings[setting::kUninstallSetting4] = "";  // the uninstaller would show "0" as a note
}

void TestPackage::Add(StringList& list, std::initializer_list<std::string> record, int countLine, int stepLine) {
    list.insert(list.end(), record);
    data.MainSettings[countLine] = std::to_string(list.size() / record.size());
    if (stepLine >= 0) data.MainSettings[stepLine] = "1";
}

void TestPackage::WriteCopy(Text path) {
    // Extraction reads from the payload offset on; the text block's content does not matter to it.
    WriteFileBytes(path, "[text block]" + payload);
    data.PayloadOffset = 12;
}

ShellFolderOverride::ShellFolderOverride(const std::string& name, const std::string& folder)
    : legacy_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name),
      current_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", name) {
    legacy_.Set(folder), current_.Set(folder);
}

Installation EngineTest::Run() {
    copy_.Open(copyPath_);  // held as the loader holds its copy
    return Installation{package_.data, view_, state_, copy_,
                        [](unsigned ms) { current_->events.push_back("pause " + std::to_string(ms)); },
                        [] { return current_->clock += current_->tick; }, placeFolder_};
}
