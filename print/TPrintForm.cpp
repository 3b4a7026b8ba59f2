#include "print/TPrintForm.h"

#include "core/Prompts.h"
#include "core/StoredColor.h"
#include "print/CardListPrinter.h"
#include "print/PrintJobInputLock.h"
#include "print/PrintSource.h"
#include "print/PrinterErrors.h"
#include "print/ScaledCardPage.h"
#include "storage/AppState.h"
#include "storage/FileNames.h"
#include "widgets/ClickableLabel.h"
#include "widgets/CommandGuard.h"
#include "widgets/DialogKeys.h"
#include "widgets/DialogLook.h"
#include "widgets/InstalledPrinters.h"
#include "widgets/LinkLabel.h"
#include "widgets/PrinterSetUp.h"
#include "widgets/WebLinks.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

namespace {

const QString ListMode = QStringLiteral("SEZNAM");
const QString CardMode = QStringLiteral("SOUBOR");
const QString JobTitlePrefix = QStringLiteral("Pelvarin Kartotéka - ");
constexpr QSize previewSize(210, 297);

QFrame* blackBar(QWidget* parent, const QRect& geometry) {
    auto* bar = new QFrame(parent);
    bar->setGeometry(geometry);
    bar->setAutoFillBackground(true);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, Qt::black);
    bar->setPalette(palette);
    return bar;
}

// Tool-like buttons: they never take the focus, so Enter and Esc always reach
// the dialog.
QPushButton* button(QWidget* parent, const QString& text, const QRect& geometry, bool bold) {
    auto* result = new QPushButton(text, parent);
    result->setGeometry(geometry);
    result->setFocusPolicy(Qt::NoFocus);
    result->setAutoDefault(false);
    if (bold) {
        QFont font = result->font();
        font.setBold(true);
        result->setFont(font);
    }
    return result;
}

QCheckBox* checkBox(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* result = new QCheckBox(text, parent);
    result->setGeometry(geometry);
    return result;
}

} // namespace

TPrintForm::TPrintForm(AppState& state, Prompts& prompts, PrintSource& source, QWidget* parent)
    : QDialog(parent), state_(state), prompts_(prompts), source_(source) {
    dialoglook::makeFixedDialog(*this, QStringLiteral("Tisk"), QSize(462, 310));
    setFont(CardPageRenderer::pageFont(11, false));
    createControls();
    FormCreate();
}

void TPrintForm::createControls() {
    Label1 = new QLabel(QStringLiteral("Tisk: * Title *"), this);
    Label1->setFont(CardPageRenderer::pageFont(15, true));
    Label1->move(14, 8);
    Label1->adjustSize();
    Panel1 = blackBar(this, QRect(11, 35, 224, 3));

    ListBox1 = new QListWidget(this);
    ListBox1->setGeometry(16, 48, 217, 105);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setAccessibleName(QStringLiteral("Tiskárny"));

    PicPrintCheck = checkBox(this, QStringLiteral("Tisknout obrázek"), QRect(15, 168, 218, 17));
    GrayPrintCheck = checkBox(this, QStringLiteral("Tisknout černobíle"), QRect(15, 200, 218, 17));
    NrPrintCheck =
        checkBox(this, QStringLiteral("Tisknout pořadové číslo"), QRect(16, 232, 217, 17));
    PicPrintCheck->setChecked(state_.PrintPicture);
    GrayPrintCheck->setChecked(state_.PrintGray);

    Bevel2 = new QFrame(this);
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Bevel2->setGeometry(11, 262, 224, 3);

    Label4 = new LinkLabel(QStringLiteral("Nápověda"), this);
    Label4->move(13, 279);
    Label4->adjustSize();

    SpeedButton2 = button(this, QStringLiteral("Zrušit"), QRect(95, 273, 67, 30), false);
    SpeedButton1 = button(this, QStringLiteral("Tisk"), QRect(168, 273, 65, 30), true);
    Panel2 = blackBar(this, QRect(239, 11, 3, 290));

    PrintPrew = new ClickableLabel(this);
    PrintPrew->setGeometry(QRect(QPoint(248, 8), previewSize));
    PrintPrew->setAccessibleName(QStringLiteral("Náhled tisku"));
    preview_ = QImage(previewSize, QImage::Format_RGB32);
    clearPreview();

    PrintPanel = new QFrame(this);
    PrintPanel->setFrameStyle(QFrame::Box | QFrame::Plain);
    PrintPanel->setGeometry(0, 3, 458, 305);
    PrintPanel->setAutoFillBackground(true);
    Label2 = new QLabel(QStringLiteral("Právě probíhá tisk..."), PrintPanel);
    Label2->move(184, 88);
    Label2->adjustSize();
    AbortBtn = button(PrintPanel, QStringLiteral("Zrušit"), QRect(192, 248, 81, 33), true);
    PrintPanel->hide();

    connect(SpeedButton1, &QPushButton::clicked, this, &TPrintForm::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TPrintForm::close);
    connect(AbortBtn, &QPushButton::clicked, this, &TPrintForm::AbortBtnClick);
    // A checked state changed by the program runs the handler too.
    connect(PicPrintCheck, &QCheckBox::toggled, this, &TPrintForm::PicPrintCheckClick);
    connect(GrayPrintCheck, &QCheckBox::toggled, this, &TPrintForm::GrayPrintCheckClick);
    connect(NrPrintCheck, &QCheckBox::toggled, this, &TPrintForm::GrayPrintCheckClick);
    connect(PrintPrew, &ClickableLabel::clicked, this, &TPrintForm::PrintPrewClick);
    connect(Label4, &LinkLabel::clicked, this, &TPrintForm::Label4Click);
}

