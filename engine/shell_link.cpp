#include "engine/shell_link.h"

#include <shlobj.h>

#include "engine/com_ptr.h"
#include "engine/wide_text.h"
#include "runtime/errors.h"
#include "runtime/platform.h"

namespace {

// The three identifiers the shell link needs, defined here: the system's identifier library
// defines every identifier it knows in one piece and would add some 40 KiB to the program.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The system's message for a COM result, as the user would see it.
std::string SystemErrorText(HRESULT result) {
    char text[512];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(result), 0, text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
    if (n > 0) return std::string(text, n);
    char code[32];
    wsprintfA(code, "OLE error %08X", static_cast<unsigned>(result));
    return code;
}

void NewShellLink(ComPtr<IShellLinkA>& link) {
    const HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                            kShellLinkInterface, link.Out());
    if (FAILED(result)) Fail("OleError", SystemErrorText(result));
}

}  // namespace

bool CreateShellLink(const std::string& target, const std::string& linkPath, const std::string& description,
                     const std::string& arguments, const std::string& workingFolder) {
    ComPtr<IShellLinkA> link;
    NewShellLink(link);
    link->SetArguments(arguments.c_str());
    link->SetDescription(description.c_str());
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(kPersistFileInterface, file.Out()))) return false;
    return SUCCEEDED(file->Save(AnsiToWide(linkPath).c_str(), FALSE));
}

std::optional<ShortcutFields> ReadShortcut(const std::string& linkPath) {
    ComPtr<IShellLinkA> link;
    NewShellLink(link);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(kPersistFileInterface, file.Out()))) return std::nullopt;
    if (FAILED(file->Load(AnsiToWide(linkPath).c_str(), STGM_READ))) return std::nullopt;
    // An empty field may come back as S_FALSE with the buffer untouched.
    char text[1024];
    ShortcutFields fields;
    text[0] = '\0';
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) fields.target = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) fields.workingFolder = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, sizeof text))) fields.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetDescription(text, sizeof text))) fields.description = text;
    return fields;
}
