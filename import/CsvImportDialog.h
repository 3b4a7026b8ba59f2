#pragma once

#include "core/CardImportPlan.h"
#include "core/CsvReader.h"

#include <QDialog>
#include <QSet>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "Import z CSV": the cards a CSV file will give, before anything is written.
// It shows how the file was read, the column that names the cards (the first
// by default; fixed for the program's own table export), and the first cards
// with their tables, notes and fate. Its default button "Importovat" accepts.
class CsvImportDialog : public QDialog {
    Q_OBJECT
public:
    // Cards shown in the preview; the rest are counted.
    static constexpr int kPreviewCards = 200;

    CsvImportDialog(const QString& path, CsvTable csv, QSet<QString> existingNames,
                    QWidget* parent = nullptr);

    const CsvTable& csv() const { return csv_; }
    const CardImportPlan& plan() const { return plan_; }
    QComboBox& namingColumnBox() const { return *namingColumn_; }
    QTableWidget& preview() const { return *preview_; }
    QPushButton& importButton() const { return *importButton_; }

private:
    void replan();
    void showPlan();
    QString readingText() const;

    QString path_;
    CsvTable csv_;
    QSet<QString> existingNames_;
    CardImportPlan plan_;
    QLabel* reading_;
    QComboBox* namingColumn_;
    QLabel* counts_;
    QTableWidget* preview_;
    QPushButton* importButton_;
};
