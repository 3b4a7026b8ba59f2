#pragma once

#include <QString>
#include <QtGlobal>

// The paths, flags and settings that every part of the program shares while it
// runs. One instance lives in the application; windows and commands hold a
// reference to it.
struct AppState {
    // Program directory P, with a trailing "/". Every file of the system is named
    // relative to it.
    QString programDir;
    QString CardDir; // P + "FILES/"
    QString WorkDir; // P + "TEMP/"

    QString CurrentCardPath; // card file chosen last for opening; empty until then
    QString CurrentCardName; // the open card's name

    bool CardLoaded = false; // a card is open in the editor
    bool Modified = false;   // the open card has changes not yet in its card file

    // Settings (config.ini); these are the values without a config.ini.
    qint32 BackColor = 14732990;
    bool AutoSave = true;
    bool TableTabKey = true;
    bool NavigationKeys = true;
    bool ToolbarCaptions = true;

    // Printing and search state.
    QString PrintMode; // "SOUBOR" or "SEZNAM"; empty before the first print command
    bool PrintPicture = false;
    bool PrintGray = false;
    bool SearchRunning = false;

    QString libraryPath() const { return programDir + QStringLiteral("7z.so"); }
};
