#include "mainwindow/SyncCommands.h"

#include "conflict/CardConflictDialog.h"
#include "core/CardFolderModel.h"
#include "core/OpenCard.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/TForm1.h"
#include "widgets/CommandGuard.h"

#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

// Long enough to read two lines, short enough not to stay in the way.
constexpr int kNoticeShownMs = 12000;

} // namespace

SyncCommands::SyncCommands(TForm1& form1, CardConflictDialog& conflictForm)
    : QObject(&form1), form1_(form1), noticeLine_(new QLabel(form1.centralWidget())),
      noticeTimer_(new QTimer(this)) {
    form1_.card().setConflictChooser(&conflictForm);
    connect(&form1_.listPanel().cards(), &CardFolderModel::cardsChanged, this,
            [this](const CardFolderChange& change) { followCards(change); });

    noticeLine_->setObjectName(QStringLiteral("NoticeLine"));
    noticeLine_->setAccessibleName(QStringLiteral("Oznámení"));
    noticeLine_->setWordWrap(true);
    noticeLine_->setMargin(4);
    noticeLine_->setStyleSheet(QStringLiteral(
        "QLabel { background: #FFF6D5; color: #3A3000; border: 1px solid #D8C77A; }"));
    noticeLine_->hide();
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, noticeLine_, &QWidget::hide);
    // A click on the line puts it away.
    noticeLine_->installEventFilter(this);
    form1_.centralWidget()->installEventFilter(this);
}

void SyncCommands::resolveConflict() {
    showNotice(form1_.card().resolveConflictCopies());
}

void SyncCommands::followCards(const CardFolderChange& change) {
    commandguard::runGuarded(form1_.dialogs(), [this, &change] {
        showNotice(form1_.card().followCardFile(change.added));
    });
}

void SyncCommands::showNotice(const QString& text) {
    if (text.isEmpty())
        return;
    noticeLine_->setText(text);
    noticeLine_->setToolTip(text);
    placeNoticeLine();
    noticeLine_->show();
    noticeLine_->raise();
    noticeTimer_->start(kNoticeShownMs);
}

// Along the bottom of the window, right of the card list, over the notes.
void SyncCommands::placeNoticeLine() {
    const QWidget* client = form1_.centralWidget();
    const int left = form1_.listPanel().width() + 8;
    const int width = qMax(200, client->width() - left - 8);
    const int height = noticeLine_->heightForWidth(width);
    noticeLine_->setGeometry(left, client->height() - height - 6, width, height);
}

bool SyncCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == noticeLine_ && event->type() == QEvent::MouseButtonPress)
        noticeLine_->hide();
    else if (watched == form1_.centralWidget() && event->type() == QEvent::Resize &&
             noticeLine_->isVisible())
        placeNoticeLine();
    return QObject::eventFilter(watched, event);
}
