#pragma once

#include "core/StoredColor.h"

#include <QFont>

// The main window's font as font.ini keeps it: the font with its style, and
// its colour in the stored form (a system colour stays a system colour).
struct MainFont {
    QFont font;
    qint32 color = kWindowTextColor;
};

namespace fonts {

// The designed font: "MS Sans Serif", 10 points, window-text colour, no style.
// fontconfig substitutes a sans-serif face with Central European letters.
inline MainFont designedMainFont() {
    return {QFont(QStringLiteral("MS Sans Serif"), 10), kWindowTextColor};
}

} // namespace fonts
