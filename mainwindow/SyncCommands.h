#pragma once

#include <QObject>

class CardConflictDialog;
class QLabel;
class QTimer;
class TForm1;
struct CardFolderChange;

// The main window among other programs: the open card follows what they do
// in the card folder (CardFolderModel::cardsChanged, OpenCard::followCardFile),
// a quiet line at the bottom of the window says what happened (no box to
// click), and "Úpravy → Vyřešit konflikt…" (Vyresitkonflikt1) joins the sync
// tools' conflict copies into the open card. The conflict dialog is the open
// card's chooser between two versions. Lives as a child of the main window.
class SyncCommands : public QObject {
    Q_OBJECT
public:
    SyncCommands(TForm1& form1, CardConflictDialog& conflictForm);

    void resolveConflict();
    // The quiet line; hidden while it has nothing to say.
    QLabel& noticeLine() const { return *noticeLine_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void followCards(const CardFolderChange& change);
    void showNotice(const QString& text);
    void placeNoticeLine();

    TForm1& form1_;
    QLabel* noticeLine_;
    QTimer* noticeTimer_;
};
