#pragma once

#include <QColor>

// Text drawn on the user's background colour must stay readable whatever the
// desktop's palette: a dark theme's light text on the light default background
// would all but vanish.

namespace readabletext {

// The contrast ratio of two colours (1 to 21), from their relative luminance.
double contrastRatio(const QColor& a, const QColor& b);

// preferred when it stands out from background by at least 4.5 : 1; otherwise
// black or white, whichever stands out more.
QColor readableTextColor(const QColor& background, const QColor& preferred);

} // namespace readabletext
