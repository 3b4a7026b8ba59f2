#pragma once

#include <QString>

// The project's web site: home page, help pages under "/tavrosk/help/".
inline const QString kWebSite = "https://kartoteka.pelvarin.cz";
inline const QString kWebHost = "kartoteka.pelvarin.cz";
