#include "overview/OverviewWindow.h"

#include "core/CardTextCache.h"
#include "core/OverviewCsv.h"
#include "core/OverviewMessages.h"
#include "core/Prompts.h"
#include "overview/OverviewHost.h"
#include "storage/AppState.h"
#include "storage/FileBytes.h"
#include "widgets/CommandGuard.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QStringList CsvFilters{QStringLiteral("Hodnoty oddělené čárkami (*.csv)")};
// Saves of the layout wait for the user to finish dragging a column.
constexpr int LayoutSaveDelayMs = 500;
constexpr int DefaultWidth = 900;
constexpr int DefaultHeight = 560;

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool isMenuKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Menu ||
           (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
}

} // namespace

OverviewWindow::OverviewWindow(OverviewHost& host, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), host_(host), prompts_(prompts), rows_(model_),
      reader_(CardTextCache::shared()), updater_(CardTextCache::shared()) {
    setWindowTitle(QStringLiteral("Přehled karet"));
    resize(DefaultWidth, DefaultHeight);
    createControls();

    connect(&reader_, &OverviewReader::progressed, this, &OverviewWindow::showLoadingProgress);
    connect(&reader_, &OverviewReader::finished, this, &OverviewWindow::showReading);
    connect(&updater_, &OverviewReader::finished, this, &OverviewWindow::showChangedCards);
    connect(&host_, &OverviewHost::cardListChanged, this, &OverviewWindow::followCardList);
    connect(&host_, &OverviewHost::cardFileChanged, this, &OverviewWindow::followCardFile);
    connect(&rows_, &QAbstractItemModel::rowsInserted, this, &OverviewWindow::updateCount);
    connect(&rows_, &QAbstractItemModel::rowsRemoved, this, &OverviewWindow::updateCount);
    connect(&rows_, &QAbstractItemModel::modelReset, this, &OverviewWindow::updateCount);
    connect(&rows_, &QAbstractItemModel::layoutChanged, this, &OverviewWindow::updateCount);

    layoutSave_.setSingleShot(true);
    layoutSave_.setInterval(LayoutSaveDelayMs);
    connect(&layoutSave_, &QTimer::timeout, this, &OverviewWindow::saveLayout);
}

void OverviewWindow::createControls() {
    auto* filterLabel = new QLabel(QStringLiteral("&Filtr:"), this);
    filter_ = new QLineEdit(this);
    filter_->setClearButtonEnabled(true);
    filter_->setPlaceholderText(QStringLiteral("Zobrazit jen karty, které obsahují text"));
    filterLabel->setBuddy(filter_);
    connect(filter_, &QLineEdit::textChanged, &rows_, &OverviewSortFilter::setFilterText);
    filter_->installEventFilter(this);

    table_ = new QTableView(this);
    table_->setAccessibleName(QStringLiteral("Karty v přehledu"));
    table_->setModel(&rows_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->installEventFilter(this);
    table_->setAccessibleDescription(
        QStringLiteral("Řazení a sloupce: klávesa Menu nebo Shift+F10; Ctrl+1 až Ctrl+9 řadí "
                       "podle prvního až devátého sloupce, znovu obráceně, Ctrl+0 ruší řazení"));
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsMovable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    // No sort until the user asks for one: the card list's order.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    connect(header, &QWidget::customContextMenuRequested, this, &OverviewWindow::showColumnMenu);
    // From the keyboard: the menu key in the table opens the same menu.
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this, [this, header](QPoint position) {
        showColumnMenu(header->mapFromGlobal(table_->viewport()->mapToGlobal(position)));
    });
    connect(header, &QHeaderView::sectionMoved, this, &OverviewWindow::scheduleLayoutSave);
    connect(header, &QHeaderView::sectionResized, this, &OverviewWindow::scheduleLayoutSave);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &OverviewWindow::scheduleLayoutSave);
    connect(table_, &QAbstractItemView::doubleClicked, this, &OverviewWindow::openCurrentCard);

    count_ = new QLabel(this);
    progressText_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QStringLiteral("Načítání karet"));
    progressText_->hide();
    progress_->hide();

    auto* save = new QAction(QStringLiteral("Uložit do CSV"), this);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    save->setShortcutContext(Qt::WindowShortcut);
    connect(save, &QAction::triggered, this, &OverviewWindow::saveCsvAs);
    addAction(save);
    addSortShortcuts();

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(count_, 1);
    statusRow->addWidget(progressText_);
    statusRow->addWidget(progress_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addLayout(statusRow);
}

