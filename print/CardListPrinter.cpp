#include "print/CardListPrinter.h"

#include "core/Prompts.h"
#include "core/WebSite.h"
#include "print/PrinterTextChannel.h"

#include <QGuiApplication>

#include <exception>

namespace {

// The header's line breaks are LF CR pairs; the channel starts a new line at
// each LF and the CR after it changes nothing.
QString header() {
    const QString lineBreak = QStringLiteral("\n\r");
    return QStringLiteral("Pelvarin Kartotéka - seznam souborů") + lineBreak + kWebHost +
           lineBreak + lineBreak;
}

} // namespace

QString CardListPrintErrorText() {
    return QStringLiteral("Nastala chyba. Zkontrolujte prosím, jestli je vaše tiskárna připojena.");
}

QString CardListText(const QStringList& cardFiles) {
    QString text = header();
    for (const QString& cardFile : cardFiles)
        text += cardFile + QStringLiteral("\r\n");
    return text;
}

QFont CardListFont() {
    QFont font = QGuiApplication::font();
    font.setPointSize(11);
    return font;
}

void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested) {
    try {
        PrinterTextChannel channel(printer, CardListFont(), abortRequested);
        channel.write(CardListText(cardFiles));
        channel.close();
    } catch (const std::exception&) {
        prompts.message(CardListPrintErrorText());
    }
}
