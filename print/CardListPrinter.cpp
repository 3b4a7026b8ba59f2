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

namespace cardlistprinter {

QString cardListPrintErrorText() {
    return QStringLiteral("Nastala chyba. Zkontrolujte prosím, jestli je vaše tiskárna připojena.");
}

QString cardListText(const QStringList& cardFiles) {
    QString text = header();
    for (const QString& cardFile : cardFiles)
        text += cardFile + QStringLiteral("\r\n");
    return text;
}

QFont cardListFont() {
    QFont font = QGuiApplication::font();
    font.setPointSize(11);
    return font;
}

void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested) {
    try {
        PrinterTextChannel channel(printer, cardlistprinter::cardListFont(), abortRequested);
        channel.write(cardlistprinter::cardListText(cardFiles));
        channel.close();
    } catch (const std::exception&) {
        prompts.message(cardlistprinter::cardListPrintErrorText());
    }
}

} // namespace cardlistprinter
