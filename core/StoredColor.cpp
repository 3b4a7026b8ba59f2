#include "core/StoredColor.h"

namespace {

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette entry that plays the part of each system colour index.
PaletteEntry paletteEntryFor(int index) {
    constexpr auto A = QPalette::Active;
    constexpr auto I = QPalette::Inactive;
    constexpr auto D = QPalette::Disabled;
    switch (index) {
    case 0: // scroll bar
        return {A, QPalette::Button};
    case 1: // desktop
        return {A, QPalette::Dark};
    case 2:  // active caption
    case 13: // highlight
    case 27: // gradient of the active caption
    case 29: // menu highlight
        return {A, QPalette::Highlight};
    case 3: // inactive caption
    case 28:
        return {I, QPalette::Highlight};
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
    case 30: // menu bar
        return {A, QPalette::Window};
    case 5: // window
        return {A, QPalette::Base};
    case 6:  // window frame
    case 21: // 3D dark shadow
        return {A, QPalette::Shadow};
    case 7: // menu text
    case 8: // window text
        return {A, QPalette::WindowText};
    case 9:  // caption text
    case 14: // highlighted text
        return {A, QPalette::HighlightedText};
    case 12: // application work space
        return {A, QPalette::Mid};
    case 15: // button face
        return {A, QPalette::Button};
    case 16: // button shadow
        return {A, QPalette::Dark};
    case 17: // grey (disabled) text
        return {D, QPalette::Text};
    case 18: // button text
        return {A, QPalette::ButtonText};
    case 19: // inactive caption text
        return {I, QPalette::HighlightedText};
    case 20: // button highlight
        return {A, QPalette::Light};
    case 22: // 3D light
        return {A, QPalette::Midlight};
    case 23: // tool tip text
        return {A, QPalette::ToolTipText};
    case 24: // tool tip background
        return {A, QPalette::ToolTipBase};
    case 26: // hot-tracked item
        return {A, QPalette::Link};
    default:
        return {A, QPalette::NoRole};
    }
}

} // namespace

namespace storedcolor {

bool isSystemColor(qint32 value) {
    return (quint32(value) & 0xFF000000u) == 0xFF000000u;
}

QColor colorFromStored(qint32 value, const QPalette& palette) {
    if (storedcolor::isSystemColor(value)) {
        const PaletteEntry entry = paletteEntryFor(value & 0xFF);
        // An index no desktop defines paints black, as an unknown system colour does.
        if (entry.role == QPalette::NoRole)
            return QColor(Qt::black);
        return palette.color(entry.group, entry.role);
    }
    const quint32 bgr = quint32(value);
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

qint32 storedFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return qint32(quint32(rgb.red()) | quint32(rgb.green()) << 8 | quint32(rgb.blue()) << 16);
}

} // namespace storedcolor