void OverviewWindow::showOverview() {
    const bool wasVisible = isVisible();
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    filter_->setFocus();
    if (!wasVisible)
        startLoading();
}

void OverviewWindow::startLoading() {
    AppState& state = host_.appState();
    const QStringList entries = host_.cardEntries();
    waitingUpdates_.clear();
    reloadAfterLoading_ = false;
    progress_->setRange(0, int(entries.size()));
    progress_->setValue(0);
    progressText_->setText(QStringLiteral("Načítám karty… (Esc zastaví)"));
    loadingLayout_ = OverviewLayout();
    commandguard::runGuarded(prompts_,
                             [&] { loadingLayout_ = overviewlayout::read(layoutPath()); });
    prepareRowsFor(loadingLayout_);
    reader_.start(state.libraryPath(), state.CardDir, entries);
    progress_->show();
    progressText_->show();
}

void OverviewWindow::showLoadingProgress(int done, int total) {
    progress_->setMaximum(total);
    progress_->setValue(done);
}

void OverviewWindow::showReading(const OverviewReading& reading) {
    progress_->hide();
    progressText_->hide();
    if (!isVisible())
        return; // closed while reading
    applyingLayout_ = true;
    // The saved sort is applied to the new rows once, after the reset.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    if (reading.prepared.ready)
        rows_.takeFoldedTextsAtReset(reading.prepared.foldedTexts, reading.prepared.foldedWithout);
    model_.setPreparedCards(reading.cards, reading.prepared);
    applyLayout(loadingLayout_);
    applyingLayout_ = false;
    updateCount();
    if (reading.stopped)
        count_->setText(count_->text() +
                        QStringLiteral(" – načítání zastaveno, některé karty jsou bez tabulky"));
    emit loaded();
    if (!reading.unreadable.isEmpty())
        prompts_.message(overviewmessages::overviewUnreadableMessage(reading.unreadable));
    if (reloadAfterLoading_)
        followCardList({});
}

void OverviewWindow::followCardList(const QStringList& changedFileNames) {
    if (!isVisible())
        return;
    if (reader_.running()) {
        reloadAfterLoading_ = true;
        return;
    }
    const QStringList entries = host_.cardEntries();
    waitingUpdates_ += model_.followCardList(entries);
    for (const QString& fileName : changedFileNames) {
        if (entries.contains(fileName))
            waitingUpdates_.append(fileName);
    }
    updateCount();
    readChangedCards();
}

void OverviewWindow::followCardFile(const QString& fileName) {
    if (!isVisible())
        return;
    if (reader_.running()) {
        reloadAfterLoading_ = true;
        return;
    }
    waitingUpdates_.append(fileName);
    readChangedCards();
}

void OverviewWindow::readChangedCards() {
    if (updater_.running())
        return; // the rest when this reading ends
    if (waitingUpdates_.isEmpty()) {
        emit updated();
        return;
    }
    waitingUpdates_.removeDuplicates();
    const QStringList fileNames = std::exchange(waitingUpdates_, {});
    AppState& state = host_.appState();
    commandguard::runGuarded(
        prompts_, [&] { updater_.start(state.libraryPath(), state.CardDir, fileNames); });
}

void OverviewWindow::showChangedCards(const OverviewReading& reading) {
    const QSet<QString> listed = [this] {
        const QStringList entries = host_.cardEntries();
        return QSet<QString>(entries.cbegin(), entries.cend());
    }();
    for (const OverviewCard& card : reading.cards) {
        if (listed.contains(card.fileName))
            model_.updateCard(card);
    }
    readChangedCards();
}

void OverviewWindow::openCurrentCard() {
    QModelIndex current = table_->currentIndex();
    if (!current.isValid() && rows_.rowCount() > 0)
        current = rows_.index(0, 0);
    if (!current.isValid())
        return;
    const QString fileName = model_.card(rows_.mapToSource(current).row()).fileName;
    host_.openCard(fileName);
    host_.bringToFront();
}

void OverviewWindow::saveCsvAs() {
    commandguard::runGuarded(prompts_, [this] {
        const QString path = prompts_.saveFile(QStringLiteral("Uložit přehled do CSV"),
                                               QStringLiteral("Přehled karet.csv"), CsvFilters);
        if (!path.isEmpty())
            saveCsv(path);
    });
}

