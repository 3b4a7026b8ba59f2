#include "mainwindow/PrintCommands.h"

#include "mainwindow/TForm1.h"
#include "print/CardExports.h"
#include "print/TPrintForm.h"

void BindPrintCommands(TForm1& form1, TPrintForm& printForm, CardExports& exports) {
    form1.Bind(form1.Selecteditem1, [&printForm] { printForm.printOpenCard(); });
    form1.Bind(form1.Listofitems1, [&printForm] { printForm.printCardList(); });
    form1.Bind(form1.Kartadopdf1, [&exports] { exports.saveCardPdf(); });
    form1.Bind(form1.Seznamdopdf1, [&exports] { exports.saveListPdf(); });
    form1.Bind(form1.Exportdocsv1, [&exports] { exports.exportCsv(); });
    form1.Bind(form1.Printsettings1, [&printForm] { printForm.printerSetUp(); });
}
