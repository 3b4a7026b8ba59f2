#include "core/StoredColor.h"
#include "mainwindow/Application.h"
#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/TForm1.h"
#include "settings/MouseUpCheckBox.h"
#include "settings/TSetForm.h"
#include "storage/AppState.h"
#include "tests/support/AppFixture.h"
#include "tests/support/PretendedPrinters.h"
#include "tests/support/SettingsFiles.h"
#include "widgets/ColorBox.h"
#include "widgets/InstalledPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

using settingsfiles::DesignedFontFile;
using settingsfiles::WorkedConfig;

// Opens the settings dialog from the main menu and runs step while it is
// shown modally. True when the dialog was still open after step (it is then
// closed, so that the test goes on).
bool WithSettingsDialog(TForm1& form, const std::function<void(TSetForm&)>& step) {
    bool stillOpen = false;
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<TSetForm*>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            return;
        }
        ran = true;
        step(*dialog);
        stillOpen = dialog->isVisible();
        if (stillOpen)
            dialog->reject();
    });
    commandsOf(form).trigger(Command::Settings);
    if (!ran)
        qWarning("the settings dialog was not shown modally");
    return ran && stillOpen;
}

QList<QCheckBox*> Boxes(TSetForm& dialog) {
    return {dialog.CheckBox1, dialog.CheckBox2, dialog.CheckBox3, dialog.CheckBox5};
}

bool NavigationShortcutsPresent(const TForm1& form) {
    for (const QAction* action :
         {control<QAction>(form, "Pejtnaprvn1"), control<QAction>(form, "Pejtnaposledn1"),
          control<QAction>(form, "Dal1"), control<QAction>(form, "Pedchoz1")})
        if (action->shortcut().isEmpty())
            return false;
    return true;
}

} // namespace

