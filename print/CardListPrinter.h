#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QPrinter;

// The message shown when the card list could not be printed.
QString CardListPrintErrorText();

// The text of the printed card list: a header with the program's name and the
// web address, an empty line, then one line per card file in list order.
QString CardListText(const QStringList& cardFiles);

// The font of the printed card list.
QFont CardListFont();

// Prints the list of card files (CardListText) as plain text lines on printer,
// whose printer name and job title the caller has set, in an 11-point font,
// continuing on further pages as needed. abortRequested is
// asked between pages; an aborted list is not printed at all. Any failure is
// shown as a message through prompts; the function then returns normally.
void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested = {});
