#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPoint>
#include <QString>

#include <functional>

class QPrinter;

// Prints plain text on a printer line by line, as a line printer would: text
// starts at the left margin of the printable area, LF moves to the start of the
// next line, CR back to the left margin of the current one, and text that no
// longer fits on the page goes on a new page.
//
// The text is laid out page by page first and handed to the printer as one job
// (under the printer's document name) by close(). With an abort request to
// ask, the event loop runs between pages so that the user can abort; an
// aborted job is never handed to the printer, because Qt's CUPS printing
// cannot withdraw a job once it has begun.
class PrinterTextChannel {
public:
    // abortRequested is asked between pages; with an empty function the job
    // cannot be aborted and the event loop never runs.
    PrinterTextChannel(QPrinter& printer, const QFont& font,
                       std::function<bool()> abortRequested = {});

    void write(const QString& text);
    // Prints what was written as one job, unless the job was aborted. AppError
    // when the job cannot begin or the printer reports a failure.
    void close();
    bool aborted() const { return aborted_; }

private:
    struct Run {
        QPoint position;
        QString text;
    };

    void addRun(const QString& text);
    void beginNewPage();
    void printPages();

    QPrinter& printer_;
    QFont font_;
    QFontMetrics metrics_;
    std::function<bool()> abortRequested_;
    int pageHeight_ = 0;
    int x_ = 0;
    int y_ = 0;
    bool aborted_ = false;
    QList<QList<Run>> pages_;
};
