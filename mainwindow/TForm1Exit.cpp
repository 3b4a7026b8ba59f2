#include "mainwindow/TForm1.h"

#include "mainwindow/BandBar.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/LayoutFiles.h"
#include "storage/AppState.h"
#include "storage/WorkDir.h"

#include <QFileInfo>

void TForm1::SpeedButton5Click() {
    const QString fileName = QFileInfo(state_.CurrentCardPath).fileName();
    state_.CurrentCardName = fileName.left(qMax<qsizetype>(0, fileName.size() - 4));
    OfferToSaveChanges();
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