class TestSettingsMainWindow : public QObject {
    Q_OBJECT

private slots:
    void workedExampleThroughTheWindow() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        program.form().show();
        QStringList shownTitles;
        QList<bool> shownBoxes;
        const bool stillOpen = WithSettingsDialog(program.form(), [&](TSetForm& dialog) {
            shownTitles = {dialog.NadpisEdit1->text(), dialog.NadpisEdit2->text()};
            for (QCheckBox* box : Boxes(dialog))
                shownBoxes << box->isChecked();
            dialog.ColorBox1->setSelected(12639424);
            QTest::mouseClick(dialog.SpeedButton4, Qt::LeftButton);
        });
        QVERIFY(!stillOpen);
        QCOMPARE(shownTitles, (QStringList{u"Předmět"_qs, u"Hodnota"_qs}));
        QCOMPARE(shownBoxes, (QList<bool>{true, true, true, true}));
        QVERIFY(program.prompts.allShown().isEmpty());
        QCOMPARE(dir.readFile(u"config.ini"_qs), WorkedConfig);
        QCOMPARE(dir.readFile(u"font.ini"_qs), DesignedFontFile);
        QCOMPARE(program.application.state().BackColor, 12639424);
    }

    void settingComesBackAtTheNextStart_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<qint32>("color");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<qint32>("fontColor");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("fontFile");

        QFont boldUnderlined(u"DejaVu Serif"_qs, 12);
        boldUnderlined.setBold(true);
        boldUnderlined.setUnderline(true);
        QTest::newRow("boxes unticked, bold underlined font")
            << u"Věc"_qs << u"Cena"_qs << qint32(0x0000FF) << false << boldUnderlined
            << qint32(0x008000) << QStringList{u"Věc"_qs, u"Cena"_qs}
            << "V\xEC"
               "c;Cena\r\n255\r\n0\r\n0\r\n0\r\n0\r\n"_qba
            << "12\r\nDejaVu Serif\r\n32768\r\nTFTF\r\n"_qba;

        QFont italicStruck(u"DejaVu Sans"_qs, 9);
        italicStruck.setItalic(true);
        italicStruck.setStrikeOut(true);
        QTest::newRow("boxes ticked, system colour, title with a blank")
            << u"Moje pole"_qs << u"Hodnota"_qs << kButtonFaceColor << true << italicStruck
            << kWindowTextColor << QStringList{u"Moje"_qs, u"pole"_qs, u"Hodnota"_qs}
            << "Moje pole;Hodnota\r\n-16777201\r\n1\r\n1\r\n1\r\n1\r\n"_qba
            << "9\r\nDejaVu Sans\r\n-16777208\r\nFTFT\r\n"_qba;
    }
    void settingComesBackAtTheNextStart() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(qint32, color);
        QFETCH(bool, ticked);
        QFETCH(QFont, font);
        QFETCH(qint32, fontColor);
        QFETCH(QStringList, titles);
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, fontFile);
        TestProgramDir dir;
        {
            AppFixture program(dir);
            QVERIFY(program.started);
            program.form().show();
            program.prompts.fontAnswers.enqueue(font);
            program.prompts.fontColorAnswers.enqueue(fontColor);
            WithSettingsDialog(program.form(), [&](TSetForm& dialog) {
                dialog.NadpisEdit1->setText(first);
                dialog.NadpisEdit2->setText(second);
                dialog.ColorBox1->setSelected(color);
                for (QCheckBox* box : Boxes(dialog))
                    box->setChecked(ticked);
                QTest::mouseClick(dialog.SpeedButton2, Qt::LeftButton);
                QTest::mouseClick(dialog.SpeedButton4, Qt::LeftButton);
            });
            QVERIFY(program.prompts.allShown().isEmpty());
            QCOMPARE(dir.readFile(u"config.ini"_qs), config);
            QCOMPARE(dir.readFile(u"font.ini"_qs), fontFile);
            // Compacted at once; the shortcuts stay until the next start.
            QCOMPARE(control<QToolButton>(program.form(), "SpeedButton12")->isHidden(), ticked);
            QVERIFY(NavigationShortcutsPresent(program.form()));
        }

        AppFixture next(dir);
        QVERIFY(next.started);
        next.form().show();
        TForm1& form = next.form();
        const AppState& state = next.application.state();
        QCOMPARE(control<KeyValueGrid>(form, "ListB")->TitleCaptions(), titles);
        QCOMPARE(state.BackColor, color);
        QCOMPARE(form.centralWidget()->palette().color(QPalette::Window),
                 storedcolor::colorFromStored(color));
        QCOMPARE(state.AutoSave, ticked);
        QCOMPARE(state.TableTabKey, ticked);
        QCOMPARE(control<KeyValueGrid>(form, "ListB")->tabKeyOption(), ticked);
        QCOMPARE(NavigationShortcutsPresent(form), ticked);
        QCOMPARE(control<QToolButton>(form, "SpeedButton12")->isHidden(), ticked);
        QCOMPARE(control<QToolButton>(form, "SpeedButton3")->text().isEmpty(), !ticked);
        const MainFont stored = form.mainFont();
        QCOMPARE(stored.font.family(), font.family());
        QCOMPARE(stored.font.pointSize(), font.pointSize());
        QCOMPARE(stored.font.bold(), font.bold());
        QCOMPARE(stored.font.italic(), font.italic());
        QCOMPARE(stored.font.underline(), font.underline());
        QCOMPARE(stored.font.strikeOut(), font.strikeOut());
        QCOMPARE(stored.color, fontColor);

        // The dialog shows what was read back.
        QStringList shownTitles;
        qint32 shownColor = 0;
        QList<bool> shownBoxes;
        MainFont shownFont;
        WithSettingsDialog(form, [&](TSetForm& dialog) {
            shownTitles = {dialog.NadpisEdit1->text(), dialog.NadpisEdit2->text()};
            shownColor = dialog.ColorBox1->selected();
            for (QCheckBox* box : Boxes(dialog))
                shownBoxes << box->isChecked();
            shownFont = dialog.FontDlg1;
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(shownTitles, titles.mid(0, 2));
        QCOMPARE(shownColor, color);
        QCOMPARE(shownBoxes, QList<bool>(4, ticked));
        QCOMPARE(shownFont.font, stored.font);
        QCOMPARE(shownFont.color, fontColor);
    }

    void escapeAndEnterThroughTheWindow_data() {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("applied");
        QTest::newRow("Esc") << Qt::Key_Escape << false;
        QTest::newRow("Enter") << Qt::Key_Return << true;
    }
    void escapeAndEnterThroughTheWindow() {
        QFETCH(Qt::Key, key);
        QFETCH(bool, applied);
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        program.form().show();
        const bool stillOpen = WithSettingsDialog(program.form(), [&](TSetForm& dialog) {
            dialog.NadpisEdit1->setText(u"Jiný"_qs);
            dialog.ColorBox1->setSelected(0x0000FF);
            QTest::keyClick(dialog.NadpisEdit1, key);
        });
        QVERIFY(!stillOpen);
        const QStringList titles = control<KeyValueGrid>(program.form(), "ListB")->TitleCaptions();
        QCOMPARE(titles.first(), applied ? u"Jiný"_qs : u"Předmět"_qs);
        QCOMPARE(program.application.state().BackColor, applied ? 0x0000FF : 14732990);
        QCOMPARE(QFileInfo::exists(dir.filePath(u"config.ini"_qs)), applied);
        QCOMPARE(QFileInfo::exists(dir.filePath(u"font.ini"_qs)), applied);
    }

    void colourRecoloursTheWindowAndTheOpenDialogsAtOnce() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        program.form().show();
        Application& application = program.application;
        const QList<QDialog*> others = {
            dialog<TAboutForm>(application), dialog<TAddForm>(application),
            dialog<TDelForm>(application), dialog<TFindForm>(application)};
        for (QDialog* dialog : others)
            dialog->show();
        TForm1& form = program.form();
        const QColor red(255, 0, 0);
        QList<QColor> seen;
        WithSettingsDialog(form, [&](TSetForm& dialog) {
            dialog.ColorBox1->setSelected(0x0000FF);
            QTest::mouseClick(dialog.SpeedButton4, Qt::LeftButton);
            for (QWidget* surface :
                 {form.centralWidget(), control<QWidget>(form, "Panel1"),
                  control<QWidget>(form, "Panel2"), control<QWidget>(form, "Panel3"),
                  static_cast<QWidget*>(&dialog)})
                seen << surface->palette().color(QPalette::Window);
            for (QDialog* other : others)
                seen << other->palette().color(QPalette::Window);
        });
        QCOMPARE(seen, QList<QColor>(9, red));
        for (QWidget* surface :
             {form.centralWidget(), control<QWidget>(form, "Panel1"),
              control<QWidget>(form, "Panel2"), control<QWidget>(form, "Panel3")})
            QVERIFY(surface->autoFillBackground());
        // The bands without the colour keep the bar's button face.
        QVERIFY(control<QWidget>(form, "Panel4")->palette().color(QPalette::Window) != red);
    }

    void unwritableConfigShowsTheErrorAndKeepsTheDialogOpen() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        program.form().show();
        QVERIFY(QDir().mkpath(dir.filePath(u"config.ini"_qs)));
        QStringList errorsWhileOpen;
        const bool stillOpen = WithSettingsDialog(program.form(), [&](TSetForm& dialog) {
            dialog.NadpisEdit1->setText(u"Nový"_qs);
            QTest::mouseClick(dialog.SpeedButton4, Qt::LeftButton);
            errorsWhileOpen = program.prompts.errors;
        });
        QVERIFY(stillOpen);
        QCOMPARE(errorsWhileOpen.size(), 1);
        QVERIFY(!errorsWhileOpen.first().isEmpty());
        // The titles were applied before the write failed; the font file was not reached.
        QCOMPARE(control<KeyValueGrid>(program.form(), "ListB")->TitleCaptions().first(),
                 u"Nový"_qs);
        QVERIFY(!QFileInfo::exists(dir.filePath(u"font.ini"_qs)));
    }

    void printerButtonSetsUpTheWindowsPrinter() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        program.form().show();
        pretendPrinters({u"KartotekaPDF"_qs});
        bool modal = false;
        const bool stillOpen = WithSettingsDialog(program.form(), [&](TSetForm& dialog) {
            modal = dialog.isModal();
            QTest::mouseClick(dialog.SpeedButton5, Qt::LeftButton);
        });
        stopPretendingPrinters();
        QVERIFY(modal);
        QVERIFY(stillOpen);
        QCOMPARE(program.prompts.printerSetUps, QList<QPrinter*>{&program.form().printer()});
    }
};

QTEST_MAIN(TestSettingsMainWindow)
#include "tst_settings_mainwindow.moc"
