#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

// config.ini and font.ini, each written whole in code page 1250 with CR LF line
// ends. Both throw AppError when the file cannot be written or a text does not
// fit code page 1250.
//
// Both are read line by line, and each value takes effect as soon as its line
// is read: a damaged line (AppError) leaves the values before it applied.

// What each line of config.ini sets.
struct ConfigFileSettings {
    std::function<void(const QStringList& titles)> titles; // split by titlesplit::splitTitles
    std::function<void(qint32 storedColor)> backColor;
    std::function<void(bool on)> autoSave;    // on only for "1"
    std::function<void(bool on)> tableTabKey; // on only for "1"
    std::function<void()> navigationKeysOff;  // for "0" only
    std::function<void()> toolbarCaptionsOff; // for "0" only
};
namespace configfiles {

void readConfigFile(const QString& path, const ConfigFileSettings& settings);

// Reads font.ini over font and color: after each line, apply gets the font and
// colour as read so far.
void readFontFile(const QString& path, QFont font, qint32 color,
                  const std::function<void(const QFont& font, qint32 color)>& apply);

// Six lines: the titles line, the background colour in signed decimal, then
// "1"/"0" for auto-save, the TAB key in the table, the navigation keys and the
// toolbar captions.
void writeConfigFile(const QString& path, const QString& titlesLine, qint32 backColor,
                     bool autoSave, bool tableTabKey, bool navigationKeys, bool toolbarCaptions);

// Four lines: the size in points, the face name, the colour (stored form) and
// the font style code.
void writeFontFile(const QString& path, const QFont& font, qint32 color);

// The size font.ini keeps: points, rounded; a font sized in pixels counts 96
// dots per inch.
int fontFileSize(const QFont& font);

} // namespace configfiles
