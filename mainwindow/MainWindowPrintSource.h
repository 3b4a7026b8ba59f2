#pragma once

#include "print/PrintSource.h"

class TForm1;

// The print dialog's view of the main window: the open card exactly as the
// editor controls show it now, unsaved edits included, the card list, the
// working directory and the window's printer.
class MainWindowPrintSource : public PrintSource {
public:
    explicit MainWindowPrintSource(TForm1& form1) : form1_(form1) {}

    QString currentCardName() const override;
    QStringList cardList() const override;
    QStringList titleCaptions() const override;
    QStringList tableRows() const override;
    QString notesText() const override;
    QFont notesFont() const override;
    QImage picture() const override;
    QString workDir() const override;
    QPrinter& printer() override;

private:
    TForm1& form1_;
};
