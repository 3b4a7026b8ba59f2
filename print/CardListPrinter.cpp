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

void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested) {
    QFont font = QGuiApplication::font();
    font.setPointSize(11);
    try {
        PrinterTextChannel channel(printer, font, abortRequested);
        channel.write(header());
        for (const QString& cardFile : cardFiles)
            channel.write(cardFile + QStringLiteral("\r\n"));
        channel.close();
    } catch (const std::exception&) {
        prompts.message(CardListPrintErrorText());
    }
}
