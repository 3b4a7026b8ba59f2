#pragma once

#include "core/OverviewLayout.h"
#include "core/OverviewModel.h"
#include "core/OverviewReader.h"
#include "core/OverviewSortFilter.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

class OverviewHost;
class Prompts;
class QLabel;
class QMenu;
class QLineEdit;
class QProgressBar;
class QTableView;

// The window "Přehled karet": every card of the card list as one row of a
// table, its keys as columns, sorted by a click on a column header and
// narrowed by the filter as the user types. Enter or a double-click opens the
// row's card in the main window; Ctrl+S saves the rows as shown to CSV. The
// columns shown, their order, widths and the sort are kept in prehled.ini.
// Non-modal; it follows the card list while it is shown.
class OverviewWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int SortShortcutCount = 9;

    OverviewWindow(OverviewHost& host, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the window and reads the cards afresh (the cache keeps that short);
    // an open window only comes to the front.
    void showOverview();
    // Saves the rows and columns as shown to the CSV file at path.
    void saveCsv(const QString& path) const;
    // Asks for a file and saves the CSV there (Ctrl+S).
    void saveCsvAs();
    // Opens the card of the current row in the main window.
    void openCurrentCard();

    QLineEdit* filterBox() const { return filter_; }
    QTableView* table() const { return table_; }
    OverviewModel& model() { return model_; }
    OverviewSortFilter& rows() { return rows_; }
    bool loading() const { return reader_.running(); }
    // The columns, their order and widths and the sort as they are now.
    OverviewLayout currentLayout() const;

signals:
    // A full reading of the cards is shown.
    void loaded();
    // The rows of changed card files are up to date.
    void updated();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void startLoading();
    void showLoadingProgress(int done, int total);
    void showReading(const OverviewReading& reading);
    void followCardList(const QStringList& changedFileNames);
    void followCardFile(const QString& fileName);
    void readChangedCards();
    void showChangedCards(const OverviewReading& reading);
    // The menu of sorting and of the columns shown, at position of the header.
    void showColumnMenu(const QPoint& position);
    void addSortEntries(QMenu& menu);
    // Ctrl+1 to Ctrl+9 sort by the first to ninth column shown, Ctrl+0 shows
    // the card list's order.
    void addSortShortcuts();
    // Sorts by the place-th column shown, ascending, or the other way round
    // when it is sorted by already.
    void sortByShownColumn(int place);
    void sortByColumn(int column, bool reverse);
    void showCardListOrder();
    QPoint columnMenuPlace() const;
    void setColumnShown(int column, bool shown);
    void updateHiddenColumns();
    void updateCount();
    void applyLayout(const OverviewLayout& layout);
    // The reader works out beforehand what the window needs for layout.
    void prepareRowsFor(const OverviewLayout& layout);
    void scheduleLayoutSave();
    void saveLayout();
    QString layoutPath() const;
    QList<int> shownColumns() const;

    OverviewHost& host_;
    Prompts& prompts_;
    OverviewModel model_;
    OverviewSortFilter rows_;
    OverviewReader reader_;
    OverviewReader updater_;
    QStringList waitingUpdates_;
    bool reloadAfterLoading_ = false;
    bool applyingLayout_ = false;
    // The layout read when the loading started, applied when it ends.
    OverviewLayout loadingLayout_;
    QTimer layoutSave_;

    QLineEdit* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* progressText_ = nullptr;
    QProgressBar* progress_ = nullptr;
};
