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
    QStringList Strings() const;
    // Replaces every line and scrolls back to the top-left cell.
    void SetStrings(const QStringList& lines);
    void Clear() { SetStrings({}); }
    int LineCount() const;
    void InsertLine(int index, const QString& line);
    void DeleteLine(int index);

    // The cursor row (grid rows, see above); 1 while the table has no line.
    int Row() const;
    void SetRow(int row);
    // Moves the cursor to a grid row and a column (0 the key, 1 the value).
    void SetCell(int row, int column);

    QStringList TitleCaptions() const;
    void SetTitleCaptions(const QStringList& titles);

    // Whether TAB moves between the cells (on) or on to the next control (off).
    bool TabKeyOption() const { return tabKeyNavigation(); }
    void SetTabKeyOption(bool on) { setTabKeyNavigation(on); }

    int ColCount() const { return 2; }
    int ColWidth(int column) const;
    // Throws AppError "Grid index out of range" for a column the grid does not have.
    void SetColWidth(int column, int width);

    // Moves the keyboard focus to the control after (or before) the grid.
    void FocusNeighbour(bool forward);
    // Reports a key typed in the grid or in its cell editor (see keyTyped).
    void ReportTypedKey(const QString& text);

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