void OverviewWindow::saveCsv(const QString& path) const {
    const QList<int> columns = shownColumns();
    QStringList titles;
    for (const int column : columns)
        titles.append(model_.headerData(column, Qt::Horizontal).toString());
    QList<QStringList> lines;
    lines.reserve(rows_.rowCount());
    for (int row = 0; row < rows_.rowCount(); ++row) {
        const int sourceRow = rows_.mapToSource(rows_.index(row, 0)).row();
        QStringList cells;
        for (const int column : columns)
            cells.append(model_.cellText(sourceRow, column));
        lines.append(cells);
    }
    filebytes::writeSafely(path, overviewcsv::overviewCsvBytes(titles, lines));
}

QList<int> OverviewWindow::shownColumns() const {
    const QHeaderView* header = table_->horizontalHeader();
    QList<int> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            columns.append(column);
    }
    return columns;
}

void OverviewWindow::showColumnMenu(const QPoint& position) {
    QHeaderView* header = table_->horizontalHeader();
    // Not exec(): the window goes on while the menu is open, and closing the
    // menu deletes it.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    addSortEntries(*menu);
    menu->addSection(QStringLiteral("Zobrazené sloupce"));
    const int shownCount = int(shownColumns().size());
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        QAction* action = menu->addAction(model_.headerData(column, Qt::Horizontal).toString());
        action->setCheckable(true);
        const bool shown = !header->isSectionHidden(column);
        action->setChecked(shown);
        // The last column shown stays.
        action->setEnabled(!shown || shownCount > 1);
        connect(action, &QAction::toggled, this,
                [this, column](bool checked) { setColumnShown(column, checked); });
    }
    menu->popup(header->mapToGlobal(position));
}

void OverviewWindow::addSortEntries(QMenu& menu) {
    const QHeaderView* header = table_->horizontalHeader();
    const int sorted = header->sortIndicatorSection();
    const bool isSorted = sorted >= 0 && sorted < header->count();
    QMenu* sortBy = menu.addMenu(QStringLiteral("&Seřadit podle"));
    const QList<int> columns = shownColumns();
    for (int place = 0; place < columns.size(); ++place) {
        QString text = model_.headerData(columns[place], Qt::Horizontal).toString();
        if (place < SortShortcutCount)
            text += QStringLiteral("\tCtrl+%1").arg(place + 1);
        QAction* action = sortBy->addAction(text);
        action->setCheckable(true);
        action->setChecked(columns[place] == sorted);
        connect(action, &QAction::triggered, this, [this, place] { sortByShownColumn(place); });
    }
    QAction* reverse = menu.addAction(QStringLiteral("&Obrátit pořadí"));
    reverse->setEnabled(isSorted);
    connect(reverse, &QAction::triggered, this, [this, sorted] { sortByColumn(sorted, true); });
    QAction* unsorted = menu.addAction(QStringLiteral("&Pořadí seznamu karet\tCtrl+0"));
    unsorted->setCheckable(true);
    unsorted->setChecked(!isSorted);
    connect(unsorted, &QAction::triggered, this, &OverviewWindow::showCardListOrder);
}

void OverviewWindow::addSortShortcuts() {
    for (int place = 0; place < SortShortcutCount; ++place) {
        auto* sort = new QAction(this);
        sort->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + place)));
        sort->setShortcutContext(Qt::WindowShortcut);
        connect(sort, &QAction::triggered, this, [this, place] { sortByShownColumn(place); });
        addAction(sort);
    }
    auto* unsorted = new QAction(this);
    unsorted->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    unsorted->setShortcutContext(Qt::WindowShortcut);
    connect(unsorted, &QAction::triggered, this, &OverviewWindow::showCardListOrder);
    addAction(unsorted);
}

void OverviewWindow::sortByShownColumn(int place) {
    const QList<int> columns = shownColumns();
    if (place >= 0 && place < columns.size())
        sortByColumn(columns[place], false);
}

void OverviewWindow::sortByColumn(int column, bool reverse) {
    const QHeaderView* header = table_->horizontalHeader();
    // The column sorted by already: the other way round, as a second click.
    const bool again = reverse || header->sortIndicatorSection() == column;
    const Qt::SortOrder order = again && header->sortIndicatorOrder() == Qt::AscendingOrder
                                    ? Qt::DescendingOrder
                                    : Qt::AscendingOrder;
    table_->sortByColumn(column, again ? order : Qt::AscendingOrder);
}

