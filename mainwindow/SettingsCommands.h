#pragma once

#include <QObject>

class TSetForm;
class TForm1;

// The main window's "Nastavení" command (Language1): the settings dialog,
// shown modally. Lives as a child of the main window.
class SettingsCommands : public QObject {
    Q_OBJECT
public:
    SettingsCommands(TForm1& form1, TSetForm& setForm);

    void Language1Click();

private:
    TForm1& form1_;
    TSetForm& setForm_;
};
