#include "conflict/CardConflictDialog.h"

#include "widgets/DialogKeys.h"
#include "widgets/DialogLook.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QSize kClientSize(720, 460);
constexpr int kMineColumn = 1;
constexpr int kTheirsColumn = 2;

struct SideNames {
    QString mine;
    QString theirs;
};

SideNames sideNames(const VersionQuestion& question) {
    if (question.cause == VersionQuestion::Cause::ConflictCopy)
        return {QStringLiteral("Tato karta"), QStringLiteral("Kopie z jiného počítače")};
    return {QStringLiteral("Moje verze"), QStringLiteral("Jejich verze")};
}

QString headingOf(const VersionQuestion& question) {
    if (question.cause == VersionQuestion::Cause::ConflictCopy)
        return QStringLiteral("Karta „%1“ má kopii z konfliktu synchronizace")
            .arg(question.cardName);
    return QStringLiteral("Karta „%1“ se mezitím změnila jinde").arg(question.cardName);
}

QString explanationOf(const VersionQuestion& question) {
    if (question.cause == VersionQuestion::Cause::ConflictCopy)
        return QStringLiteral(
                   "Synchronizace uložila verzi této karty z jiného počítače jako soubor „%1“. "
                   "Která verze je novější, nelze poznat, proto se ptám na každý rozdíl.")
            .arg(question.copyFileName);
    return QStringLiteral("Soubor karty změnil jiný program (například synchronizace z jiného "
                          "počítače) od chvíle, kdy jste kartu otevřeli. Vaše úpravy zatím "
                          "nebyly zapsány. Vyberte, co s oběma verzemi.");
}

QString historyNoteOf(const VersionQuestion& question) {
    if (question.cause == VersionQuestion::Cause::ConflictCopy)
        return QStringLiteral("Kopie se po vyřešení přesune do historie karty (Úpravy → Historie "
                              "karty…). Karta se zapíše až uložením (F2); F11 změny vrátí.");
    return QStringLiteral("Verze, kterou nepřevezmete, zůstane v historii karty (Úpravy → "
                          "Historie karty…): při „Ponechat moji“ jejich verze, při „Převzít "
                          "jejich“ a „Spojit obě“ vaše. Spojená karta se otevře neuložená: F2 ji "
                          "uloží, F11 vrátí.");
}

QString shownLines(const QStringList& lines) {
    return lines.isEmpty() ? QStringLiteral("(nic – odstraněno)") : lines.join(u'\n');
}

QTableWidgetItem* labelItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* sideItem(const QString& side, const QStringList& lines) {
    auto* item = new QTableWidgetItem(shownLines(lines));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(Qt::AccessibleTextRole, side + QStringLiteral(": ") + shownLines(lines));
    return item;
}

} // namespace

CardConflictDialog::CardConflictDialog(QWidget* parent) : QDialog(parent) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Dvě verze karty"), kClientSize);
    Heading = new QLabel(this);
    QFont bold = Heading->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Heading->setFont(bold);
    Heading->setGeometry(12, 10, 696, 24);
    Explanation = new QLabel(this);
    Explanation->setWordWrap(true);
    Explanation->setGeometry(12, 38, 696, 48);
    ConflictsNote = new QLabel(this);
    ConflictsNote->setWordWrap(true);
    ConflictsNote->setGeometry(12, 90, 696, 34);

    Conflicts = new QTableWidget(this);
    Conflicts->setObjectName(QStringLiteral("Conflicts"));
    Conflicts->setGeometry(12, 126, 696, 220);
    Conflicts->setColumnCount(3);
    Conflicts->verticalHeader()->hide();
    Conflicts->setSelectionMode(QAbstractItemView::SingleSelection);
    Conflicts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Conflicts->setWordWrap(true);
    QHeaderView* header = Conflicts->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->resizeSection(0, 150);
    header->setSectionResizeMode(kMineColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kTheirsColumn, QHeaderView::Stretch);
    Conflicts->setAccessibleName(QStringLiteral("Rozdíly změněné v obou verzích"));
    ConflictsNote->setBuddy(Conflicts);
    connect(Conflicts, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!filling_)
            keepOnePickPerRow(item->row(), item->column());
    });

    HistoryNote = new QLabel(this);
    HistoryNote->setWordWrap(true);
    HistoryNote->setGeometry(12, 352, 696, 50);
    buildButtons();
}

void CardConflictDialog::buildButtons() {
    const int top = 412;
    JoinButton = dialoglook::makeButton(*this, QStringLiteral("&Spojit obě"),
                                        QStyle::SP_DialogApplyButton, QRect(12, top, 160, 34));
    KeepMineButton = dialoglook::makeButton(*this, QStringLiteral("Ponechat &moji"),
                                            QStyle::SP_DialogSaveButton, QRect(184, top, 170, 34));
    TakeTheirsButton =
        dialoglook::makeButton(*this, QStringLiteral("Převzít &jejich"),
                               QStyle::SP_DialogOpenButton, QRect(366, top, 170, 34));
    CancelButton = dialoglook::makeButton(*this, QStringLiteral("Z&rušit"),
                                          QStyle::SP_DialogCancelButton, QRect(578, top, 130, 34));
    connect(JoinButton, &QToolButton::clicked, this, [this] { answerWith(VersionChoice::Join); });
    connect(KeepMineButton, &QToolButton::clicked, this,
            [this] { answerWith(VersionChoice::KeepMine); });
    connect(TakeTheirsButton, &QToolButton::clicked, this,
            [this] { answerWith(VersionChoice::TakeTheirs); });
    connect(CancelButton, &QToolButton::clicked, this,
            [this] { answerWith(VersionChoice::Cancel); });
}

