#pragma once

#include <QTableView>

class KeyValueModel;

// The card table: a two-column key/value grid whose content is its list of
// "key=value" lines. Row numbers follow the grid convention of the card
// commands: row 0 is the title row, row r (r >= 1) shows line r - 1.
class KeyValueGrid : public QTableView {
    Q_OBJECT
public:
    explicit KeyValueGrid(QWidget* parent = nullptr);

    // The table's lines, the cell being edited included.
    QStringList strings() const;
    // Replaces every line and scrolls back to the top-left cell.
    void setStrings(const QStringList& lines);
    void clear() { setStrings({}); }
    int lineCount() const;
    void insertLine(int index, const QString& line);
    void deleteLine(int index);

    // The cursor row (grid rows, see above); 1 while the table has no line.
    int row() const;
    void setRow(int row);
    // Moves the cursor to a grid row and a column (0 the key, 1 the value).
    void setCell(int row, int column);

    QStringList TitleCaptions() const;
    void setTitleCaptions(const QStringList& titles);

    // Whether TAB moves between the cells (on) or on to the next control (off).
    bool tabKeyOption() const { return tabKeyNavigation(); }
    void setTabKeyOption(bool on) { setTabKeyNavigation(on); }

    int colCount() const { return 2; }
    int colWidth(int column) const;
    // Throws AppError "Grid index out of range" for a column the grid does not have.
    void setColWidth(int column, int width);

    // Moves the keyboard focus to the control after (or before) the grid.
    void focusNeighbour(bool forward);
    // Reports a key typed in the grid or in its cell editor (see keyTyped).
    void reportTypedKey(const QString& text);

signals:
    void stringsChanging();
    void stringsChanged();
    // The top visible row or the left visible column changed (scrolling).
    void topLeftChanged();
    // A character key was typed (Enter gives '\r', Backspace '\b', Esc '\x1b'),
    // before the grid handles it.
    void keyTyped(QChar key);
    // The grid refused an input; text is its error message.
    void errorRaised(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    KeyValueModel* model_;
};
