// The package's registry values written into the real (Wine) registry and read back.
#include "engine/registry_writer.h"

#include <list>

#include "tests/engine/engine_fixture.h"

namespace {

class RegistryValues : public EngineTest {
protected:
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
};

std::string Dword(std::uint32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

TEST_F(RegistryValues, EachTypeIsStoredAsItsOwnWithTheDataExpandedButNotTheKeyPath) {
    view_.folder = "C:\\Apps\\Tool\\";
    const std::tuple<const char*, const char*, DWORD, std::string> values[] = {
        {"String", "Редактор", REG_SZ, std::string("Редактор") + '\0'},
        {"String", "%ProgDr%\\app.exe", REG_SZ, std::string("C:\\Apps\\Tool\\app.exe") + '\0'},
        {"Binary", "AB", REG_BINARY, "AB"}, {"DWORD", "$FF", REG_DWORD, Dword(255)},
        {"DWORD", "-1", REG_DWORD, Dword(0xFFFFFFFF)}, {"DWORD", "  +42", REG_DWORD, Dword(42)},
        {"string", "text", REG_NONE, ""}};  // an unknown type writes nothing
    // Missing keys are made and a leading backslash is ignored.
    const std::string key = key_.Path() + "\\a\\%ProgDr%";
    for (const auto& [type, data, stored, bytes] : values)
        package_.AddRegistry("HKEY_CURRENT_USER", "\\" + key, std::string(type) + data, data, type);
    package_.AddRegistry("HKEY_CURRENT_USER", key, "", "first", "String");
    package_.AddRegistry("HKEY_CURRENT_USER", key, "", "default", "String");  // the later record wins
    Do(WriteRegistryEntries);
    for (const auto& [type, data, stored, bytes] : values) {
        const RegValue value = ReadRegValue(HKEY_CURRENT_USER, key, std::string(type) + data).value_or(RegValue{});
        EXPECT_EQ(std::pair(value.type, value.data), std::pair(stored, bytes)) << type << data;
    }
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, key, "")->data, std::string("default") + '\0');
}

TEST_F(RegistryValues, EveryWritableRootTakesValues) {
    const std::tuple<const char*, HKEY, const char*> roots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT, ""},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER, "Software\\Roots\\"}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, "Software\\"},
        {"HKEY_USERS", HKEY_USERS, ".DEFAULT\\Software\\"}, {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG, "Software\\"},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA, ""}};
    std::list<ScratchKey> keys;
    for (const auto& [name, root, parent] : roots) package_.AddRegistry(name, keys.emplace_back(root, parent).Path(), "V", "v", "String");
    Do(WriteRegistryEntries);
    auto key = keys.begin();
    for (const auto& [name, root, parent] : roots) EXPECT_TRUE(ReadRegValue(root, (key++)->Path(), "V")) << name;
}

// A root name in other letters, the performance data that the system produces and does not store,
// and a DWORD that is no number: the run ends at the record, before the next.
TEST_F(RegistryValues, RecordThatCannotBeWrittenEndsTheRunThere) {
    const std::tuple<const char*, const char*, const char*, const char*> faults[] = {
        {"hkey_current_user", "String", "RegistryError", "Failed to set data for 'RodevTest'"},
        {"HKEY_PERFORMANCE_DATA", "String", "RegistryError", "Failed to set data for 'RodevTest'"},
        {"HKEY_CURRENT_USER", "DWORD", "ConvertError", "'x' is not a valid integer value"}};
    for (const auto& [root, type, kind, message] : faults) {
        package_ = TestPackage();
        package_.AddRegistry(root, key_.Path(), "RodevTest", "x", type);
        package_.AddRegistry("HKEY_CURRENT_USER", key_.Path(), "After", "a", "String");
        EXPECT_FAILURE(Do(WriteRegistryEntries), kind, message);
        EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, key_.Path(), "After")) << root;
    }
}

}  // namespace
