#pragma once

#include "core/WebSite.h"

#include <QString>
#include <QUrl>

// The pages of the project's web site (kWebSite) that the program opens in the
// user's browser.
namespace weblinks {

QUrl homePage();
QUrl supportPage();
// A page of the help, which lies on the web site under "/tavrosk/help/".
QUrl helpPage(const QString& page = QStringLiteral("index.html"));

// Each asks the desktop to open the page and returns at once; a page that
// cannot be opened is not reported.
void openHomePage();
void openSupportPage();
void openHelp(const QString& page = QStringLiteral("index.html"));

} // namespace weblinks
