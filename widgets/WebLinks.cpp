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

void openHomePage() {
    QDesktopServices::openUrl(homePage());
}

void openSupportPage() {
    QDesktopServices::openUrl(supportPage());
}

void openHelp(const QString& page) {
    QDesktopServices::openUrl(helpPage(page));
}

} // namespace weblinks
