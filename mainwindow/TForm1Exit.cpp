#include "mainwindow/TForm1.h"

#include "core/OpenCard.h"

#include "core/LayoutFiles.h"
#include "mainwindow/BandBar.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/AppState.h"
#include "storage/WorkDir.h"

#include <QFileInfo>

void TForm1::SpeedButton5Click() {
    card_->OfferToSaveBeforeExit();
    WriteLayoutFiles();
    ClearWorkDir(state_.WorkDir);
    processEnded_ = true;
    endProcess_(0);
}

void TForm1::WriteLayoutFiles() {
    const QString& p = state_.programDir;
    QList<int> widths;
    for (int column = 0; column < ListB->ColCount(); ++column)
        widths << ListB->ColWidth(column);
    layoutfiles::WriteColumnWidths(p + QStringLiteral("colw.ini"), widths);

    QList<int> lefts;
    for (int band = 0; band < CBar->BandCount(); ++band)
        lefts << CBar->BandLeft(band);
    layoutfiles::WriteBandLefts(p + QStringLiteral("cbar.ini"), lefts);

    layoutfiles::WriteWindowPlacement(p + QStringLiteral("winpos.ini"), x(), y(), isMaximized());
}
