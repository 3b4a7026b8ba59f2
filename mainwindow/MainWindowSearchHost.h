#pragma once

#include "search/SearchHost.h"

class TForm1;

// The search's view of the main window: the card list `List` with its open
// action `ListDblClick`, the quick-search box `Edit2` and the paths of the
// shared state.
class MainWindowSearchHost : public SearchHost {
public:
    explicit MainWindowSearchHost(TForm1& form1);

    QStringList cardEntries() const override;
    void selectCardRow(int row) override;
    void openSelectedCard() override;
    QString programDir() const override;
    QString cardDir() const override;
    QString libraryPath() const override;
    QString quickSearchText() const override;
    void setQuickSearchText(const QString& text) override;
    QWidget& quickSearchField() const override;

private:
    TForm1& form1_;
};
