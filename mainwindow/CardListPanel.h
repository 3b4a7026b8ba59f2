#pragma once

#include "core/CardListView.h"

#include <QWidget>

class CardFolderModel;
class CardList;
class CommandRegistry;
class QToolButton;

// The left panel (Panel9): the card list List and the buttons "<<" and ">>"
// beneath it, which run the commands Previous and Next. The open card and the
// other windows reach the list through CardListView and the few calls below.
class CardListPanel : public QWidget, public CardListView {
    Q_OBJECT
public:
    static constexpr int kDesignedWidth = 204;

    explicit CardListPanel(QWidget* parent = nullptr);

    // Lays out the list and the two buttons for the panel size newWidth x newHeight.
    void Panel9CanResize(int newWidth, int newHeight);
    void forwardTo(CommandRegistry& commands);

    // Points the list at the card directory (with a trailing "/") and reads it.
    void setDirectory(const QString& directory);
    // The entries, which other parts of the program follow (cardsChanged).
    CardFolderModel& cards() const;
    int count() const;
    // The selected entry's index, -1 when nothing is selected.
    int row() const;
    // Selects entry row; a row outside the list leaves nothing selected.
    void selectRow(int row);
    // Index of the entry named fileName, letter case ignored; -1 when absent.
    int indexOf(const QString& fileName) const;
    // The right edge of the list, where the welcome text starts.
    int listRight() const;
    // "Celkem N záznamů." as the list's tool tip.
    void showCardCount();
    void applyFont(const QFont& font, const QColor& textColor);

    // CardListView
    QStringList entries() const override;
    void selectEntry(const QString& fileName) override;
    QString selectedPath() const override;
    void reread() override;
    QStringList conflictCopiesOf(const QString& fileName) const override;
    void watchCardFile(const QString& path) override;

signals:
    // A double-click on an entry.
    void openRequested();
    // A key released in the list after it was pressed there.
    void keyReleased(int key);
    // After every re-read and outside change, and when the user moves the selection.
    void listChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CardList* List_;
    QToolButton* SpeedButton8_; // "<<"
    QToolButton* SpeedButton9_; // ">>"
};
