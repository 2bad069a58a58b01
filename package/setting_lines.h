#pragma once
// The 65 settings lines of a package, by what each one means. The program, the builder and the
// tests all read settings through these names; the builder's description names (setup-pack) are the
// same words: kLicenceShow is "licence-show".
//
// Forms: a flag is on only for the text "1"; numbers, colours (negative: a system colour), font
// sizes and character sets are converted where they are used; paths have their placeholders
// replaced; a relative name is appended to the install folder.

namespace setting {

enum Line : int {
    kBanner = 0,                // written by the builder, never read by the program

    // The full-screen background.
    kBackground = 1,            // flag: show the background window
    kBackgroundGradient = 2,    // "0" paints one plain colour, any other text a gradient
    kBackgroundColor = 3,      // colour of the plain background, both ends of its gradient
    kGradientColor1 = 4,       // colour where the gradient starts
    kGradientColor2 = 5,       // colour where the gradient ends
    kTitle1Show = 6,            // flag: show the first title
    kTitle2Show = 7,            // flag: show the second title, near the bottom edge
    kTitle1Text = 8,
    kTitle2Text = 9,
    kTitle1FontSize = 10,       // font size, scaled to a height
    kTitle1FontName = 11,
    kTitle1FontColor = 12,
    kTitle1Charset = 13,        // character set number (204 Cyrillic, 1 default)
    kTitle1Bold = 14,           // flag
    kTitle1Italic = 15,         // flag
    kTitle1Underline = 16,      // flag
    kTitle1Strikeout = 17,      // flag
    kTitle2FontSize = 18,
    kTitle2FontName = 19,
    kTitle2FontColor = 20,
    kTitle2Charset = 21,
    kTitle2Bold = 22,
    kTitle2Italic = 23,
    kTitle2Underline = 24,
    kTitle2Strikeout = 25,

    // The wizard.
    kCaption = 26,              // the wizard window's caption
    kCompany = 27,              // company name, shown between the welcome and the finish page
    kProgramName = 28,          // put into the page texts, the restart question and Uninstall.ini
    kProgramGroup = 29,         // Start menu folder for program-menu shortcuts; the group box's first text
    kLicenceShow = 30,          // flag: show the licence page
    kLicenceText = 31,          // licence text, line breaks shifted to 0x8D 0x8A
    kLicenceFontSize = 32,
    kLicenceFontName = 33,
    kLicenceFontColor = 34,
    kLicenceCharset = 35,
    kLicenceBold = 36,
    kLicenceItalic = 37,
    kLicenceUnderline = 38,
    kLicenceStrikeout = 39,
    kRunAtStart = 40,           // flag: start a program when the wizard first shows
    kRunAtStartProgram = 41,    // path of that program
    kRunAtStartParameters = 42,
    kRunAtEnd = 43,             // flag: start a program after the last page
    kRunAtEndProgram = 44,      // path of that program
    kRunAtEndParameters = 45,
    kOfferRunApp = 46,          // flag: offer "run the installed application" on the last page
    kRunApp = 47,               // relative name of that application
    kGradientTopToBottom = 48,  // flag: the background gradient runs downwards, otherwise rightwards

    // The install run and the record lists.
    kWriteRegistry = 49,        // flag: write the registry records
    kRegistryCount = 50,        // number of registry records
    kOfferReadme = 51,          // flag: offer "view the readme" on the last page
    kReadme = 52,               // relative name of the readme
    kCreateShortcuts = 53,      // flag: show the group and shortcut page and create the shortcuts
    kShortcutCount = 54,        // number of shortcut records
    kUninstallName = 55,        // name in the list of installed programs: uninstall key and DisplayName
    kWriteUninstall = 56,       // flag: write the uninstall key and Uninstall.ini
    kFileCount = 57,            // number of file records
    kInstallFolder = 58,        // path of the default install folder; expanded in place when the wizard shows
    kUninstallSetting1 = 59,    // copied to Uninstall.ini
    kUninstallSetting2 = 60,    // copied to Uninstall.ini
    kUninstallSetting3 = 61,    // path, copied to Uninstall.ini expanded
    kUninstallSetting4 = 62,    // copied to Uninstall.ini

    // After the last page.
    kAskRestart = 63,           // flag: ask to restart the computer
    kRestartOrdinary = 64,      // "1" restarts ordinarily, anything else forces the restart

    kCount = 65  // how many settings lines a package has
};

}  // namespace setting
