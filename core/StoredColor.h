#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QtGlobal>

// A colour as config.ini and font.ini store it: a signed 32-bit value, low byte
// red, then green, then blue (0x00BBGGRR). A system colour is 0xFF0000nn, nn
// being its index (8 window text, 5 window, 15 button face, ...), so it reads as
// a negative number and follows the desktop's palette.

namespace storedcolor {

constexpr qint32 systemColor(int index) {
    return qint32(0xFF000000u | quint32(index & 0xFF));
}

} // namespace storedcolor

constexpr qint32 kWindowTextColor = storedcolor::systemColor(8); // -16777208
constexpr qint32 kWindowColor = storedcolor::systemColor(5);
constexpr qint32 kButtonFaceColor = storedcolor::systemColor(15);

namespace storedcolor {

bool isSystemColor(qint32 value);

// The colour to paint with; a system colour is taken from palette.
QColor colorFromStored(qint32 value, const QPalette& palette = QGuiApplication::palette());

// The stored form of a plain colour. A QColor does not know whether it came
// from a system colour, so the result is always a plain 0x00BBGGRR value; code
// that must keep a system colour holds the stored value itself.
qint32 storedFromColor(const QColor& color);

} // namespace storedcolor
