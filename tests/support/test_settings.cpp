#include "tests/support/test_settings.h"

StringList TestSettings() {
    using namespace setting;
    StringList s(kCount, "0");
    s[kBanner] = "test";
    s[kBackgroundGradient] = "1", s[kBackgroundColor] = "8388608", s[kGradientColor1] = "16744448";
    s[kGradientColor2] = "65280";
    s[kTitle1Show] = s[kTitle2Show] = "1";
    s[kTitle1Text] = "Тест 1.0", s[kTitle2Text] = "© Rodev";
    s[kTitle1FontSize] = "28", s[kTitle1FontName] = "Arial", s[kTitle1FontColor] = "16776960";
    s[kTitle1Charset] = "204", s[kTitle1Bold] = "1", s[kTitle1Italic] = "1";
    s[kTitle2FontSize] = "10", s[kTitle2FontName] = "MS Sans Serif", s[kTitle2FontColor] = "16777215";
    s[kTitle2Charset] = "1";
    s[kCaption] = kTestCaption;
    s[kCompany] = "Rodev";
    s[kProgramName] = "Тест";
    s[kProgramGroup] = "Rodev\\Тест";
    s[kLicenceText] = s[kRunAtStartProgram] = s[kRunAtStartParameters] = "";
    s[kLicenceFontSize] = "8", s[kLicenceFontName] = "MS Sans Serif", s[kLicenceFontColor] = "-16777208";
    s[kLicenceCharset] = "204";
    s[kRunAtEndProgram] = s[kRunAtEndParameters] = s[kRunApp] = s[kReadme] = "";
    s[setting::kGradientTopToBottom] = "1";  // not the toolkit's gradient style of that name
    s[kUninstallName] = "Тест";
    s[kInstallFolder] = "C:\\Program Files\\Rodev\\Test";
    return s;
}
