#include "core/ConfigFiles.h"

#include "core/FontStyleCode.h"
#include "core/TextLineReader.h"
#include "core/TitleSplit.h"
#include "storage/TextFile.h"

#include <QStringList>

namespace {

QString flagLine(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

namespace configfiles {

void writeConfigFile(const QString& path, const QString& titlesLine, qint32 backColor,
                     bool autoSave, bool tableTabKey, bool navigationKeys, bool toolbarCaptions) {
    textfile::writeTextLines(path, {titlesLine, QString::number(backColor), flagLine(autoSave),
                                    flagLine(tableTabKey), flagLine(navigationKeys),
                                    flagLine(toolbarCaptions)});
}

int fontFileSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF());
    return qRound(font.pixelSize() * 72.0 / 96.0);
}

void writeFontFile(const QString& path, const QFont& font, qint32 color) {
    textfile::writeTextLines(path, {QString::number(configfiles::fontFileSize(font)), font.family(),
                                    QString::number(color), fontstyle::EncodeFontStyle(font)});
}

void readConfigFile(const QString& path, const ConfigFileSettings& settings) {
    TextLineReader config(textfile::readTextLines(path));
    settings.titles(titlesplit::splitTitles(config.readLine()));
    settings.backColor(config.readNumberToken());
    settings.autoSave(config.readLine() == QStringLiteral("1"));
    settings.tableTabKey(config.readLine() == QStringLiteral("1"));
    if (config.readLine() == QStringLiteral("0"))
        settings.navigationKeysOff();
    if (config.readLine() == QStringLiteral("0"))
        settings.toolbarCaptionsOff();
}

void readFontFile(const QString& path, QFont font, qint32 color,
                  const std::function<void(const QFont& font, qint32 color)>& apply) {
    TextLineReader file(textfile::readTextLines(path));
    const int size = file.readInteger();
    if (size > 0)
        font.setPointSize(size);
    apply(font, color);
    font.setFamily(file.readLine());
    apply(font, color);
    color = file.readInteger();
    apply(font, color);
    fontstyle::DecodeFontStyle(file.readLine(), font);
    apply(font, color);
}

} // namespace configfiles
