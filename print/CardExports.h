#pragma once

class PrintSource;
class Prompts;
class TPrintForm;
struct AppState;

// The commands of the menu "Tisk" that need no printer: the open card's page
// and the card list as PDF files, and the tables of all card files as a CSV
// file for a spreadsheet. Each asks for the file name in a save-file dialog
// and does nothing when it is cancelled. Failures to write throw AppError for
// the command guard.
class CardExports {
public:
    CardExports(AppState& state, Prompts& prompts, PrintSource& source,
                const TPrintForm& printForm);

    // "Uložit kartu do PDF…": the page as the print dialog would print it, with
    // the options as last set there; a card without a picture file gets none.
    void saveCardPdf();
    // "Uložit seznam do PDF…"
    void saveListPdf();
    // "Exportovat do CSV…": the card files as they are saved, with progress
    // while it runs; the cards that could not be read are named at the end.
    void exportCsv();

private:
    AppState& state_;
    Prompts& prompts_;
    PrintSource& source_;
    const TPrintForm& printForm_;
};
