#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

// The project's web site and the pages of it that the program opens in the
// user's browser.
namespace weblinks {

inline constexpr QLatin1String kWebSite("https://kartoteka.pelvarin.cz");
inline constexpr QLatin1String kWebSiteHost("kartoteka.pelvarin.cz");

QUrl homePage();
QUrl supportPage();
// A page of the help, which lies on the web site under "/tavrosk/help/".
QUrl helpPage(const QString& page = QStringLiteral("index.html"));

// Each asks the desktop to open the page and returns at once; a page that
// cannot be opened is not reported.
void OpenHomePage();
void OpenSupportPage();
void OpenHelp(const QString& page = QStringLiteral("index.html"));

} // namespace weblinks
