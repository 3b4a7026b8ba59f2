#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QPrinter;

// The message shown when the card list could not be printed.
QString CardListPrintErrorText();

// Prints the list of card files as plain text lines on printer, whose printer
// name and job title the caller has set: a header with the program's name and
// the web address, an empty line, then one line per card file in list order,
// in an 11-point font, continuing on further pages as needed. abortRequested is
// asked between pages; an aborted list is not printed at all. Any failure is
// shown as a message through prompts; the function then returns normally.
void PrintCardList(QPrinter& printer, const QStringList& cardFiles, Prompts& prompts,
                   const std::function<bool()>& abortRequested = {});
