#include "mainwindow/TAboutForm.h"

#include "widgets/DialogLook.h"
#include "widgets/WebLinks.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

const QString kContactEmail = QStringLiteral("kartoteka@pelvarin.cz");

QStringList aboutLines() {
    return {
        QStringLiteral("Pelvarin Kartotéka, verze 0.7.4"),
        QStringLiteral("Program napsal Pelvarin v roce 2024."),
        QStringLiteral("Program je zdarma, bez omezení."),
        QString(),
        QStringLiteral("Další programy, informace a nové verze"),
        QStringLiteral("Kartotéky najdete na stránkách"),
        kWebHost,
        QString(),
        QStringLiteral("Chyby a připomínky posílejte na adresu"),
        kContactEmail,
        QString(),
        QStringLiteral("Líbí-li se vám program, můžete podpořit"),
        QStringLiteral("jeho vývoj (viz sekce „Pomoc“ na webu)."),
        QString(),
        QStringLiteral("Děkujeme, že používáte Kartotéku!"),
    };
}

// The picture behind the title: a drawer of index cards with their tabs.
QPixmap paintDrawerPicture(QSize size) {
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(206, 226, 245));
    sky.setColorAt(1, QColor(250, 250, 240));
    painter.fillRect(pixmap.rect(), sky);

    const int drawerTop = size.height() * 11 / 20;
    const QRect drawer(14, drawerTop, size.width() - 28, size.height() - drawerTop - 12);
    const QColor tabColors[] = {QColor(214, 69, 65), QColor(242, 179, 63), QColor(88, 164, 88),
                                QColor(72, 126, 196)};
    for (int i = 0; i < 7; ++i) {
        const QRect card(drawer.left() + 10 + i * 4, drawer.top() - 46 + i * 5,
                         drawer.width() - 20 - i * 8, 60);
        painter.setPen(QPen(QColor(120, 110, 90), 1));
        painter.setBrush(QColor(253, 251, 242));
        painter.drawRoundedRect(card, 3, 3);
        painter.setBrush(tabColors[i % 4]);
        const int tabLeft = card.left() + 8 + (i * 23) % (card.width() - 40);
        painter.drawRoundedRect(QRect(tabLeft, card.top() - 7, 26, 10), 2, 2);
    }
    QLinearGradient wood(drawer.topLeft(), drawer.bottomLeft());
    wood.setColorAt(0, QColor(170, 112, 62));
    wood.setColorAt(1, QColor(112, 68, 32));
    painter.setPen(QPen(QColor(80, 48, 20), 1.5));
    painter.setBrush(wood);
    painter.drawRoundedRect(drawer, 4, 4);
    const QRect handle(drawer.center().x() - 18, drawer.center().y() - 5, 36, 10);
    painter.setBrush(QColor(220, 200, 150));
    painter.drawRoundedRect(handle, 4, 4);
    return pixmap;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("O Kartotéce"), QSize(327, 319));
    createTitle();
    createText();
    createPicturePanel();
    createLink();
    SpeedButton1 = dialoglook::makeButton(*this, QStringLiteral("Ok"), QStyle::SP_DialogOkButton,
                                          QRect(232, 280, 80, 27));
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::accept);
}

void TAboutForm::createTitle() {
    Bevel2 = new QFrame(this);
    Bevel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Bevel2->setGeometry(15, 8, 297, 29);

    Label1 = new QLabel(QStringLiteral("Pelvarin Kartotéka  v0.7.4"), this);
    QFont font = Label1->font();
    font.setBold(true);
    font.setPixelSize(13);
    Label1->setFont(font);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(17, 10, 293, 25);
    Label1->installEventFilter(this);
}

void TAboutForm::createText() {
    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Bevel1->setGeometry(15, 44, 297, 225);

    Memo2 = new QPlainTextEdit(this);
    Memo2->setReadOnly(true);
    Memo2->setAccessibleName(QStringLiteral("O programu"));
    Memo2->setFrameShape(QFrame::NoFrame);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = Memo2->font();
    font.setPixelSize(11);
    Memo2->setFont(font);
    Memo2->setPlainText(aboutLines().join(u'\n'));
    Memo2->setGeometry(22, 50, 283, 213);
    Memo2->installEventFilter(this);
    QPalette palette = Memo2->palette();
    palette.setColor(QPalette::Base, this->palette().color(QPalette::Window));
    Memo2->setPalette(palette);
}

void TAboutForm::createPicturePanel() {
    PicturePanel = new QLabel(this);
    PicturePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PicturePanel->setLineWidth(2);
    PicturePanel->setScaledContents(true);
    PicturePanel->setGeometry(77, 77, 173, 158);
    PicturePanel->setPixmap(paintDrawerPicture(QSize(173, 158)));
    PicturePanel->hide();
}

void TAboutForm::createLink() {
    Label3 = new QLabel(kWebSite, this);
    QFont font = Label3->font();
    font.setUnderline(true);
    Label3->setFont(font);
    QPalette palette = Label3->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    Label3->setPalette(palette);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setToolTip(kWebSite);
    Label3->setGeometry(15, 284, 210, 20);
    Label3->installEventFilter(this);
}

void TAboutForm::setBackColor(const QColor& color) {
    dialoglook::setBackground(*this, color);
}

// The text sits on the dialog itself, as if printed on it, whoever sets the
// dialog's colour.
void TAboutForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange && Memo2) {
        QPalette palette = Memo2->palette();
        palette.setColor(QPalette::Base, this->palette().color(QPalette::Window));
        Memo2->setPalette(palette);
    }
    QDialog::changeEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonDblClick) {
        PicturePanel->show();
        return true;
    }
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease) {
        weblinks::openHomePage();
        return true;
    }
    if (watched == Memo2 && isClosingKey(event)) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    if (isClosingKey(event))
        accept();
    else
        QDialog::keyPressEvent(event);
}

bool TAboutForm::isClosingKey(QEvent* event) const {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}
