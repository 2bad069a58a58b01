#include "tools/setting_names.h"

// Keyed by the named line, so the table cannot drift from the program's numbering: a row out of
// place fails to compile.
constexpr SettingName kSettingNames[setting::kCount] = {
    {setting::kBanner, "banner", "setup-pack"},
    {setting::kBackground, "background", "1"},
    {setting::kBackgroundGradient, "background-gradient", "1"},
    {setting::kBackgroundColor, "background-colour", "8388608"},
    {setting::kGradientColor1, "gradient-colour-1", "16744448"},
    {setting::kGradientColor2, "gradient-colour-2", "65280"},
    {setting::kTitle1Show, "title1-show", "1"},
    {setting::kTitle2Show, "title2-show", "1"},
    {setting::kTitle1Text, "title1-text", ""},
    {setting::kTitle2Text, "title2-text", ""},
    {setting::kTitle1FontSize, "title1-font-size", "28"},
    {setting::kTitle1FontName, "title1-font-name", "Arial"},
    {setting::kTitle1FontColor, "title1-font-colour", "16776960"},
    {setting::kTitle1Charset, "title1-charset", "204"},
    {setting::kTitle1Bold, "title1-bold", "1"},
    {setting::kTitle1Italic, "title1-italic", "1"},
    {setting::kTitle1Underline, "title1-underline", "0"},
    {setting::kTitle1Strikeout, "title1-strikeout", "0"},
    {setting::kTitle2FontSize, "title2-font-size", "10"},
    {setting::kTitle2FontName, "title2-font-name", "MS Sans Serif"},
    {setting::kTitle2FontColor, "title2-font-colour", "16777215"},
    {setting::kTitle2Charset, "title2-charset", "1"},
    {setting::kTitle2Bold, "title2-bold", "0"},
    {setting::kTitle2Italic, "title2-italic", "0"},
    {setting::kTitle2Underline, "title2-underline", "0"},
    {setting::kTitle2Strikeout, "title2-strikeout", "0"},
    {setting::kCaption, "caption", ""},
    {setting::kCompany, "company", ""},
    {setting::kProgramName, "program-name", ""},
    {setting::kProgramGroup, "program-group", ""},
    {setting::kLicenceShow, "licence-show", "0"},
    {setting::kLicenceText, "licence-text", ""},
    {setting::kLicenceFontSize, "licence-font-size", "8"},
    {setting::kLicenceFontName, "licence-font-name", "MS Sans Serif"},
    {setting::kLicenceFontColor, "licence-font-colour", "-16777208"},
    {setting::kLicenceCharset, "licence-charset", "1"},
    {setting::kLicenceBold, "licence-bold", "0"},
    {setting::kLicenceItalic, "licence-italic", "0"},
    {setting::kLicenceUnderline, "licence-underline", "0"},
    {setting::kLicenceStrikeout, "licence-strikeout", "0"},
    {setting::kRunAtStart, "run-at-start", "0"},
    {setting::kRunAtStartProgram, "run-at-start-program", ""},
    {setting::kRunAtStartParameters, "run-at-start-parameters", ""},
    {setting::kRunAtEnd, "run-at-end", "1"},
    {setting::kRunAtEndProgram, "run-at-end-program", ""},
    {setting::kRunAtEndParameters, "run-at-end-parameters", ""},
    {setting::kOfferRunApp, "offer-run-app", "0"},
    {setting::kRunApp, "run-app", ""},
    {setting::kGradientTopToBottom, "gradient-top-to-bottom", "1"},
    {setting::kWriteRegistry, "write-registry", "1"},
    {setting::kRegistryCount, "registry-count", ""},
    {setting::kOfferReadme, "offer-readme", "0"},
    {setting::kReadme, "readme", ""},
    {setting::kCreateShortcuts, "create-shortcuts", "1"},
    {setting::kShortcutCount, "shortcut-count", ""},
    {setting::kUninstallName, "uninstall-name", ""},
    {setting::kWriteUninstall, "write-uninstall", "1"},
    {setting::kFileCount, "file-count", ""},
    {setting::kInstallFolder, "install-folder", ""},
    {setting::kUninstallSetting1, "uninstall-setting-1", "1"},
    {setting::kUninstallSetting2, "uninstall-setting-2", "0"},
    {setting::kUninstallSetting3, "uninstall-setting-3", " "},
    {setting::kUninstallSetting4, "uninstall-setting-4", " "},
    {setting::kAskRestart, "ask-restart", "0"},
    {setting::kRestartOrdinary, "restart-ordinary", "1"},
};

namespace {

constexpr bool EveryRowOnItsLine() {
    for (int i = 0; i < setting::kCount; ++i)
        if (kSettingNames[i].line != i || kSettingNames[i].name.empty()) return false;
    return true;
}

}  // namespace

static_assert(EveryRowOnItsLine(), "kSettingNames must list every line in order");

int FindSetting(std::string_view name) {
    for (int i = 0; i < setting::kCount; ++i)
        if (kSettingNames[i].name == name) return i;
    return -1;
}
