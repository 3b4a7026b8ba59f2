#pragma once

#include <QFont>
#include <QString>
#include <QtGlobal>

// config.ini and font.ini, each written whole in code page 1250 with CR LF line
// ends. Both throw AppError when the file cannot be written or a text does not
// fit code page 1250.

// Six lines: the titles line, the background colour in signed decimal, then
// "1"/"0" for auto-save, the TAB key in the table, the navigation keys and the
// toolbar captions.
void WriteConfigFile(const QString& path, const QString& titlesLine, qint32 backColor,
                     bool autoSave, bool tableTabKey, bool navigationKeys, bool toolbarCaptions);

// Four lines: the size in points, the face name, the colour (stored form) and
// the font style code.
void WriteFontFile(const QString& path, const QFont& font, qint32 color);

// The size font.ini keeps: points, rounded; a font sized in pixels counts 96
// dots per inch.
int FontFileSize(const QFont& font);
