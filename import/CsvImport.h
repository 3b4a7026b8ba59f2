#pragma once

#include "core/CardImport.h"

#include <QString>
#include <QStringList>

#include <functional>

class Prompts;
class QWidget;

namespace csvimport {

// "Importovat z CSV…": the open-file dialog's title and filters.
QString csvImportDialogTitle();

QStringList csvImportFilters();

// Imports the CSV file at path into the card folder: the preview dialog
// "Import z CSV" first, then, when the user imports, the new card files, with
// progress that Esc stops, cardsWritten once at the end (the card list reads
// the folder again), and one closing message through prompts. A file that
// cannot be read throws AppError naming it.
void importCsvFile(const QString& path, const CardImportTarget& target, Prompts& prompts,
                   QWidget* parent, const std::function<void()>& cardsWritten);

} // namespace csvimport