// Fills the printer list and creates the page image; without any printer the
// list shows a placeholder and there is no page image.
void TPrintForm::FormCreate() {
    applyBackColor();
    ListBox1->clear();
    const QStringList names = installedprinters::installedPrinterNames();
    if (names.isEmpty()) {
        ListBox1->addItem(QStringLiteral("* Printers *"));
        return;
    }
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(name, ListBox1);
        item->setSizeHint(QSize(0, 16));
    }
    // With the first printer current no row is selected: printing then goes to
    // the system's default printer.
    const qsizetype current = names.indexOf(source_.printer().printerName());
    if (current > 0)
        ListBox1->setCurrentRow(int(current));
    PageBitmap = QImage(CardPageRenderer::Width, CardPageRenderer::Height, QImage::Format_RGB32);
    PageBitmap.fill(Qt::white);
    PrintPanel->move(0, PrintPanel->y());
}

void TPrintForm::FormShow() {
    if (installedprinters::installedPrinterNames().isEmpty()) {
        prompts_.message(QStringLiteral("Nenalezena žádná tiskárna."));
        return;
    }
    if (PageBitmap.isNull()) // a printer was installed while the program ran
        FormCreate();
    applyBackColor();
    showPage();
}

// The preview of the current mode: in card mode the page rendered anew.
void TPrintForm::showPage() {
    clearPreview();
    const bool cardMode = !listMode();
    if (cardMode) {
        Vykresli();
    } else {
        QPainter painter(&preview_);
        painter.setFont(PrintPrew->font());
        painter.setPen(Qt::black);
        painter.drawText(QPoint(5, 10 + painter.fontMetrics().ascent()),
                         QStringLiteral("Seznam souborů"));
        painter.end();
        PrintPrew->setPixmap(QPixmap::fromImage(preview_));
    }
    for (QCheckBox* check : {PicPrintCheck, GrayPrintCheck, NrPrintCheck})
        check->setEnabled(cardMode);
}

void TPrintForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        commandguard::runGuarded(prompts_, [this] { FormShow(); });
}

void TPrintForm::keyPressEvent(QKeyEvent* event) {
    // Esc stops a running print job before it closes the dialog.
    const auto cancel = [this] {
        if (printing_)
            AbortBtnClick();
        else
            close();
    };
    if (!dialogkeys::handleConfirmCancel(
            *event, [this] { SpeedButton1Click(); }, cancel))
        QDialog::keyPressEvent(event);
}

void TPrintForm::closeEvent(QCloseEvent* event) {
    if (printing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TPrintForm::applyBackColor() {
    dialoglook::setBackground(*this, storedcolor::colorFromStored(state_.BackColor));
}

bool TPrintForm::listMode() const {
    return state_.PrintMode == ListMode;
}

// A print command aimed at the open dialog renders its page anew, so that
// the dialog never prints the page of the card shown before under the title
// of the card shown now.
void TPrintForm::showNonModal() {
    if (!isVisible()) {
        show();
        return;
    }
    raise();
    activateWindow();
    if (!PageBitmap.isNull())
        commandguard::runGuarded(prompts_, [this] { showPage(); });
}

void TPrintForm::printOpenCard() {
    state_.PrintMode = CardMode;
    const QString name = source_.currentCardName();
    Label1->setText(QStringLiteral("Tisk: ") + name);
    Label1->adjustSize();
    showNonModal();
    const bool hasPicture = filenames::exists(source_.workDir(), name + QStringLiteral("1.bmp"));
    PicPrintCheck->setEnabled(hasPicture);
    PicPrintCheck->setChecked(hasPicture);
}

void TPrintForm::printCardList() {
    state_.PrintMode = ListMode;
    Label1->setText(QStringLiteral("Tisk: Seznam všech"));
    Label1->adjustSize();
    showNonModal();
}

void TPrintForm::printerSetUp() {
    printersetup::runPrinterSetUp(prompts_, source_.printer());
}

void TPrintForm::Vykresli() {
    if (PageBitmap.isNull())
        return;
    page_ = cardpage::makeCardPage(source_, pageOptions());
    renderer_.render(page_, PageBitmap);
    updatePreview();
    savePageCopy();
}

PageOptions TPrintForm::pageOptions() const {
    return {NrPrintCheck->isChecked(), state_.PrintPicture, state_.PrintGray};
}

void TPrintForm::clearPreview() {
    preview_.fill(Qt::white);
    PrintPrew->setPixmap(QPixmap::fromImage(preview_));
}

void TPrintForm::updatePreview() {
    QPainter painter(&preview_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), previewSize), PageBitmap);
    painter.end();
    PrintPrew->setPixmap(QPixmap::fromImage(preview_));
}

