#include "tests/engine/engine_fixture.h"

#include <objbase.h>

#include "engine/registry_writer.h"
#include "tests/support/test_settings.h"

namespace {

// The program's start-up initialises COM for its one thread; the tests do the same.
class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};
testing::Environment* const kCom = testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

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
    const std::string textBlock = "text block\r\n" + std::string(100, 'T') + "\r\n";
    WriteFileBytes(path, textBlock + payload);
    data.PayloadOffset = static_cast<std::int64_t>(textBlock.size());
}

ScratchKey::ScratchKey(HKEY root, const std::string& parent)
    : root_(root), path_(parent + "RodevTest-" + std::to_string(GetCurrentProcessId())) {
    RegDeleteTreeA(root_, path_.c_str());
}

void ValueOverride::Set(DWORD type, const std::string& bytes) {
    ASSERT_TRUE(SetRegValue(OpenOrCreateKey(root_, key_), name_, type, bytes)) << key_ << "\\" << name_;
}

ShellFolderOverride::ShellFolderOverride(const std::string& name)
    : legacy_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name),
      current_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", name) {}

Installation EngineTest::Run() {
    return Installation{package_.data, view_, state_, copyPath_,
                        [](unsigned ms) { current_->events.push_back("pause " + std::to_string(ms)); }, placeFolder_};
}
