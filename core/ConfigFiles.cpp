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

void WriteConfigFile(const QString& path, const QString& titlesLine, qint32 backColor,
                     bool autoSave, bool tableTabKey, bool navigationKeys, bool toolbarCaptions) {
    WriteTextLines(path,
                   {titlesLine, QString::number(backColor), flagLine(autoSave),
                    flagLine(tableTabKey), flagLine(navigationKeys), flagLine(toolbarCaptions)});
}

int FontFileSize(const QFont& font) {
    if (font.pointSizeF() > 0)
        return qRound(font.pointSizeF());
    return qRound(font.pixelSize() * 72.0 / 96.0);
}

void WriteFontFile(const QString& path, const QFont& font, qint32 color) {
    WriteTextLines(path, {QString::number(FontFileSize(font)), font.family(),
                          QString::number(color), EncodeFontStyle(font)});
}

void ReadConfigFile(const QString& path, const ConfigFileSettings& settings) {
    TextLineReader config(ReadTextLines(path));
    settings.titles(SplitTitles(config.ReadLine()));
    settings.backColor(config.ReadNumberToken());
    settings.autoSave(config.ReadLine() == QStringLiteral("1"));
    settings.tableTabKey(config.ReadLine() == QStringLiteral("1"));
    if (config.ReadLine() == QStringLiteral("0"))
        settings.navigationKeysOff();
    if (config.ReadLine() == QStringLiteral("0"))
        settings.toolbarCaptionsOff();
}

void ReadFontFile(const QString& path, QFont font, qint32 color,
                  const std::function<void(const QFont& font, qint32 color)>& apply) {
    TextLineReader file(ReadTextLines(path));
    const int size = file.ReadInteger();
    if (size > 0)
        font.setPointSize(size);
    apply(font, color);
    font.setFamily(file.ReadLine());
    apply(font, color);
    color = file.ReadInteger();
    apply(font, color);
    DecodeFontStyle(file.ReadLine(), font);
    apply(font, color);
}