void OverviewWindow::showCardListOrder() {
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

QPoint OverviewWindow::columnMenuPlace() const {
    const QHeaderView* header = table_->horizontalHeader();
    const QModelIndex current = table_->currentIndex();
    const int column = current.isValid() ? current.column() : header->logicalIndex(0);
    return {header->sectionViewportPosition(column), header->height()};
}

void OverviewWindow::setColumnShown(int column, bool shown) {
    table_->horizontalHeader()->setSectionHidden(column, !shown);
    updateHiddenColumns();
    scheduleLayoutSave();
}

void OverviewWindow::updateHiddenColumns() {
    const QHeaderView* header = table_->horizontalHeader();
    QSet<int> hidden;
    for (int column = 0; column < header->count(); ++column) {
        if (header->isSectionHidden(column))
            hidden.insert(column);
    }
    rows_.setHiddenColumns(hidden);
}

void OverviewWindow::updateCount() {
    if (rows_.rowCount() == model_.rowCount())
        count_->setText(QStringLiteral("Karet: %1").arg(model_.rowCount()));
    else
        count_->setText(
            QStringLiteral("Karet: %1 z %2").arg(rows_.rowCount()).arg(model_.rowCount()));
}

OverviewLayout OverviewWindow::currentLayout() const {
    const QHeaderView* header = table_->horizontalHeader();
    OverviewLayout layout;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        const bool shown = !header->isSectionHidden(column);
        // A hidden section has no width of its own: it comes back at the default.
        const int width = shown ? header->sectionSize(column) : header->defaultSectionSize();
        layout.columns.append({model_.headerData(column, Qt::Horizontal).toString(), width, shown});
    }
    const int sorted = header->sortIndicatorSection();
    if (sorted >= 0 && sorted < header->count()) {
        layout.sortTitle = model_.headerData(sorted, Qt::Horizontal).toString();
        layout.descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
    }
    return layout;
}

void OverviewWindow::applyLayout(const OverviewLayout& layout) {
    QHeaderView* header = table_->horizontalHeader();
    int place = 0;
    for (const OverviewColumnLayout& kept : layout.columns) {
        const int column = model_.columnOf(kept.title);
        if (column < 0)
            continue;
        header->moveSection(header->visualIndex(column), place++);
        if (kept.width > 0)
            header->resizeSection(column, kept.width);
        header->setSectionHidden(column, !kept.shown);
    }
    updateHiddenColumns();
    const int sorted = layout.sortTitle.isEmpty() ? -1 : model_.columnOf(layout.sortTitle);
    header->setSortIndicator(sorted, layout.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void OverviewWindow::scheduleLayoutSave() {
    if (!applyingLayout_ && model_.rowCount() > 0)
        layoutSave_.start();
}

void OverviewWindow::saveLayout() {
    layoutSave_.stop();
    const OverviewLayout layout = currentLayout();
    commandguard::runGuarded(prompts_, [&] { overviewlayout::write(layoutPath(), layout); });
}

void OverviewWindow::prepareRowsFor(const OverviewLayout& layout) {
    QSet<QString> hiddenTitles;
    for (const OverviewColumnLayout& column : layout.columns) {
        if (!column.shown)
            hiddenTitles.insert(column.title);
    }
    reader_.prepareRows(hiddenTitles, layout.sortTitle);
}

QString OverviewWindow::layoutPath() const {
    return host_.appState().programDir + overviewlayout::FileName;
}

void OverviewWindow::closeEvent(QCloseEvent* event) {
    reader_.stop();
    if (layoutSave_.isActive())
        saveLayout();
    // Opening reads the cards afresh (from the cache): a closed window holds
    // no rows.
    applyingLayout_ = true;
    model_.setCards({});
    applyingLayout_ = false;
    QWidget::closeEvent(event);
}

void OverviewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (reader_.running())
        reader_.stop();
    else
        close();
}

bool OverviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event)) &&
        (watched == table_ || watched == filter_)) {
        openCurrentCard();
        return true;
    }
    // The column menu from the keyboard, under the current column's title.
    if (event->type() == QEvent::KeyPress && isMenuKey(static_cast<QKeyEvent*>(event)) &&
        watched == table_) {
        showColumnMenu(columnMenuPlace());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
