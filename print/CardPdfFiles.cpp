#include "print/CardPdfFiles.h"

#include "print/CardListPrinter.h"
#include "print/PrinterTextChannel.h"
#include "print/ScaledCardPage.h"
#include "storage/AppError.h"

#include <QApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

AppError cannotWrite(const QString& path) {
    return AppError(QStringLiteral("Soubor \"%1\" nelze uložit.").arg(path));
}

} // namespace

namespace cardpdf {

void writeCardPagePdf(const QString& path, const CardPage& page, const QString& title) {
    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QApplication::applicationDisplayName());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        throw cannotWrite(path);
    cardpage::paintScaledCardPage(painter, QRectF(0, 0, writer.width(), writer.height()), page);
    if (!painter.end())
        throw cannotWrite(path);
}

// Margins as a printer leaves them, so that the file prints alike later.
void writeCardListPdf(const QString& path, const QStringList& cardFiles, const QString& title) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setDocName(title);
    pdf.setCreator(QApplication::applicationDisplayName());
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter));
    try {
        PrinterTextChannel channel(pdf, cardlistprinter::cardListFont());
        channel.write(cardlistprinter::cardListText(cardFiles));
        channel.close();
    } catch (const AppError&) {
        throw cannotWrite(path);
    }
}

} // namespace cardpdf
