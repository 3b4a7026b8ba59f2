#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QPrinter;

namespace cardlistprinter {

// The message shown when the card list could not be printed.
QString cardListPrintErrorText();

// The text of the printed card list: a header with the program's name and the
// web address, an empty line, then one line per card file in list order.
QString cardListText(const QStringList& cardFiles);

// The font of the printed card list.
QFont cardListFont();

// Prints the list of card files (cardlistprinter::cardListText) as plain text lines on printer,
// whose printer name and job title the caller has set, in an 11-point font,
// continuing on further pages as needed. abortRequested is
// asked between pages; an aborted list is not printed at all. Any failure is
// shown as a message through prompts; the function then returns normally.
void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested = {});

} // namespace cardlistprinter
