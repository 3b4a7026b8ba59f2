#include "widgets/WebLinks.h"

#include <QDesktopServices>

namespace weblinks {

QUrl homePage() {
    return QUrl(kWebSite);
}

QUrl supportPage() {
    return QUrl(kWebSite + QStringLiteral("/pomoc.html"));
}

QUrl helpPage(const QString& page) {
    return QUrl(kWebSite + QStringLiteral("/tavrosk/help/") + page);
}

void OpenHomePage() {
    QDesktopServices::openUrl(homePage());
}

void OpenSupportPage() {
    QDesktopServices::openUrl(supportPage());
}

void OpenHelp(const QString& page) {
    QDesktopServices::openUrl(helpPage(page));
}

} // namespace weblinks
