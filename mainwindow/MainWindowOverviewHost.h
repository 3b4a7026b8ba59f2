#pragma once

#include "overview/OverviewHost.h"

class Prompts;
class TForm1;

// The overview's view of the main window: the card list `List` with its open
// action `ListDblClick`, the window, and word of the card list's changes and
// of the open card's saves.
class MainWindowOverviewHost : public OverviewHost {
    Q_OBJECT
public:
    explicit MainWindowOverviewHost(TForm1& form1);

    QStringList cardEntries() const override;
    void openCard(const QString& fileName) override;
    void bringToFront() override;
    AppState& appState() override;

private:
    TForm1& form1_;
};

// The main window's "Přehled karet…" command (F6): shows the overview window,
// which lives as long as the main window.
class OverviewCommands : public QObject {
    Q_OBJECT
public:
    OverviewCommands(TForm1& form1, Prompts& prompts);

private:
    TForm1& form1_;
};
