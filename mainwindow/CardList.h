#pragma once

#include <QListView>

class CardFolderModel;

// The card list: the card files of a directory whose names match a mask such as
// "*.krt" (letter case ignored), one plain file name per line, in a
// case-insensitive name order. A card's number is its 1-based position. The
// entries are a CardFolderModel, which follows what other programs do in the
// folder; the selection stays on its card through their changes.
class CardList : public QListView {
    Q_OBJECT
public:
    explicit CardList(QWidget* parent = nullptr);

    // Points the list at directory (with a trailing "/") and mask, and reads it.
    void setDirectory(const QString& directory, const QString& mask = QStringLiteral("*.krt"));
    QString directory() const;
    // Reads the directory again; the selection is cleared.
    void reread();
    // The entries, which other parts of the program follow (cardsChanged).
    CardFolderModel& cards() const { return *model_; }

    QStringList items() const;
    int count() const;
    // The selected entry's index, -1 when nothing is selected.
    int itemIndex() const;
    // Selects entry index; an index outside the list leaves nothing selected.
    // This does not count as the user's change (no userChanged signal).
    void setItemIndex(int index);
    // Full path of the selected card file; empty when nothing is selected.
    QString fileName() const;
    // Index of the entry named name, letter case ignored; -1 when absent.
    int indexOf(const QString& name) const;

signals:
    // After every re-read and outside change, and when the user moves the selection.
    void listChanged();
    void doubleClicked();
    // A key released in the list after it was pressed there.
    void keyReleased(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void keepSelectionThroughReset();

    CardFolderModel* model_;
    QString selectedBeforeReset_;
    bool settingSelection_ = false;
    int pressedKey_ = 0;
};
