#include "mainwindow/TForm1.h"

#include "core/ConfigFiles.h"
#include "core/LayoutFiles.h"
#include "core/OpenCard.h"
#include "core/Prompts.h"
#include "core/WebSite.h"
#include "mainwindow/CardListPanel.h"
#include "mainwindow/EditorPanel.h"
#include "mainwindow/MainToolBar.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/StaleTemporaryCards.h"
#include "storage/WorkDir.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cerrno>
#include <cstring>

namespace {

constexpr qint32 kDesignedBackColor = 0x00FFFFFF;

// Creates one directory level when it is missing.
void makeDirectory(const QString& path) {
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkdir(path))
        throw AppError(
            QStringLiteral("Nelze vytvořit složku %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

bool TForm1::libraryIsPresent() const {
    return QFileInfo(state_.libraryPath()).isFile();
}

void TForm1::FormCreate() {
    const QString& p = state_.programDir;
    if (!libraryIsPresent()) {
        prompts_.message(
            QStringLiteral("Nebyla nalezena kihovna \"7z.so\", která je potřeba pro spuštění "
                           "Pelvarin Kartotéky.\n\rStáhněte prosím Kartotéku znovu z ") +
            kWebSite);
        processEnded_ = true;
        endProcess_(0);
        return;
    }
    makeDirectory(p + QStringLiteral("FILES/"));
    toolBar_->fitRowBand();
    state_.CardDir = p + QStringLiteral("FILES/");
    temporarycards::removeStaleTemporaryCards(state_.CardDir);
    makeDirectory(p + QStringLiteral("TEMP/"));
    state_.WorkDir = p + QStringLiteral("TEMP/");
    listPanel_->setDirectory(state_.CardDir);

    const QString config = p + QStringLiteral("config.ini");
    if (QFileInfo::exists(config)) {
        readConfigFile(config);
    } else {
        state_.AutoSave = true;
        state_.TableTabKey = true;
        editor_->setTabKeyOption(true);
        applyBackColor(AppState::DefaultBackColor);
    }
    readLayoutFiles();
    const QString font = p + QStringLiteral("font.ini");
    if (QFileInfo::exists(font)) {
        centreOnDesktop_ = false;
        readFontFile(font);
    }
    placeWelcomeArea();
    card_->closeCard();
    setAcceptDrops(true);
}

void TForm1::readConfigFile(const QString& path) {
    // The values a damaged file leaves unread: the window's designed white,
    // asking before unsaved changes are saved, TAB leaving the table.
    state_.BackColor = kDesignedBackColor;
    state_.AutoSave = false;
    state_.TableTabKey = false;
    editor_->setTabKeyOption(false);
    configfiles::readConfigFile(
        path, {.titles = [this](const QStringList& titles) { editor_->setTitleCaptions(titles); },
               .backColor = [this](qint32 color) { applyBackColor(color); },
               .autoSave = [this](bool on) { state_.AutoSave = on; },
               .tableTabKey =
                   [this](bool on) {
                       state_.TableTabKey = on;
                       editor_->setTabKeyOption(on);
                   },
               .navigationKeysOff =
                   [this] {
                       state_.NavigationKeys = false;
                       setNavigationKeys(false);
                   },
               .toolbarCaptionsOff =
                   [this] {
                       state_.ToolbarCaptions = false;
                       CompactToolbar();
                   }});
}

void TForm1::readLayoutFiles() {
    const QString& p = state_.programDir;
    const QString columns = p + QStringLiteral("colw.ini");
    if (QFileInfo::exists(columns))
        layoutfiles::readColumnWidths(
            columns, [this](int column, int width) { editor_->setColumnWidth(column, width); });
    const QString bands = p + QStringLiteral("cbar.ini");
    if (QFileInfo::exists(bands))
        layoutfiles::readBandLefts(bands, toolBar_->bandCount(), [this](int band, int left) {
            toolBar_->setBandLeft(band, left);
        });
    const QString placement = p + QStringLiteral("winpos.ini");
    if (QFileInfo::exists(placement)) {
        centreOnDesktop_ = false;
        layoutfiles::readWindowPlacement(
            placement, [this](int left) { move(left, y()); }, [this](int top) { move(x(), top); },
            [this](bool maximized) {
                if (maximized)
                    setWindowState(windowState() | Qt::WindowMaximized);
            });
    }
}

void TForm1::readFontFile(const QString& path) {
    configfiles::readFontFile(
        path, mainFont_, mainFontColor_,
        [this](const QFont& font, qint32 color) { applyMainFont(font, color); });
}

void TForm1::SpeedButton5Click() {
    card_->offerToSaveBeforeExit();
    writeLayoutFiles();
    workdir::ClearWorkDir(state_.WorkDir);
    processEnded_ = true;
    endProcess_(0);
}

void TForm1::writeLayoutFiles() {
    const QString& p = state_.programDir;
    layoutfiles::writeColumnWidths(p + QStringLiteral("colw.ini"), editor_->columnWidths());
    QList<int> lefts;
    for (int band = 0; band < toolBar_->bandCount(); ++band)
        lefts << toolBar_->bandLeft(band);
    layoutfiles::writeBandLefts(p + QStringLiteral("cbar.ini"), lefts);
    layoutfiles::writeWindowPlacement(p + QStringLiteral("winpos.ini"), x(), y(), isMaximized());
}

void TForm1::centreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    move(desktop.x() + (desktop.width() - width()) / 2,
         desktop.y() + (desktop.height() - height()) / 2);
}
