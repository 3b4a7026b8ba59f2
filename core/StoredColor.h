#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QtGlobal>

// A colour as config.ini and font.ini store it: a signed 32-bit value, low byte
// red, then green, then blue (0x00BBGGRR). A system colour is 0xFF0000nn, nn
// being its index (8 window text, 5 window, 15 button face, ...), so it reads as
// a negative number and follows the desktop's palette.

constexpr qint32 SystemColor(int index) {
    return qint32(0xFF000000u | quint32(index & 0xFF));
}

constexpr qint32 kWindowTextColor = SystemColor(8); // -16777208
constexpr qint32 kWindowColor = SystemColor(5);
constexpr qint32 kButtonFaceColor = SystemColor(15);

bool IsSystemColor(qint32 value);

// The colour to paint with; a system colour is taken from palette.
QColor ColorFromStored(qint32 value, const QPalette& palette = QGuiApplication::palette());

// The stored form of a plain colour. A QColor does not know whether it came
// from a system colour, so the result is always a plain 0x00BBGGRR value; code
// that must keep a system colour holds the stored value itself.
qint32 StoredFromColor(const QColor& color);
