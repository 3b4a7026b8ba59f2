#include "mainwindow/TForm1.h"

#include "mainwindow/CardList.h"
#include "mainwindow/PictureBox.h"
#include "widgets/LinkLabel.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

void TForm1::Panel9CanResize(int newWidth, int newHeight) {
    List->setGeometry(1, 0, newWidth - 2, newHeight - SpeedButton9->height() - 2);
    SpeedButton8->setGeometry(0, newHeight - SpeedButton8->height(), newWidth / 2 - 2,
                              SpeedButton8->height());
    SpeedButton9->setGeometry(newWidth / 2 + 1, SpeedButton8->y(), newWidth / 2 - 2,
                              SpeedButton9->height());
}

void TForm1::Splitter2Moved() {
    // The picture keeps 4:3 inside its area, centred along the longer side.
    const int w = Panel10->contentsRect().width();
    const int h = Panel10->contentsRect().height();
    if (3 * w > 4 * h) {
        const int width = 4 * h / 3;
        Image1->setGeometry(Panel10->width() / 2 - width / 2, 0, width, h);
    } else {
        const int height = 3 * w / 4;
        Image1->setGeometry(0, Panel10->height() / 2 - height / 2, w, height);
    }
}

void TForm1::PlaceWelcomeLabels() {
    const int clientWidth = client_->width();
    const int clientHeight = client_->height();
    for (QLabel* label : {Label2, static_cast<QLabel*>(Label5)})
        label->adjustSize();
    Label2->move(clientWidth - Label2->width() - 10, clientHeight - Label2->height() - 10);
    Label5->move(Label2->x() - Label5->width() - 10, Label2->y());

    const int listRight = List->x() + List->width();
    Label1->setGeometry(listRight, 100, clientWidth - listRight - 10, 28);

    // The text lines centred under the heading, in the editor's part of the window.
    const int centre = Label1->x() + Label1->width() / 2;
    int top = Label1->y() + Label1->height() + 24;
    for (QLabel* line : {Label3, Label4, Label6, Label7}) {
        line->adjustSize();
        line->move(centre - line->width() / 2, top);
        top += line->height() + (line == Label3 ? 14 : 4);
    }
    // Each link covers its word in the line beneath it.
    const auto coverWord = [](QLabel* line, LinkLabel* link, const QString& textBefore) {
        link->adjustSize();
        link->move(line->x() + line->fontMetrics().horizontalAdvance(textBefore), line->y());
    };
    coverWord(Label6, Label9, QStringLiteral("můžete "));
    coverWord(Label7, Label10, QStringLiteral("Pokud si nevíte rady, podívejte se do "));
    Label8->adjustSize();
    Label8->move(centre - Label8->width() / 2, top + 14);
}

void TForm1::KeepDesignedSize() {
    const QSize designed(DesignedClientWidth,
                         DesignedClientHeight + menuBar()->sizeHint().height());
    // The normal window has the designed size and no smaller; it grows only
    // when maximised (resizeEvent puts an edge drag back).
    setMinimumSize(designed);
    resize(designed);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // A window manager offers no "maximisable but not resizable" window, so
    // the window is resizable in principle and goes back to its designed size
    // whenever it is resized in the normal state. A window manager that insists
    // on another size (a tiling one) is not fought: one try per second.
    if (sizeRestorePending_)
        return;
    sizeRestorePending_ = true;
    QTimer::singleShot(0, this, [this] {
        sizeRestorePending_ = false;
        const bool normal =
            !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized));
        if (!normal || size() == minimumSize())
            return;
        if (lastSizeRestore_.isValid() && lastSizeRestore_.elapsed() < 1000)
            return;
        lastSizeRestore_.start();
        resize(minimumSize());
    });
}

void TForm1::CentreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    move(desktop.x() + (desktop.width() - width()) / 2,
         desktop.y() + (desktop.height() - height()) / 2);
}
