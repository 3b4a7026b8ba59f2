#pragma once

#include <QString>
#include <QStringList>

struct CardPage;

// PDF files of what the print dialog prints, written without any printer, on
// A4 sheets. Both throw AppError naming the file when it cannot be written.

namespace cardpdf {

// The card page as one A4 page filling the sheet (the page has the sheet's
// proportions), with its text as real, searchable PDF text; title is the
// document title.
void writeCardPagePdf(const QString& path, const CardPage& page, const QString& title);

// The card list as the printer prints it: the header, an empty line and one
// line per card file, on as many pages as it needs.
void writeCardListPdf(const QString& path, const QStringList& cardFiles, const QString& title);

} // namespace cardpdf
