// The package's registry values written into the real (Wine) registry and read back.
#include "engine/registry_writer.h"

#include "tests/engine/engine_fixture.h"

namespace {

class RegistryValues : public EngineTest {
protected:
    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
};

// Data whose bytes all differ, so that a byte dropped, swapped, wrong or in the wrong order shows, and
// a terminator where none belongs: the value as the registry holds it.
TEST_F(RegistryValues, EachTypeIsStoredAsItsOwnBelowTheNamedRootWithTheDataExpandedButNotTheKeyPath) {
    view_.folder = "C:\\Apps\\Tool\\";
    const std::tuple<const char*, const char*, DWORD, std::string> values[] = {
        // Only an empty string shows a missing zero: reading adds it to others.
        {"String", "Редактор", REG_SZ, std::string("Редактор") + '\0'}, {"String", "", REG_SZ, {"", 1}},
        {"String", "Müller Әлия", REG_SZ, std::string("Müller Әлия") + '\0'},
        {"String", "%ProgDr%\\app.exe", REG_SZ, std::string("C:\\Apps\\Tool\\app.exe") + '\0'},
        // Binary data is the package's Windows-1251 bytes ("Ђ" is 0x80, "я" 0xFF).
        {"Binary", "\x01" "Ab\x7FЂяЖ", REG_BINARY, "\x01" "Ab\x7F\x80\xFF\xC6"}, {"Binary", "", REG_BINARY, ""},
        {"DWORD", "$89ABCDEF", REG_DWORD, "\xEF\xCD\xAB\x89"}, {"DWORD", "-19088744", REG_DWORD, "\x98\xBA\xDC\xFE"},
        {"DWORD", "  +305419896", REG_DWORD, "\x78\x56\x34\x12"},
        {"string", "text", REG_NONE, ""}};  // an unknown type writes nothing
    // Missing keys are made and a leading backslash is ignored.
    const std::string key = key_.Path() + "\\a\\%ProgDr%";
    for (const auto& [type, data, stored, bytes] : values)
        package_.AddRegistry("HKEY_CURRENT_USER", "\\" + key, std::string(type) + data, data, type);
    // The key's default value, in another root; the later record of one value wins.
    ScratchKey machine(HKEY_LOCAL_MACHINE, "Software\\");
    package_.AddRegistry("HKEY_LOCAL_MACHINE", machine.Path(), "", "first", "String");
    package_.AddRegistry("HKEY_LOCAL_MACHINE", machine.Path(), "", "default", "String");
    Do(WriteRegistryEntries);
    for (const auto& [type, data, stored, bytes] : values) {
        const RegValue value = ReadRegValue(HKEY_CURRENT_USER, key, std::string(type) + data).value_or(RegValue{});
        EXPECT_EQ(std::pair(value.type, value.data), std::pair(stored, bytes)) << type << data;
    }
    EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, machine.Path(), "")->data, std::string("default") + '\0');
}

// A root name in other letters and a DWORD that is no number: the run ends at the record, before
// the next.
TEST_F(RegistryValues, RecordThatCannotBeWrittenEndsTheRunThere) {
    const std::tuple<const char*, const char*, const char*, const char*> faults[] = {
        {"hkey_current_user", "String", "RegistryError", "Failed to set data for 'RodevTest'"},
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
