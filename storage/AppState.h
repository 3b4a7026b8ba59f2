#pragma once

#include <QString>
#include <QtGlobal>

// The paths, flags and settings that every part of the program shares while it
// runs. One instance lives in the application; windows and commands hold a
// reference to it. The open card's state lives in OpenCard.
//
// Folder rule: storage/ holds the card files and the working directory. It uses
// Qt Core only and includes nothing outside storage/.
struct AppState {
    // Program directory P, with a trailing "/". Every file of the system is named
    // relative to it.
    QString programDir;
    QString CardDir; // P + "FILES/"
    QString WorkDir; // P + "TEMP/"

    // The background colour without a config.ini (light blue).
    static constexpr qint32 DefaultBackColor = 14732990;

    // Settings (config.ini); these are the values without a config.ini.
    qint32 BackColor = DefaultBackColor;
    bool AutoSave = true;
    bool TableTabKey = true;
    bool NavigationKeys = true;
    bool ToolbarCaptions = true;

    // Printing state.
    QString PrintMode; // "SOUBOR" or "SEZNAM"; empty before the first print command
    bool PrintPicture = false;
    bool PrintGray = false;

    // The folder of 7z.so, with a trailing "/": the executable's, which is
    // the program directory unless the cards live in the user's data folder
    // (ProgramDir.h). Empty means the program directory.
    QString libraryDir;

    QString libraryPath() const {
        return (libraryDir.isEmpty() ? programDir : libraryDir) + QStringLiteral("7z.so");
    }
    // P + "HISTORY/": the earlier versions of the card files (CardHistory.h).
    QString historyDir() const { return programDir + QStringLiteral("HISTORY/"); }
};
