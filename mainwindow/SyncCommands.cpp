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
    form1_.Card().setConflictChooser(&conflictForm);
    connect(&form1_.listPanel().cards(), &CardFolderModel::cardsChanged, this,
            [this](const CardFolderChange& change) { FollowCards(change); });

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

void SyncCommands::Vyresitkonflikt1Click() {
    ShowNotice(form1_.Card().ResolveConflictCopies());
}

void SyncCommands::FollowCards(const CardFolderChange& change) {
    RunGuarded(form1_.Dialogs(),
               [this, &change] { ShowNotice(form1_.Card().FollowCardFile(change.added)); });
}

void SyncCommands::ShowNotice(const QString& text) {
    if (text.isEmpty())
        return;
    noticeLine_->setText(text);
    noticeLine_->setToolTip(text);
    PlaceNoticeLine();
    noticeLine_->show();
    noticeLine_->raise();
    noticeTimer_->start(kNoticeShownMs);
}

// Along the bottom of the window, right of the card list, over the notes.
void SyncCommands::PlaceNoticeLine() {
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
        PlaceNoticeLine();
    return QObject::eventFilter(watched, event);
}
