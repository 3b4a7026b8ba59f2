#include "mainwindow/TForm1.h"

#include "core/OpenCard.h"

#include "core/ConfigFiles.h"
#include "core/LayoutFiles.h"
#include "core/Prompts.h"
#include "core/WebSite.h"
#include "mainwindow/BandBar.h"
#include "mainwindow/CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/AppError.h"
#include "storage/AppState.h"
#include "storage/StaleTemporaryCards.h"
#include "storage/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>
#include <cerrno>
#include <cstring>

namespace {

constexpr qint32 DesignedBackColor = 0x00FFFFFF;

// Creates one directory level when it is missing.
void MakeDirectory(const QString& path) {
    if (QFileInfo(path).isDir())
        return;
    if (!QDir().mkdir(path))
        throw AppError(
            QStringLiteral("Nelze vytvořit složku %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace

bool TForm1::LibraryIsPresent() {
    return QFileInfo(state_.libraryPath()).isFile();
}

void TForm1::FormCreate() {
    const QString& p = state_.programDir;
    if (!LibraryIsPresent()) {
        prompts_.message(
            QStringLiteral("Nebyla nalezena kihovna \"7z.so\", která je potřeba pro spuštění "
                           "Pelvarin Kartotéky.\n\rStáhněte prosím Kartotéku znovu z ") +
            kWebSite);
        processEnded_ = true;
        endProcess_(0);
        return;
    }
    MakeDirectory(p + QStringLiteral("FILES/"));
    Panel3->setFixedWidth(SpeedButton1->width() + SpeedButton2->width() + 4);
    state_.CardDir = p + QStringLiteral("FILES/");
    RemoveStaleTemporaryCards(state_.CardDir);
    MakeDirectory(p + QStringLiteral("TEMP/"));
    state_.WorkDir = p + QStringLiteral("TEMP/");
    List->SetDirectory(state_.CardDir, QStringLiteral("*.krt"));
    Edit1->setEnabled(false);
    Edit1->menuAction()->setEnabled(false);

    const QString config = p + QStringLiteral("config.ini");
    if (QFileInfo::exists(config)) {
        ReadConfigFile(config);
    } else {
        state_.AutoSave = true;
        state_.TableTabKey = true;
        ListB->SetTabKeyOption(true);
        ApplyBackColor(AppState::DefaultBackColor);
    }
    ReadLayoutFiles();
    const QString font = p + QStringLiteral("font.ini");
    if (QFileInfo::exists(font)) {
        centreOnDesktop_ = false;
        ReadFontFile(font);
    }
    PlaceWelcomeLabels();
    card_->CloseCard();
    setAcceptDrops(true);
}

void TForm1::ReadConfigFile(const QString& path) {
    // The values a damaged file leaves unread: the window's designed white,
    // asking before unsaved changes are saved, TAB leaving the table.
    state_.BackColor = DesignedBackColor;
    state_.AutoSave = false;
    state_.TableTabKey = false;
    ListB->SetTabKeyOption(false);
    ::ReadConfigFile(
        path, {.titles = [this](const QStringList& titles) { ListB->SetTitleCaptions(titles); },
               .backColor = [this](qint32 color) { ApplyBackColor(color); },
               .autoSave = [this](bool on) { state_.AutoSave = on; },
               .tableTabKey =
                   [this](bool on) {
                       state_.TableTabKey = on;
                       ListB->SetTabKeyOption(on);
                   },
               .navigationKeysOff =
                   [this] {
                       state_.NavigationKeys = false;
                       SetNavigationKeys(false);
                   },
               .toolbarCaptionsOff =
                   [this] {
                       state_.ToolbarCaptions = false;
                       CompactToolbar();
                   }});
}

void TForm1::ReadLayoutFiles() {
    const QString& p = state_.programDir;
    const QString columns = p + QStringLiteral("colw.ini");
    if (QFileInfo::exists(columns))
        layoutfiles::ReadColumnWidths(
            columns, [this](int column, int width) { ListB->SetColWidth(column, width); });
    const QString bands = p + QStringLiteral("cbar.ini");
    if (QFileInfo::exists(bands))
        layoutfiles::ReadBandLefts(bands, CBar->BandCount(),
                                   [this](int band, int left) { CBar->SetBandLeft(band, left); });
    const QString placement = p + QStringLiteral("winpos.ini");
    if (QFileInfo::exists(placement)) {
        centreOnDesktop_ = false;
        layoutfiles::ReadWindowPlacement(
            placement, [this](int left) { move(left, y()); }, [this](int top) { move(x(), top); },
            [this](bool maximized) {
                if (maximized)
                    setWindowState(windowState() | Qt::WindowMaximized);
            });
    }
}

void TForm1::ReadFontFile(const QString& path) {
    ::ReadFontFile(path, mainFont_, mainFontColor_,
                   [this](const QFont& font, qint32 color) { ApplyMainFont(font, color); });
}
