#include "mainwindow/UpdateCheck.h"

#include "core/Prompts.h"
#include "widgets/WebLinks.h"

#include <QFileInfo>
#include <QProcess>

namespace {

const QString kUpdaterName = QStringLiteral("zolupdt.exe");
// The version 0.7.4 without its dots, the form the updater expects.
const QString kVersionParameter = QStringLiteral("074");

} // namespace

namespace updatecheck {

QString updaterPath(const QString& programDir) {
    return programDir + kUpdaterName;
}

bool checkForUpdates(const QString& programDir, Prompts& prompts) {
    const QString path = updatecheck::updaterPath(programDir);
    if (!QFileInfo(path).isFile()) {
        prompts.message(QStringLiteral("Aplikace \"%1\" nebyla nalezena. Zkontrolujte verzi na %2")
                            .arg(kUpdaterName, kWebHost));
        return false;
    }
    // Whether it starts is the desktop's affair, as with a web page: no message.
    QProcess::startDetached(path, {kVersionParameter});
    return true;
}

} // namespace updatecheck
