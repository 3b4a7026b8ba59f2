#include "settings/ConfigFiles.h"

#include "settings/FontStyleCode.h"
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
