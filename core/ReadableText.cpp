#include "core/ReadableText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinimumContrast = 4.5;

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& color) {
    return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) +
           0.0722 * linear(color.blueF());
}

} // namespace

namespace readabletext {

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextColor(const QColor& background, const QColor& preferred) {
    if (readabletext::contrastRatio(background, preferred) >= kMinimumContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return readabletext::contrastRatio(background, black) >=
                   readabletext::contrastRatio(background, white)
               ? black
               : white;
}

} // namespace readabletext
