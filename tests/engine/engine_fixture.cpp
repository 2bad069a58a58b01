#include "tests/engine/engine_fixture.h"

#include <objbase.h>

#include "runtime/errors.h"

namespace {

// The program's start-up initialises COM for its one thread; the tests do the same.
class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};
testing::Environment* const kCom = testing::AddGlobalTestEnvironment(new ComEnvironment);

void SetCount(PackageData& data, setting::Line line, std::size_t records) {
    data.MainSettings[line] = std::to_string(records);
}

}  // namespace

TestPackage::TestPackage() {
    using namespace setting;
    data.MainSettings.assign(kCount, "");
    for (int line : {kWriteRegistry, kRegistryCount, kCreateShortcuts, kShortcutCount, kWriteUninstall, kFileCount})
        data.MainSettings[line] = "0";
}

void TestPackage::AddFile(const std::string& path, const std::string& bytes, const std::string& attributes) {
    data.FileEntries.insert(data.FileEntries.end(), {path, std::to_string(bytes.size()), attributes});
    payload += bytes;
    SetCount(data, setting::kFileCount, data.FileEntries.size() / 3);
}

void TestPackage::AddRegistry(const std::string& root, const std::string& key, const std::string& name,
                              const std::string& value, const std::string& type) {
    data.RegistryEntries.insert(data.RegistryEntries.end(), {root, key, name, value, type});
    data.MainSettings[setting::kWriteRegistry] = "1";
    SetCount(data, setting::kRegistryCount, data.RegistryEntries.size() / 5);
}

void TestPackage::AddShortcut(const std::string& place, const std::string& name, const std::string& target,
                              const std::string& workingFolder, const std::string& arguments,
                              const std::string& description) {
    data.ShortcutEntries.insert(data.ShortcutEntries.end(),
                                {place, name, target, workingFolder, arguments, description});
    data.MainSettings[setting::kCreateShortcuts] = "1";
    SetCount(data, setting::kShortcutCount, data.ShortcutEntries.size() / 6);
}

void TestPackage::WriteCopy(const std::string& path) {
    // Extraction reads from the payload offset on; the text block's content does not matter to it.
    const std::string textBlock = "text block\r\n" + std::string(100, 'T') + "\r\n";
    data.PayloadOffset = static_cast<std::int64_t>(textBlock.size());
    WriteFileBytes(path, textBlock + payload);
}

ScratchKey::ScratchKey(HKEY root, const std::string& parent)
    : root_(root), path_(parent + "RodevTest-" + std::to_string(GetCurrentProcessId())) {
    RegDeleteTreeA(root_, path_.c_str());
}

ScratchKey::~ScratchKey() {
    RegDeleteTreeA(root_, path_.c_str());
    RegDeleteKeyA(root_, path_.c_str());
}

ValueOverride::ValueOverride(HKEY root, const std::string& key, const std::string& name)
    : root_(root), key_(key), name_(name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(h, name_.c_str(), nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.resize(size);
        existed_ = RegQueryValueExA(h, name_.c_str(), nullptr, &type_, reinterpret_cast<BYTE*>(data_.data()),
                                    &size) == ERROR_SUCCESS;
    }
    RegCloseKey(h);
}

ValueOverride::~ValueOverride() {
    HKEY h = nullptr;
    if (RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    if (existed_)
        RegSetValueExA(h, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    else
        RegDeleteValueA(h, name_.c_str());
    RegCloseKey(h);
}

void ValueOverride::Set(const std::string& text) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr), ERROR_SUCCESS);
    RegSetValueExA(h, name_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(h);
}

void ValueOverride::Remove() {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root_, key_.c_str(), 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) return;
    RegDeleteValueA(h, name_.c_str());
    RegCloseKey(h);
}

ShellFolderOverride::ShellFolderOverride(const std::string& name)
    : legacy_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name),
      current_(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", name) {}

std::vector<unsigned> EngineTest::pauses_;

EngineTest::EngineTest() {
    pauses_.clear();
    view_.folder = install_.Path();
}

Installation EngineTest::Run() {
    return Installation{package_.data, view_, state_, copyPath_, [](unsigned ms) { pauses_.push_back(ms); }};
}
