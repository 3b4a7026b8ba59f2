#include "mainwindow/Application.h"
#include "mainwindow/Resources.h"
#include "storage/ProgramDir.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application name doubles as the display name (the caption of the
    // message boxes); setting the display name itself would make Qt append it
    // to every window title.
    QApplication::setApplicationName(QStringLiteral("Pelvarin Kartotéka"));
    QApplication::setWindowIcon(resources::ApplicationIcon());

    Application application(executableDirectory());
    application.Start();
    return application.Run();
}
