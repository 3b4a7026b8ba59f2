#include "mainwindow/EditorControls.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>

NotesEdit::NotesEdit(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QString NotesEdit::text() const {
    // toRawText keeps no-break spaces, which toPlainText would turn into blanks.
    QString notes = document()->toRawText();
    notes.replace(QChar::ParagraphSeparator, u'\n');
    notes.replace(QChar::LineSeparator, u'\n');
    notes.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return notes;
}

void NotesEdit::setText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    setPlainText(plain);
}

QStringList NotesEdit::lines() const {
    const QString notes = text();
    return notes.isEmpty() ? QStringList() : notes.split(QStringLiteral("\r\n"));
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

bool PictureBox::loadBitmapFile(const QString& path) {
    QImage image;
    if (!image.load(path, "BMP"))
        return false;
    setPicture(image);
    return true;
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
    pressed_ = false;
    if (click)
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}
