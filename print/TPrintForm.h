#pragma once

// Folder rule: print/ may include storage/, core/, widgets/ and print/ only;
// it reaches the main window through PrintSource.

#include "print/CardPageRenderer.h"
#include "print/ScaledCardPage.h"
#include "widgets/LinkLabel.h"

#include <QDialog>
#include <QImage>

class ClickableLabel;
class PrintSource;
class Prompts;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
struct AppState;

// The print dialog "Tisk": the installed printers, the options of the card
// page, a preview of the page, and the print and cancel buttons. It prints
// either the open card as one page, drawn at the printer's resolution from the
// layout the preview shows, or the list of all card files
// (AppState::PrintMode). It is shown non-modally and hidden, never destroyed,
// when closed; a print command aimed at it while it is open renders its page
// anew. While a job runs, only its abort takes input. Its background is
// AppState::BackColor as it is when the dialog is created and each time it is
// shown.
class TPrintForm : public QDialog {
    Q_OBJECT
public:
    TPrintForm(AppState& state, Prompts& prompts, PrintSource& source, QWidget* parent = nullptr);

    // The main window's commands of the menu "Tisk".
    void printOpenCard(); // "Vybraný soubor"
    void printCardList(); // "Seznam všech"
    void printerSetUp();  // "Nastavení tisku"

    // Renders the card page from the main window's current state and refreshes
    // the preview; also saves the page as WorkDir + "Output.bmp" for the
    // preview click. Does nothing when no printer is installed.
    void Vykresli();

    // The options of the card page as last set in the dialog.
    PageOptions pageOptions() const;

    // The card page as last rendered, 525 x 742; null when no printer is installed.
    const QImage& pageBitmap() const { return PageBitmap; }
    // What the preview shows, 210 x 297.
    const QImage& previewImage() const { return preview_; }
    // A print job is being sent.
    bool printing() const { return printing_; }

    QLabel* Label1;
    QFrame* Panel1;
    QListWidget* ListBox1;
    QCheckBox* PicPrintCheck;
    QCheckBox* GrayPrintCheck;
    QCheckBox* NrPrintCheck;
    QFrame* Bevel2;
    LinkLabel* Label4;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton1;
    QFrame* Panel2;
    ClickableLabel* PrintPrew;
    QFrame* PrintPanel;
    QLabel* Label2;
    QPushButton* AbortBtn;

    void SpeedButton1Click(); // print
    void AbortBtnClick();
    void PrintPrewClick();
    void Label4Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void FormCreate();
    void FormShow();
    void PicPrintCheckClick();
    void GrayPrintCheckClick();

    void showNonModal();
    void showPage();
    void applyBackColor();
    void clearPreview();
    void updatePreview();
    void savePageCopy() const;
    void usePrinterOfSelectedRow();
    void sendJob();
    void printCardPage();
    void setPrintingState(bool printing);
    bool listMode() const;

    AppState& state_;
    Prompts& prompts_;
    PrintSource& source_;
    CardPageRenderer renderer_;
    CardPage page_; // as last rendered, for the printer
    QImage PageBitmap;
    QImage preview_;
    bool printing_ = false;
    bool abortRequested_ = false;
};
