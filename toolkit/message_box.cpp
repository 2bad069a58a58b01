#include "toolkit/message_box.h"

#include "runtime/unicode.h"

int ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT flags) {
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags);
}
