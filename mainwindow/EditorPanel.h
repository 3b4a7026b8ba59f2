#pragma once

#include "core/CardEditor.h"

#include <QImage>
#include <QWidget>

class KeyValueGrid;
class NotesEdit;
class PictureBox;
class QFrame;
class QSplitter;

// The card editor (Panel7): the key/value table ListB above, the notes Memo1
// and the picture Image1 (kept at 4:3) below. The open card fills and reads it
// through CardEditor; the caption and the window state, which belong to the
// window, it passes on as signals.
class EditorPanel : public QWidget, public CardEditor {
    Q_OBJECT
public:
    // area: the editor's designed size, from which the splitters take their sizes.
    explicit EditorPanel(QSize area, QWidget* parent = nullptr);

    // CardEditor
    QStringList tableLines() const override;
    void setTableLines(const QStringList& lines) override;
    void clearTable() override;
    void showTable() override;
    QString notesText() const override;
    void setNotesText(const QString& text) override;
    void clearNotes() override;
    void showPicture(const QString& path) override;
    void showCardTitle(const QString& cardPath, const QString& cardName) override;
    void updateWindowState() override;

    // Adds the row "=" below the cursor row and moves the cursor onto its key.
    void addLine();
    // Deletes the cursor row, never the first line nor the only one.
    void deleteLine();
    QStringList titleCaptions() const;
    void setTitleCaptions(const QStringList& titles);
    // Whether TAB moves between the table's cells.
    void setTabKeyOption(bool on);
    QList<int> columnWidths() const;
    void setColumnWidth(int column, int width);
    QFont notesFont() const;
    QImage picture() const;
    void showNoPicture();
    // The editor controls show only while a card is open.
    void setCardOpen(bool open);
    void applyFont(const QFont& font, const QColor& textColor);
    // The picture keeps 4:3 inside its area, centred along the longer side.
    void fitPicture();

signals:
    // The user changed the table or the notes.
    void edited();
    // A key typed into the table, reported before the table handles it.
    void keyTyped(QChar key);
    void errorRaised(const QString& text);
    void pictureClicked();
    void tableMenuRequested(const QPoint& globalPos);
    void pictureMenuRequested(const QPoint& globalPos);
    // One of the splitters was moved.
    void splitterMoved();
    void cardTitleDue(const QString& cardName);
    void windowStateDue();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTable();
    void createPictureArea();
    void connectChanges();

    KeyValueGrid* ListB_ = nullptr;
    NotesEdit* Memo1_ = nullptr;
    QWidget* Panel10_ = nullptr; // the picture's area
    QFrame* Shape1_ = nullptr;   // white behind the picture
    PictureBox* Image1_ = nullptr;
    QSplitter* Splitter1_ = nullptr; // table / bottom panel
    QSplitter* Splitter2_ = nullptr; // notes | picture
};

namespace editorlayout {

// A two-pane splitter with a thin handle; only the stretching pane takes up a
// change of the window's size, and only the second pane may be collapsible.
QSplitter* createSplitter(const char* name, Qt::Orientation orientation, QWidget* first,
                          QWidget* second, int stretchingPane, bool secondCollapsible);
// Makes content fill container wholly.
void fillWith(QWidget* container, QWidget* content);

} // namespace editorlayout
