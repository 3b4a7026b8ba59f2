#include "mainwindow/AccessibleNames.h"

#include "mainwindow/CardList.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "mainwindow/PictureBox.h"
#include "mainwindow/TForm1.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QToolButton>

namespace {

// The picture box draws its picture itself; without this a screen reader sees
// a nameless pane, or nothing.
QAccessibleInterface* PictureAccessibility(const QString& className, QObject* object) {
    if (className == QLatin1String(PictureBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

} // namespace

void NameMainWindowControls(TForm1& form) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(PictureAccessibility);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    const std::initializer_list<std::pair<QWidget*, const char*>> names = {
        {form.SpeedButton4, "Nový soubor"},
        {form.SpeedButton6, "Odstranit soubor"},
        {form.Edit2, "Rychlé hledání"},
        {form.SpeedButton14, "Hledat"},
        {form.SpeedButton13, "Pokročilé vyhledávání"},
        {form.SpeedButton11, "Tisknout kartu"},
        {form.SpeedButton3, "Uložit soubor"},
        {form.SpeedButton12, "Vrátit změny"},
        {form.SpeedButton1, "Přidat řádek"},
        {form.SpeedButton2, "Odebrat řádek"},
        {form.SpeedButton10, "Nápověda"},
        {form.SpeedButton5, "Konec"},
        {form.SpeedButton8, "Předchozí karta"},
        {form.SpeedButton9, "Další karta"},
        {form.List, "Seznam karet"},
        {form.ListB, "Tabulka karty"},
        {form.Memo1, "Poznámky"},
        {form.Image1, "Obrázek karty"},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(QString::fromUtf8(name));
    form.Image1->setAccessibleDescription(QStringLiteral("Karta nemá obrázek."));
    // The notes take no Tab characters: Tab goes on to the next control.
    form.Memo1->setTabChangesFocus(true);
}