VersionAnswer CardConflictDialog::choose(const VersionQuestion& question) {
    prepare(question);
    exec();
    return answer_;
}

void CardConflictDialog::prepare(const VersionQuestion& question) {
    answer_ = {};
    const SideNames names = sideNames(question);
    Heading->setText(headingOf(question));
    Explanation->setText(explanationOf(question));
    HistoryNote->setText(historyNoteOf(question));
    KeepMineButton->setText(question.cause == VersionQuestion::Cause::ConflictCopy
                                ? QStringLiteral("Ponechat &tuto kartu")
                                : QStringLiteral("Ponechat &moji"));
    TakeTheirsButton->setText(question.cause == VersionQuestion::Cause::ConflictCopy
                                  ? QStringLiteral("Převzít &kopii")
                                  : QStringLiteral("Převzít &jejich"));
    Conflicts->setHorizontalHeaderLabels({QStringLiteral("Co"), names.mine, names.theirs});
    fillConflicts(*question.join);
    const bool none = question.join->conflicts().isEmpty();
    ConflictsNote->setText(
        none ? QStringLiteral("Spojení nemá na co se ptát: co se změnilo, změnilo se jen v jedné "
                              "z verzí.")
             : QStringLiteral("Co se změnilo jen v jedné verzi, převezme se samo. Tyto rozdíly "
                              "(%1) se změnily v obou: u každého zaškrtněte verzi, kterou "
                              "chcete (mezerník).")
                   .arg(question.join->conflicts().size()));
    Conflicts->setVisible(!none);
    placeBelowConflicts(none ? Conflicts->y() : Conflicts->geometry().bottom() + 6);
    updateJoinButton();
}

// Without differences to pick, the note on history and the buttons move up
// into the table's place, so the dialog shows no empty box.
void CardConflictDialog::placeBelowConflicts(int top) {
    HistoryNote->move(12, top);
    const int buttonsTop = top + 60;
    for (QToolButton* button : {JoinButton, KeepMineButton, TakeTheirsButton, CancelButton})
        button->move(button->x(), buttonsTop);
    setFixedSize(kClientSize.width(), buttonsTop + 48);
}

void CardConflictDialog::fillConflicts(const CardJoin& join) {
    filling_ = true;
    Conflicts->clearContents();
    Conflicts->setRowCount(int(join.conflicts().size()));
    for (int row = 0; row < join.conflicts().size(); ++row) {
        const JoinConflict& conflict = join.conflicts()[row];
        Conflicts->setItem(row, 0, labelItem(conflict.label));
        Conflicts->setItem(row, kMineColumn, sideItem(QStringLiteral("Moje"), conflict.mine));
        Conflicts->setItem(row, kTheirsColumn, sideItem(QStringLiteral("Jejich"), conflict.theirs));
    }
    Conflicts->resizeRowsToContents();
    if (Conflicts->rowCount() > 0)
        Conflicts->setCurrentCell(0, kMineColumn);
    filling_ = false;
}

QList<std::optional<JoinSide>> CardConflictDialog::picks() const {
    QList<std::optional<JoinSide>> sides;
    for (int row = 0; row < Conflicts->rowCount(); ++row) {
        if (Conflicts->item(row, kMineColumn)->checkState() == Qt::Checked)
            sides.append(JoinSide::Mine);
        else if (Conflicts->item(row, kTheirsColumn)->checkState() == Qt::Checked)
            sides.append(JoinSide::Theirs);
        else
            sides.append(std::nullopt);
    }
    return sides;
}

void CardConflictDialog::pick(int conflict, JoinSide side) {
    Conflicts->item(conflict, side == JoinSide::Mine ? kMineColumn : kTheirsColumn)
        ->setCheckState(Qt::Checked);
}

void CardConflictDialog::keepOnePickPerRow(int row, int column) {
    if (column != kMineColumn && column != kTheirsColumn)
        return;
    if (Conflicts->item(row, column)->checkState() == Qt::Checked) {
        const int other = column == kMineColumn ? kTheirsColumn : kMineColumn;
        filling_ = true;
        Conflicts->item(row, other)->setCheckState(Qt::Unchecked);
        filling_ = false;
    }
    updateJoinButton();
}

void CardConflictDialog::updateJoinButton() {
    const QList<std::optional<JoinSide>> sides = picks();
    JoinButton->setEnabled(std::all_of(sides.cbegin(), sides.cend(),
                                       [](const std::optional<JoinSide>& side) { return side; }));
}

void CardConflictDialog::answerWith(VersionChoice choice) {
    answer_ = {};
    answer_.choice = choice;
    if (choice == VersionChoice::Join) {
        for (const std::optional<JoinSide>& side : picks())
            answer_.picks.append(side.value_or(JoinSide::Mine));
    }
    if (choice == VersionChoice::Cancel)
        reject();
    else
        accept();
}

void CardConflictDialog::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

void CardConflictDialog::keyPressEvent(QKeyEvent* event) {
    if (!dialogkeys::handleConfirmCancel(
            *event,
            [this] {
                if (JoinButton->isEnabled())
                    answerWith(VersionChoice::Join);
            },
            [this] { answerWith(VersionChoice::Cancel); }))
        QDialog::keyPressEvent(event);
}
