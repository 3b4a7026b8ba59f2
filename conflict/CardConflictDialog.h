#pragma once

// Folder rule: conflict/ may include storage/, core/, widgets/ and conflict/ only.

#include "core/CardConflictChooser.h"

#include <QDialog>

class QLabel;
class QTableWidget;
class QToolButton;

// The dialog that asks between two versions of the open card: the editor's
// and one another program or computer wrote (its card file changed on disk,
// or a sync tool's conflict copy). "Spojit obě" (Enter) joins them: changes
// made on one side only are taken, and each row or notes stretch changed on
// both sides is shown side by side, to be ticked on one side; the button
// waits until each has a side. "Ponechat moji" and "Převzít jejich" keep one
// version whole; "Zrušit" (Esc) writes nothing. A line says which version
// goes to the card's history. Created once and reused.
class CardConflictDialog : public QDialog, public CardConflictChooser {
    Q_OBJECT
public:
    explicit CardConflictDialog(QWidget* parent = nullptr);

    // Shows the question modally and returns the user's answer.
    VersionAnswer choose(const VersionQuestion& question) override;
    // Fills the dialog for question without showing it.
    void prepare(const VersionQuestion& question);
    // The answer given so far (Cancel until a button was used).
    const VersionAnswer& answer() const { return answer_; }

    // The side ticked for each conflict; none where no side is ticked yet.
    QList<std::optional<JoinSide>> picks() const;
    void pick(int conflict, JoinSide side);

    QLabel* Heading;
    QLabel* Explanation;
    QLabel* ConflictsNote;
    QTableWidget* Conflicts;
    QLabel* HistoryNote;
    QToolButton* JoinButton;
    QToolButton* KeepMineButton;
    QToolButton* TakeTheirsButton;
    QToolButton* CancelButton;

    // The background colour setting `BackColor`.
    void setBackColor(const QColor& color);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildButtons();
    void fillConflicts(const CardJoin& join);
    void answerWith(VersionChoice choice);
    void keepOnePickPerRow(int row, int column);
    void updateJoinButton();
    void placeBelowConflicts(int top);

    VersionAnswer answer_;
    bool filling_ = false;
};
