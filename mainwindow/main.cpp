#include "mainwindow/Application.h"
#include "mainwindow/Resources.h"
#include "storage/ProgramDir.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // ASCII names for the desktop: the application name becomes the window
    // class (WM_CLASS), which window managers read as Latin-1, and the desktop
    // file name ties the windows to the menu entry and its icon. The title
    // "Pelvarin Kartotéka" is the windows' own (no display name is set: Qt
    // would append it to every window title).
    QApplication::setApplicationName(QStringLiteral("kartoteka"));
    QApplication::setDesktopFileName(QStringLiteral("cz.pelvarin.kartoteka"));
    QApplication::setWindowIcon(resources::applicationIcon());
    // Qt's own dialogs and buttons (font, colour, file and printer dialogs,
    // Yes/No) in Czech, like the rest of the program; English when missing.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    const QString executableDir = programdir::executableDirectory();
    Application application(programdir::dataDirectory(executableDir));
    application.state().libraryDir = executableDir;
    application.start();
    return application.run();
}
