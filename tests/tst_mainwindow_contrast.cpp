#include "core/ReadableText.h"
#include "core/StoredColor.h"
#include "tests/support/AppFixture.h"
#include "tests/support/PretendedPrinters.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

namespace {

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    return dark;
}

// The contrast between the background of a drawn text and its strongest
// pixel: the most common colour of the area is its background.
double DrawnContrast(const QImage& area) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            ++counts[area.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            background = it.key();
        }
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, readabletext::contrastRatio(QColor(background), QColor(it.key())));
    return best;
}

// The part of window's picture that shows widget's text.
QImage TextArea(const QImage& window, QWidget& top, QWidget& widget) {
    QRect area(widget.mapTo(&top, QPoint(0, 0)), widget.size());
    if (auto* button = qobject_cast<QAbstractButton*>(&widget);
        button && (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))) {
        // Leave out the indicator, which is drawn in the field colours.
        const int indicator = widget.style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6;
        area.setLeft(area.left() + indicator);
    }
    const qreal scale = window.devicePixelRatio();
    return window.copy(QRect(area.topLeft() * scale, area.size() * scale));
}

} // namespace

// Under a dark desktop palette the text on the program's light background
// colour is drawn dark enough to read: at least 4.5 : 1.
class TestContrast : public QObject {
    Q_OBJECT

    // Every visible text of top drawn on the background colour: labels, check
    // boxes, radio buttons and the flat tool buttons; link labels keep their
    // link colour.
    void checkTexts(QWidget& top, const QString& name) {
        top.resize(top.size());
        const QImage window = top.grab().toImage();
        if (const QByteArray shots = qgetenv("KARTOTEKA_SHOT_DIR"); !shots.isEmpty())
            window.save(
                QDir(QString::fromLocal8Bit(shots)).filePath(name + QStringLiteral(".png")));
        int checked = 0;
        for (QWidget* widget : top.findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&top) || widget->inherits("LinkLabel"))
                continue;
            QString text;
            if (auto* label = qobject_cast<QLabel*>(widget); label && label->pixmap().isNull())
                text = label->text();
            else if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
                text = static_cast<QAbstractButton*>(widget)->text();
            else if (auto* flat = qobject_cast<QToolButton*>(widget); flat && flat->autoRaise())
                text = flat->text(); // raised buttons bring their own face
            if (text.trimmed().isEmpty() || widget->width() < 4 || widget->height() < 4)
                continue;
            const double contrast = DrawnContrast(TextArea(window, top, *widget));
            QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: \"%2\" has contrast %3")
                                                     .arg(name, text)
                                                     .arg(contrast, 0, 'f', 2)));
            ++checked;
        }
        QVERIFY2(checked > 0, qPrintable(name));
    }

private slots:
    void initTestCase() { QApplication::setPalette(DarkPalette()); }

    void everyWindowIsReadableUnderADarkPalette() {
        pretendPrinters({});
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        checkTexts(program.form(), QStringLiteral("mainwindow"));
        checkTexts(*dialog<TSetForm>(program.application), QStringLiteral("settings"));
        checkTexts(*dialog<TAddForm>(program.application), QStringLiteral("newcard"));
        checkTexts(*dialog<TDelForm>(program.application), QStringLiteral("delete"));
        checkTexts(*dialog<TFindForm>(program.application), QStringLiteral("search"));
        checkTexts(*dialog<TAboutForm>(program.application), QStringLiteral("about"));
        stopPretendingPrinters();
    }

    void chosenFontColourIsKept() {
        TestProgramDir dir;
        AppFixture program(dir);
        const QColor chosen(0xee, 0xee, 0x00); // hardly readable, but the user's choice
        program.form().applyMainFont(program.form().font(), storedcolor::storedFromColor(chosen));
        QCOMPARE(control<QLabel>(program.form(), "Label2")->palette().color(QPalette::WindowText),
                 chosen);
    }

    // On the coloured bands a button that cannot be used is dimmed, yet
    // legible; one that can takes the readable colour.
    void disabledButtonsOnColouredBandsLookDisabled() {
        TestProgramDir dir;
        AppFixture program(dir);
        const auto* deleteButton = control<QToolButton>(program.form(), "SpeedButton6");
        const auto* newButton = control<QToolButton>(program.form(), "SpeedButton4");
        QVERIFY(!deleteButton->isEnabled());
        QVERIFY(newButton->isEnabled());
        const QColor band = storedcolor::colorFromStored(program.state().BackColor);
        const QColor enabled = newButton->palette().color(QPalette::Active, QPalette::ButtonText);
        const QColor disabled =
            deleteButton->palette().color(QPalette::Disabled, QPalette::ButtonText);
        QCOMPARE(enabled, readabletext::readableTextColor(
                              band, QGuiApplication::palette().color(QPalette::Active,
                                                                     QPalette::ButtonText)));
        QVERIFY(readabletext::contrastRatio(disabled, band) <
                readabletext::contrastRatio(enabled, band) - 1);
        QVERIFY(readabletext::contrastRatio(disabled, band) >= 4.5);
    }

    void readableColourRule() {
        const QColor light(0xbe, 0xce, 0xe0);
        QCOMPARE(readabletext::readableTextColor(light, QColor(Qt::white)), QColor(Qt::black));
        QCOMPARE(readabletext::readableTextColor(QColor(0x20, 0x20, 0x20), QColor(Qt::black)),
                 QColor(Qt::white));
        QCOMPARE(readabletext::readableTextColor(light, QColor(0x00, 0x00, 0x80)),
                 QColor(0x00, 0x00, 0x80));
        QVERIFY(qAbs(readabletext::contrastRatio(Qt::black, Qt::white) - 21.0) < 1e-9);
    }
};

QTEST_MAIN(TestContrast)
#include "tst_mainwindow_contrast.moc"
