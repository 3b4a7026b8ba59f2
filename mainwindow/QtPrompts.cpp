#include "mainwindow/QtPrompts.h"

#include "settings/FontColorDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>

namespace {

QString applicationTitle() {
    return QApplication::applicationDisplayName();
}

} // namespace

void QtPrompts::message(const QString& text) {
    QMessageBox::information(owner(), applicationTitle(), text);
}

void QtPrompts::error(const QString& text) {
    QMessageBox::critical(owner(), applicationTitle(), text);
}

bool QtPrompts::ask(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, owner());
    return box.exec() == QMessageBox::Yes;
}

QString QtPrompts::input(const QString& caption, const QString& prompt, const QString& proposed) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(owner(), caption, prompt, QLineEdit::Normal, proposed, &ok);
    return ok ? text : proposed;
}

QString QtPrompts::openFile(const QString& title, const QStringList& filters) {
    QFileDialog dialog(owner(), title);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.first());
    dialog.setFilter(dialog.filter() | QDir::Hidden);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

bool QtPrompts::chooseFont(QFont& font, qint32& storedColor) {
    FontColorDialog dialog(font, storedColor, owner());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
    storedColor = dialog.selectedColor();
    return true;
}

bool QtPrompts::setUpPrinter(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, owner());
    return dialog.exec() == QDialog::Accepted;
}
