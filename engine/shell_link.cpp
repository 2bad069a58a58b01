#include "engine/shell_link.h"

#include <shlobj.h>

#include "engine/com_ptr.h"
#include "runtime/errors.h"
#include "runtime/platform.h"
#include "runtime/unicode.h"

namespace {

// The three identifiers the shell link needs, defined here: the system's identifier library
// defines every identifier it knows in one piece and would add some 40 KiB to the program.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkInterface = {0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The system's message for a COM result, as the user would see it.
std::string SystemErrorText(HRESULT result) {
    wchar_t text[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(result), 0, text, std::size(text), nullptr);
    while (n > 0 && (text[n - 1] == L'\r' || text[n - 1] == L'\n' || text[n - 1] == L' ')) --n;
    if (n > 0) return Utf8(std::wstring_view(text, n));
    wchar_t code[32];
    wsprintfW(code, L"OLE error %08X", static_cast<unsigned>(result));
    return Utf8(code);
}

void NewShellLink(ComPtr<IShellLinkW>& link) {
    const HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                            kShellLinkInterface, link.Out());
    if (FAILED(result)) Fail("OleError", SystemErrorText(result));
}

}  // namespace

bool CreateShellLink(const std::string& target, const std::string& linkPath, const std::string& description,
                     const std::string& arguments, const std::string& workingFolder) {
    ComPtr<IShellLinkW> link;
    NewShellLink(link);
    link->SetArguments(Wide(arguments).c_str());
    link->SetDescription(Wide(description).c_str());
    link->SetPath(Wide(target).c_str());
    link->SetWorkingDirectory(Wide(workingFolder).c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(kPersistFileInterface, file.Out()))) return false;
    return SUCCEEDED(file->Save(Wide(linkPath).c_str(), FALSE));
}

std::optional<ShortcutFields> ReadShortcut(const std::string& linkPath) {
    ComPtr<IShellLinkW> link;
    NewShellLink(link);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(kPersistFileInterface, file.Out()))) return std::nullopt;
    if (FAILED(file->Load(Wide(linkPath).c_str(), STGM_READ))) return std::nullopt;
    // An empty field may come back as S_FALSE with the buffer untouched.
    wchar_t text[1024];
    ShortcutFields fields;
    text[0] = L'\0';
    if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) fields.target = Utf8(text);
    text[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) fields.workingFolder = Utf8(text);
    text[0] = L'\0';
    if (SUCCEEDED(link->GetArguments(text, std::size(text)))) fields.arguments = Utf8(text);
    text[0] = L'\0';
    if (SUCCEEDED(link->GetDescription(text, std::size(text)))) fields.description = Utf8(text);
    return fields;
}
