// The folder page's "Выбрать": the system's folder browser, owned by the wizard.
#include "runtime/platform.h"
#include "runtime/unicode.h"
#include "wizard/setup_form.h"
#include "wizard/setup_form_handlers.h"
#include "wizard/wizard_texts.h"

#include <shlobj.h>

void BrowseButtonClick(SetupFormRecord& form) {
    wchar_t chosen[MAX_PATH] = {};
    const std::wstring title = Wide(kBrowseTitle);
    BROWSEINFOW info{};
    info.hwndOwner = form.SetupForm->GetWindowHandle();
    info.pszDisplayName = chosen;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    if (!item) return;  // cancelled
    if (SHGetPathFromIDListW(item, chosen)) form.FolderEdit->SetText(Utf8(chosen));
    CoTaskMemFree(item);
}
