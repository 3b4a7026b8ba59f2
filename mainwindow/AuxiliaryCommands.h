#pragma once

class Prompts;
class TAboutForm;
class TForm1;
struct AppState;

// The commands that leave the cards alone: the about dialog, the project's web
// pages, the help and the update check. Binds them to the main window's actions
// and links.
class AuxiliaryCommands {
public:
    AuxiliaryCommands(TForm1& form, AppState& state, Prompts& prompts, TAboutForm& aboutForm);

    void About1Click();
    void Label5Click();
    void Label8Click();
    void Npovda1Click();
    void Zkontrolovataktualizace1Click();

private:
    AppState& state_;
    Prompts& prompts_;
    TAboutForm& aboutForm_;
};
