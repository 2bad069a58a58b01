#include "tests/support/test_settings.h"

StringList TestSettings() {
    using namespace setting;
    StringList s(kCount, "0");
    for (int text : {kLicenceText, kRunAtStartProgram, kRunAtStartParameters, kRunAtEndProgram, kRunAtEndParameters,
                     kRunApp, kReadme})
        s[text] = "";
    s[kBanner] = "test", s[kCaption] = kTestCaption, s[kCompany] = "Rodev", s[kProgramName] = s[kUninstallName] = "Тест";
    s[kProgramGroup] = "Rodev\\Тест", s[kInstallFolder] = "C:\\Program Files\\Rodev\\Test";
    // A gradient from 0xFF8000 at the top (kGradientTopToBottom is not the toolkit's style of that name) to green.
    s[kBackgroundGradient] = s[kGradientTopToBottom] = s[kTitle1Show] = s[kTitle2Show] = "1";
    s[kBackgroundColor] = "8388608", s[kGradientColor1] = "16744448", s[kGradientColor2] = "65280";
    s[kTitle1Text] = "Тест 1.0", s[kTitle1FontSize] = "28", s[kTitle1FontName] = "Arial", s[kTitle1Charset] = "204";
    s[kTitle1FontColor] = "16776960", s[kTitle1Bold] = s[kTitle1Italic] = "1";
    s[kTitle2Text] = "© Rodev", s[kTitle2FontSize] = "10", s[kTitle2FontName] = "MS Sans Serif", s[kTitle2Charset] = "1";
    s[kTitle2FontColor] = "16777215";
    s[kLicenceFontSize] = "8", s[kLicenceFontName] = "MS Sans Serif", s[kLicenceFontColor] = "-16777208";
    s[kLicenceCharset] = "204";
    return s;
}