// The full-size page, for the preview click to open in an image viewer.
void TPrintForm::savePageCopy() const {
    const QString path = source_.workDir() + QStringLiteral("Output.bmp");
    QFile::remove(path); // a link left under the name goes; the copy never writes through it
    if (!PageBitmap.save(path, "BMP"))
        throw AppError(QStringLiteral("Soubor \"%1\" nelze uložit.").arg(path));
}

void TPrintForm::PicPrintCheckClick() {
    commandguard::runGuarded(prompts_, [this] {
        state_.PrintPicture = PicPrintCheck->isChecked();
        Vykresli();
    });
}

void TPrintForm::GrayPrintCheckClick() {
    commandguard::runGuarded(prompts_, [this] {
        state_.PrintGray = GrayPrintCheck->isChecked();
        Vykresli();
    });
}

void TPrintForm::usePrinterOfSelectedRow() {
    const QStringList names = installedprinters::installedPrinterNames();
    if (names.isEmpty())
        throw AppError(QStringLiteral("Není nainstalována žádná tiskárna."));
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    const QString name =
        selected.isEmpty() ? installedprinters::defaultPrinterName() : selected.first()->text();
    QPrinter& printer = source_.printer();
    // QPrinter keeps its old printer when it cannot use the named one; the job
    // must not go elsewhere silently.
    if (names.contains(name))
        printer.setPrinterName(name);
    if (!names.contains(name) || printer.printerName() != name)
        throw AppError(QStringLiteral("Tiskárna \"%1\" není k dispozici.").arg(name));
}

// The page goes to paper as last rendered and previewed, laid out as the
// preview is and stretched over the printable area whatever the paper's
// proportions, but drawn at the printer's resolution.
void TPrintForm::printCardPage() {
    QPrinter& printer = source_.printer();
    printer.setDocName(JobTitlePrefix + source_.currentCardName());
    QPainter painter;
    if (!painter.begin(&printer))
        throw printererrors::printJobCannotBegin(printer.printerName());
    const QRectF area(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    cardpage::paintScaledCardPage(painter, area, page_);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw printererrors::printJobFailed(printer.printerName());
}

void TPrintForm::SpeedButton1Click() {
    if (printing_)
        return;
    commandguard::runGuarded(prompts_, [this] {
        usePrinterOfSelectedRow();
        setPrintingState(true);
        try {
            sendJob();
        } catch (...) {
            // The dialog stays usable for another attempt.
            setPrintingState(false);
            throw;
        }
        setPrintingState(false);
        close();
    });
}

void TPrintForm::sendJob() {
    const PrintJobInputLock onlyAbort(*this, *AbortBtn);
    if (listMode()) {
        source_.printer().setDocName(JobTitlePrefix + QStringLiteral("Seznam souborů"));
        cardlistprinter::PrintCardList(source_.printer(), source_.cardList(), prompts_,
                                       [this] { return abortRequested_; });
    } else {
        printCardPage();
    }
}

void TPrintForm::AbortBtnClick() {
    if (!printing_)
        return;
    abortRequested_ = true;
    source_.printer().abort();
    PrintPanel->hide();
}

// While a job is being sent the printing panel covers the dialog and the
// dialog has no close icon.
void TPrintForm::setPrintingState(bool printing) {
    printing_ = printing;
    abortRequested_ = false;
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowCloseButtonHint, !printing);
    flags.setFlag(Qt::WindowSystemMenuHint, !printing);
    // Changed on the native window directly: QWidget::setWindowFlags would
    // hide the dialog and run its show handler again.
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
    PrintPanel->setVisible(printing);
    if (printing)
        PrintPanel->raise();
}

void TPrintForm::PrintPrewClick() {
    const QString path = source_.workDir() + QStringLiteral("Output.bmp");
    if (QFileInfo::exists(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TPrintForm::Label4Click() {
    weblinks::openHelp(QStringLiteral("tisk.html"));
}
