#pragma once

// Folder rule: search/ may include storage/, core/, widgets/ and search/ only;
// it reaches the main window through SearchHost.

#include "core/CardSearch.h"
#include "core/SearchSession.h"
#include "widgets/LinkLabel.h"

#include <QDialog>
#include <QElapsedTimer>

class Prompts;
class QCheckBox;
class QColor;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class SearchHost;

// The advanced-search dialog "Najít soubor": searches the card names or the
// contents of every card file and lists the matching card list entries in
// `lBox`, where opening one opens the card through the card list. Created once
// and reused; its search session keeps the results and the position of "find
// next" between shows, and `lBox` shows them.
class TFindForm : public QDialog, private SearchListener {
    Q_OBJECT
public:
    TFindForm(SearchHost& host, Prompts& prompts, QWidget* parent = nullptr);

    // Input page.
    QLabel* Label7;
    QLineEdit* Edit1;
    QFrame* Panel1;
    QRadioButton* InNam;
    QRadioButton* InFil;
    QCheckBox* CaSen;
    QCheckBox* FullNam;
    QCheckBox* WholWorld;
    // "Bez ohledu na diakritiku": letters match without accents and case, for
    // the quick search too; remembered in search.ini.
    QCheckBox* WithoutAccents;
    // Results page, lying over the input page.
    QFrame* Panel2;
    QListWidget* lBox;
    QProgressBar* Progress;
    // Foot.
    QFrame* Bevel2;
    LinkLabel* Label4;
    QPushButton* SpeedButton3;
    QPushButton* SpeedButton2;

    // Runs one search with the options set in the dialog and puts the dialog on
    // its results page, without showing it. Ignored while a search runs. Card
    // files that cannot be read are passed over and named in one message after
    // the search. While the dialog is hidden only Esc acts, and it closes the
    // dialog, which stops the search. True when the search ran to its end.
    // Throws AppError when the archive library cannot be loaded.
    bool SearchCardFiles(const QString& text);
    // Selects the result's entry in the card list (none when it is no longer
    // there), runs the card list's open action and closes the dialog. Nothing
    // happens without a selected result.
    void openSelectedResult();
    // The selected row of `lBox`, -1 for none: the session's position.
    int selectedResult() const;
    void selectResult(int row);
    // After the dialog was shown for the quick search: `Edit1` takes the box's
    // text back, and the held results keep their text only if it is the box's.
    void takeQuickSearchText();
    SearchSession& session() { return session_; }
    // Closes the dialog, shown or hidden, through its close handler.
    void closeDialog();

    // The colour setting `BackColor`, applied at creation and whenever the
    // settings change.
    void setBackColor(const QColor& color);
    // How often a running search moves the progress bar and lets the windows
    // repaint and the dialog react (closing it); 0 means after every card.
    void setEventInterval(int milliseconds) { eventIntervalMs_ = milliseconds; }

    // Handlers.
    void FormShow();
    void FormClose();
    void SpeedButton2Click();
    void InNamClick();
    void InFilClick();
    void Label4Click();
    void lBoxDblClick();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildInputPage();
    void buildResultsPage();
    void buildFoot();
    void setHeading(const QString& text);
    void watchSession();
    void showPosition(int row);
    SearchOptions currentOptions() const;

    void resultFound(const QString& entry) override;
    void progressed(int cardsDone) override;
    void waiting() override;
    void letEventsIn();
    void showFoundResults();
    void withoutAccentsClick(bool on);

    SearchHost& host_;
    Prompts& prompts_;
    SearchSession session_;
    QElapsedTimer sinceEvents_;
    int eventIntervalMs_ = 40;
    // The progress position, shown on the bar when events are let in: a
    // repaint for every card would cost more than reading it.
    int cardsDone_ = 0;
    // Results found since the list was last filled: appending them one by one
    // would lay out and repaint the list for each.
    QStringList foundResults_;
};
