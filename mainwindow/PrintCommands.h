#pragma once

class CardExports;
class TForm1;
class TPrintForm;

// Binds the commands of the menu "Tisk": to the print dialog "Vybraný soubor"
// (F5, also the tool button "Tisknout"), "Seznam všech" and "Nastavení tisku";
// to the exports the two PDF files and the CSV file.
void BindPrintCommands(TForm1& form1, TPrintForm& printForm, CardExports& exports);
