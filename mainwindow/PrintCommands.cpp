#include "mainwindow/PrintCommands.h"

#include "mainwindow/TForm1.h"
#include "print/TPrintForm.h"

void BindPrintCommands(TForm1& form1, TPrintForm& printForm) {
    form1.Bind(form1.Selecteditem1, [&printForm] { printForm.printOpenCard(); });
    form1.Bind(form1.Listofitems1, [&printForm] { printForm.printCardList(); });
    form1.Bind(form1.Printsettings1, [&printForm] { printForm.printerSetUp(); });
}
