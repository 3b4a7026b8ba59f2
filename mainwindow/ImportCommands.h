#pragma once

#include <QObject>

class TForm1;

// "Soubor → Importovat z CSV…" (Importovatzcsv1): asks for a CSV file, shows
// the preview "Import z CSV" and makes the new cards; the card list reads the
// folder again once, at the end. Lives as a child of the main window.
class ImportCommands : public QObject {
    Q_OBJECT
public:
    explicit ImportCommands(TForm1& form1);

    void Importovatzcsv1Click();

private:
    TForm1& form1_;
};
