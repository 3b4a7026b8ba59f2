#pragma once

#include <QObject>

class THistoryForm;
class TForm1;

// The main window's "Historie karty…" command (Historiekarty1): the dialog of
// the open card's earlier versions, shown modally. Lives as a child of the
// main window.
class HistoryCommands : public QObject {
    Q_OBJECT
public:
    HistoryCommands(TForm1& form1, THistoryForm& historyForm);

    void Historiekarty1Click();

private:
    TForm1& form1_;
    THistoryForm& historyForm_;
};
