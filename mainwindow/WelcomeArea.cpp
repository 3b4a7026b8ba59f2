#include "mainwindow/WelcomeArea.h"

#include "core/WebSite.h"
#include "widgets/LinkLabel.h"

#include <QLabel>

WelcomeArea::WelcomeArea(QWidget& client) : QObject(&client), client_(client) {
    Label1_ = label(new QLabel(QStringLiteral("Vítejte v Pelvarin Kartotéce!")), "Label1");
    QFont heading = Label1_->font();
    heading.setBold(true);
    heading.setPixelSize(16);
    Label1_->setFont(heading);
    Label1_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Label2_ = label(new QLabel(QStringLiteral("v 0.7.4")), "Label2");
    Label3_ = label(new QLabel(QStringLiteral("Nemáte vybraný žádný soubor.")), "Label3");
    Label4_ = label(new QLabel(QStringLiteral("Vyberte jeden ze seznamu na levo, nebo")), "Label4");
    Label5_ = link(kWebHost, "Label5");
    Label5_->setToolTip(kWebSite);
    Label6_ = label(new QLabel(QStringLiteral("můžete přidat nový.")), "Label6");
    Label7_ = label(new QLabel(QStringLiteral("Pokud si nevíte rady, podívejte se do nápovědy.")),
                    "Label7");
    Label8_ = link(QStringLiteral("Pomozte s vývojem Kartotéky."), "Label8");
    Label8_->hide();
    // The two links lie over their words in Label6 and Label7 and hide them.
    Label9_ = link(QStringLiteral("přidat"), "Label9");
    Label10_ = link(QStringLiteral("nápovědy."), "Label10");
    for (QLabel* covering : std::initializer_list<QLabel*>{Label9_, Label10_})
        covering->setAutoFillBackground(true);
    for (QLabel* each : shownLabels())
        each->raise();
    // Plain text must not catch the mouse from the splitter handle beneath it.
    for (QLabel* plain : {Label1_, Label2_, Label3_, Label4_, Label6_, Label7_})
        plain->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(Label9_, &LinkLabel::clicked, this, &WelcomeArea::addClicked);
    connect(Label10_, &LinkLabel::clicked, this, &WelcomeArea::helpClicked);
    connect(Label5_, &LinkLabel::clicked, this, &WelcomeArea::homePageClicked);
    connect(Label8_, &LinkLabel::clicked, this, &WelcomeArea::supportClicked);
}

QLabel* WelcomeArea::label(QLabel* created, const char* name) {
    created->setParent(&client_);
    created->setObjectName(QString::fromLatin1(name));
    created->adjustSize();
    return created;
}

LinkLabel* WelcomeArea::link(const QString& text, const char* name) {
    auto* created = new LinkLabel(text);
    label(created, name);
    return created;
}

// All but the hidden support link.
QList<QLabel*> WelcomeArea::shownLabels() const {
    return {Label1_, Label2_, Label3_, Label4_, Label5_, Label6_, Label7_, Label9_, Label10_};
}

void WelcomeArea::setVisible(bool visible) {
    for (QLabel* each : shownLabels())
        each->setVisible(visible);
}

void WelcomeArea::place(int listRight) {
    const int clientWidth = client_.width();
    const int clientHeight = client_.height();
    for (QLabel* corner : std::initializer_list<QLabel*>{Label2_, Label5_})
        corner->adjustSize();
    Label2_->move(clientWidth - Label2_->width() - 10, clientHeight - Label2_->height() - 10);
    Label5_->move(Label2_->x() - Label5_->width() - 10, Label2_->y());

    Label1_->setGeometry(listRight, 100, clientWidth - listRight - 10, 28);

    // The text lines centred under the heading, in the editor's part of the window.
    const int centre = Label1_->x() + Label1_->width() / 2;
    int top = Label1_->y() + Label1_->height() + 24;
    for (QLabel* line : {Label3_, Label4_, Label6_, Label7_}) {
        line->adjustSize();
        line->move(centre - line->width() / 2, top);
        top += line->height() + (line == Label3_ ? 14 : 4);
    }
    // Each link covers its word in the line beneath it.
    const auto coverWord = [](QLabel* line, LinkLabel* link, const QString& textBefore) {
        link->adjustSize();
        link->move(line->x() + line->fontMetrics().horizontalAdvance(textBefore), line->y());
    };
    coverWord(Label6_, Label9_, QStringLiteral("můžete "));
    coverWord(Label7_, Label10_, QStringLiteral("Pokud si nevíte rady, podívejte se do "));
    Label8_->adjustSize();
    Label8_->move(centre - Label8_->width() / 2, top + 14);
}

void WelcomeArea::applyFont(const QFont& font, const QColor& textColor) {
    for (QLabel* text : {Label2_, Label3_, Label4_, Label6_, Label7_}) {
        text->setFont(font);
        QPalette palette = text->palette();
        palette.setColor(QPalette::WindowText, textColor);
        text->setPalette(palette);
    }
    for (QLabel* covering : std::initializer_list<QLabel*>{Label9_, Label10_}) {
        QFont underlined = font;
        underlined.setUnderline(true);
        covering->setFont(underlined);
    }
}
