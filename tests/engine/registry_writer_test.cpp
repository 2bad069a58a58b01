// The package's registry values written into the real (Wine) registry and read back.
#include "engine/registry_writer.h"

#include "engine/registry_read.h"
#include "runtime/errors.h"
#include "tests/engine/engine_fixture.h"

namespace {

class RegistryValues : public EngineTest {
protected:
    void Write() {
        Installation run = Run();
        WriteRegistryEntries(run);
    }
    std::optional<RegValue> Read(const std::string& name, const std::string& below = "") {
        return ReadRegValue(HKEY_CURRENT_USER, key_.Path() + below, name);
    }
    void Add(const std::string& name, const std::string& data, const std::string& type, const std::string& below = "") {
        package_.AddRegistry("HKEY_CURRENT_USER", key_.Path() + below, name, data, type);
    }

    ScratchKey key_{HKEY_CURRENT_USER, "Software\\"};
};

std::string Dword(std::uint32_t n) {
    return std::string{static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
}

TEST_F(RegistryValues, StringBinaryAndDwordAreStoredAsTheirTypes) {
    Add("Name", "Редактор", "String");
    Add("Bytes", "AB", "Binary");
    Add("Hex", "$FF", "DWORD");
    Add("Minus", "-1", "DWORD");
    Add("Blanks", "  +42", "DWORD");
    Write();
    EXPECT_EQ(Read("Name")->type, DWORD{REG_SZ});
    EXPECT_EQ(Read("Name")->data, std::string("Редактор") + '\0');
    EXPECT_EQ(Read("Bytes")->type, DWORD{REG_BINARY});
    EXPECT_EQ(Read("Bytes")->data, "\x41\x42");
    EXPECT_EQ(Read("Hex")->type, DWORD{REG_DWORD});
    EXPECT_EQ(Read("Hex")->data, Dword(255));
    EXPECT_EQ(Read("Minus")->data, Dword(0xFFFFFFFF));
    EXPECT_EQ(Read("Blanks")->data, Dword(42));
}

TEST_F(RegistryValues, DataIsExpandedButTheKeyPathIsNot) {
    view_.folder = "C:\\Apps\\Tool\\";
    Add("Path", "%ProgDr%\\app.exe", "String", "\\%ProgDr%");
    Write();
    EXPECT_EQ(Read("Path", "\\%ProgDr%")->data, std::string("C:\\Apps\\Tool\\app.exe") + '\0');
}

TEST_F(RegistryValues, MissingKeysAreCreatedAndALeadingBackslashIgnored) {
    package_.AddRegistry("HKEY_CURRENT_USER", "\\" + key_.Path() + "\\a\\b\\c", "Deep", "d", "String");
    Write();
    EXPECT_EQ(Read("Deep", "\\a\\b\\c")->data, std::string("d") + '\0');
}

TEST_F(RegistryValues, EmptyValueNameWritesTheKeysDefaultValue) {
    Add("", "first", "String");
    Add("", "default", "String");  // the later record for one value wins
    Write();
    EXPECT_EQ(Read("")->data, std::string("default") + '\0');
}

TEST_F(RegistryValues, UnknownTypeCreatesTheKeyAndWritesNothing) {
    Add("V", "text", "string", "\\Made");
    Write();
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key_.Path() + "\\Made").c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
    RegCloseKey(h);
    EXPECT_FALSE(Read("V", "\\Made"));
}

TEST_F(RegistryValues, RootNameInOtherLetterCaseOrNoKeyPathFailsToSetData) {
    Add("Before", "b", "String");
    package_.AddRegistry("hkey_current_user", key_.Path(), "Lower", "x", "String");
    Add("After", "a", "String");
    Installation run = Run();
    EXPECT_FAILURE(WriteRegistryEntries(run), "RegistryError", "Failed to set data for 'Lower'");
    EXPECT_TRUE(Read("Before"));
    EXPECT_FALSE(Read("After"));
    // Not at the root of the hive.
    package_ = TestPackage();
    package_.AddRegistry("HKEY_CURRENT_USER", "\\", "RodevAtRoot", "x", "String");
    Installation atRoot = Run();
    EXPECT_FAILURE(WriteRegistryEntries(atRoot), "RegistryError", "Failed to set data for 'RodevAtRoot'");
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, "", "RodevAtRoot"));
}

TEST_F(RegistryValues, DwordThatIsNotANumberIsReported) {
    Add("N", "x", "DWORD");
    Installation run = Run();
    EXPECT_FAILURE(WriteRegistryEntries(run), "ConvertError", "'x' is not a valid integer value");
}

// Each root the package may name, with a key below it that the test may write.
struct Root {
    const char* name;
    HKEY key;
    const char* parent;
};

class RegistryRoot : public EngineTest, public testing::WithParamInterface<Root> {};

TEST_P(RegistryRoot, ValuesGoBelowTheNamedRoot) {
    const Root root = GetParam();
    ScratchKey key(root.key, root.parent);
    package_.AddRegistry(root.name, key.Path(), "V", "v", "String");
    Installation run = Run();
    WriteRegistryEntries(run);
    const auto value = ReadRegValue(root.key, key.Path(), "V");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, std::string("v") + '\0');
}

INSTANTIATE_TEST_SUITE_P(WritableRoots, RegistryRoot, testing::Values(
    Root{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT, ""},
    Root{"HKEY_CURRENT_USER", HKEY_CURRENT_USER, "Software\\"},
    Root{"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, "Software\\"},
    Root{"HKEY_USERS", HKEY_USERS, ".DEFAULT\\Software\\"},
    Root{"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG, "Software\\"},
    Root{"HKEY_DYN_DATA", HKEY_DYN_DATA, ""}),
    [](const testing::TestParamInfo<Root>& info) { return std::string(info.param.name); });

// Performance data is produced by the system, not stored: nothing can be written there, and the
// package hears so like any other failed write.
TEST_F(RegistryValues, PerformanceDataRootTakesNoValues) {
    package_.AddRegistry("HKEY_PERFORMANCE_DATA", "RodevTest", "V", "v", "String");
    Installation run = Run();
    EXPECT_FAILURE(WriteRegistryEntries(run), "RegistryError", "Failed to set data for 'V'");
}

TEST(RegistryRootNames, AreMatchedExactly) {
    EXPECT_EQ(RootKeyByName("HKEY_DYN_DATA"), HKEY_DYN_DATA);
    EXPECT_EQ(RootKeyByName("HKEY_PERFORMANCE_DATA"), HKEY_PERFORMANCE_DATA);
    EXPECT_EQ(RootKeyByName("HKEY_LOCAL_MACHINE"), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(RootKeyByName("HKEY_LOCAL_MACHINE "), nullptr);
    EXPECT_EQ(RootKeyByName("HKLM"), nullptr);
    EXPECT_EQ(RootKeyByName(""), nullptr);
}

}  // namespace
