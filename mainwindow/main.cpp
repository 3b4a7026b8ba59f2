#include "mainwindow/Application.h"
#include "mainwindow/Resources.h"
#include "storage/ProgramDir.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application name doubles as the display name (the caption of the
    // message boxes); setting the display name itself would make Qt append it
    // to every window title.
    QApplication::setApplicationName(QStringLiteral("Pelvarin Kartotéka"));
    QApplication::setWindowIcon(resources::ApplicationIcon());
    // Qt's own dialogs and buttons (font, colour, file and printer dialogs,
    // Yes/No) in Czech, like the rest of the program; English when missing.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    Application application(executableDirectory());
    application.Start();
    return application.Run();
}
