#include "widgets/ColorBox.h"

#include "core/StoredColor.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColor {
    const char16_t* name;
    qint32 value;
};

// Stored values are 0x00BBGGRR.
constexpr NamedColor kStandardColors[] = {
    {u"Černá", 0x000000},       {u"Kaštanová", 0x000080},  {u"Zelená", 0x008000},
    {u"Olivová", 0x008080},     {u"Námořnická", 0x800000}, {u"Purpurová", 0x800080},
    {u"Modrozelená", 0x808000}, {u"Šedá", 0x808080},       {u"Stříbrná", 0xC0C0C0},
    {u"Červená", 0x0000FF},     {u"Limetková", 0x00FF00},  {u"Žlutá", 0x00FFFF},
    {u"Modrá", 0xFF0000},       {u"Fuchsiová", 0xFF00FF},  {u"Azurová", 0xFFFF00},
    {u"Bílá", 0xFFFFFF},
};

constexpr NamedColor kExtendedColors[] = {
    {u"Mentolová", 0xC0DCC0},     // money green, 12639424
    {u"Nebeská modrá", 0xF0CAA6}, // sky blue
    {u"Krémová", 0xF0FBFF},
    {u"Středně šedá", 0xA4A0A0},
};

struct NamedSystemColor {
    const char16_t* name;
    int index;
};

constexpr NamedSystemColor kSystemColors[] = {
    {u"Posuvník", 0},
    {u"Plocha", 1},
    {u"Titulek aktivního okna", 2},
    {u"Titulek neaktivního okna", 3},
    {u"Nabídka", 4},
    {u"Okno", 5},
    {u"Rámeček okna", 6},
    {u"Text nabídky", 7},
    {u"Text okna", 8},
    {u"Text titulku", 9},
    {u"Okraj aktivního okna", 10},
    {u"Okraj neaktivního okna", 11},
    {u"Pracovní plocha aplikace", 12},
    {u"Zvýraznění", 13},
    {u"Zvýrazněný text", 14},
    {u"Povrch tlačítka", 15},
    {u"Stín tlačítka", 16},
    {u"Nedostupný text", 17},
    {u"Text tlačítka", 18},
    {u"Text neaktivního titulku", 19},
    {u"Světlo tlačítka", 20},
    {u"Tmavý stín 3D", 21},
    {u"Světlo 3D", 22},
    {u"Text bublinové nápovědy", 23},
    {u"Pozadí bublinové nápovědy", 24},
    {u"Aktivní odkaz", 26},
    {u"Přechod aktivního titulku", 27},
    {u"Přechod neaktivního titulku", 28},
    {u"Zvýraznění nabídky", 29},
    {u"Pruh nabídky", 30},
};

const QString kCustomName = QStringLiteral("Vlastní…");

QIcon swatch(qint32 value) {
    QPixmap pixmap(16, 12);
    pixmap.fill(storedcolor::colorFromStored(value));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(16);
    addColorEntry(kCustomName, 0xFFFFFF);
    for (const NamedColor& color : kStandardColors)
        addColorEntry(QString::fromUtf16(color.name), color.value);
    for (const NamedColor& color : kExtendedColors)
        addColorEntry(QString::fromUtf16(color.name), color.value);
    for (const NamedSystemColor& color : kSystemColors)
        addColorEntry(QString::fromUtf16(color.name), storedcolor::systemColor(color.index));
    setSelected(0x000000);
    connect(this, &QComboBox::activated, this, &ColorBox::onActivated);
}

void ColorBox::addColorEntry(const QString& name, qint32 value) {
    addItem(swatch(value), name, value);
}

qint32 ColorBox::selected() const {
    return currentData().value<qint32>();
}

void ColorBox::setSelected(qint32 value) {
    for (int index = kCustomIndex + 1; index < count(); ++index) {
        if (itemData(index).value<qint32>() == value) {
            setCurrentIndex(index);
            confirmedIndex_ = index;
            return;
        }
    }
    setCustomValue(value);
    setCurrentIndex(kCustomIndex);
    confirmedIndex_ = kCustomIndex;
}

void ColorBox::setCustomValue(qint32 value) {
    setItemData(kCustomIndex, value);
    setItemIcon(kCustomIndex, swatch(value));
}

// Picking the custom entry asks for the colour; cancelling returns to the
// entry selected before.
void ColorBox::onActivated(int index) {
    if (index == kCustomIndex) {
        const QColor initial = storedcolor::colorFromStored(itemData(kCustomIndex).value<qint32>());
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) {
            setCurrentIndex(confirmedIndex_);
            return;
        }
        setCustomValue(storedcolor::storedFromColor(chosen));
    }
    confirmedIndex_ = index;
}
