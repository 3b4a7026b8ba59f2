#pragma once

// The project's web site, home of the search help page.
inline constexpr char kSearchWebSite[] = "https://kartoteka.pelvarin.cz";
inline constexpr char kSearchHelpPage[] = "/tavrosk/help/hledani.html";
