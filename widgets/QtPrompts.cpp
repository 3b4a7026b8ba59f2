#include "widgets/QtPrompts.h"

#include "widgets/FontColorDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

namespace {

// The caption of every message box and question.
QString applicationTitle() {
    return QStringLiteral("Pelvarin Kartotéka");
}

// The print dialog serves as the printer set-up: it chooses the printer and,
// through its properties, the paper. Copies, page ranges and the like belong
// to a print job, so their pane stays closed, and its button says OK, not Print.
void makePrinterSetUp(QPrintDialog& dialog) {
    dialog.setWindowTitle(QStringLiteral("Nastavení tisku"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    for (QDialogButtonBox* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::ResetRole)
                button->hide();
        }
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
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

QString QtPrompts::saveFile(const QString& title, const QString& proposedName,
                            const QStringList& filters) {
    const QDir documents(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QString selectedFilter = filters.value(0);
    return QFileDialog::getSaveFileName(owner(), title, documents.filePath(proposedName),
                                        filters.join(QStringLiteral(";;")), &selectedFilter);
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
    QPrintDialog dialog(&printer, owner());
    makePrinterSetUp(dialog);
    return dialog.exec() == QDialog::Accepted;
}
