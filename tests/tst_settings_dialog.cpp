#include "settings/MouseUpCheckBox.h"
#include "settings/SettingsTarget.h"
#include "settings/TSetForm.h"
#include "storage/AppState.h"
#include "tests/support/PretendedPrinters.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/SettingsFiles.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/UrlCatcher.h"
#include "widgets/ColorBox.h"
#include "widgets/FontColorDialog.h"
#include "widgets/InstalledPrinters.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

namespace {

// The main window as the settings dialog sees it, recording what it is told.
class FakeMainWindow : public SettingsTarget {
public:
    QStringList titles{u"Předmět"_qs, u"Hodnota"_qs};
    QList<qint32> backColors;
    QList<bool> tabOptions;
    bool shortcutsPresent = true;
    bool undoVisible = false;
    int compactions = 0;
    MainFont font = fonts::designedMainFont();
    int fontChanges = 0;
    QPrinter printerObject;

    QStringList titleCaptions() const override { return titles; }
    void setTitleCaptions(const QStringList& newTitles) override { titles = newTitles; }
    void applyBackColor(qint32 color) override { backColors << color; }
    void setTableTabOption(bool on) override { tabOptions << on; }
    bool navigationShortcutsPresent() const override { return shortcutsPresent; }
    bool undoButtonVisible() const override { return undoVisible; }
    void makeToolbarCompact() override {
        ++compactions;
        undoVisible = true;
    }
    MainFont mainFont() const override { return font; }
    void setMainFont(const MainFont& newFont) override {
        font = newFont;
        ++fontChanges;
    }
    QPrinter& printer() override { return printerObject; }
};

using settingsfiles::DesignedFontFile;
using settingsfiles::WorkedConfig;

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;
    AppState state_;
    ScriptedPrompts prompts_;
    std::unique_ptr<FakeMainWindow> fake_;
    std::unique_ptr<TSetForm> form_;

    QWidget* control(const QString& name) {
        if (name == u"dialog")
            return form_.get();
        return form_->findChild<QWidget*>(name);
    }
    QByteArray config() const { return dir_->readFile(u"config.ini"_qs); }
    QByteArray fontFile() const { return dir_->readFile(u"font.ini"_qs); }
    bool fileExists(const QString& name) const { return QFileInfo::exists(dir_->filePath(name)); }
    // Every setting that a box of the dialog stands for, switched off.
    void switchSettingsOff() {
        state_.AutoSave = false;
        state_.TableTabKey = false;
        fake_->shortcutsPresent = false;
        fake_->undoVisible = true;
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>(false);
        state_ = AppState();
        state_.programDir = dir_->path();
        prompts_ = ScriptedPrompts();
        fake_ = std::make_unique<FakeMainWindow>();
        form_ = std::make_unique<TSetForm>(state_, prompts_, *fake_);
    }
    void cleanup() { form_.reset(); }

    void formShowFillsFromSettings() {
        fake_->titles = {u"Věc"_qs, u"Cena"_qs, u"navíc"_qs};
        state_.BackColor = 12639424;
        form_->show();
        QCOMPARE(form_->NadpisEdit1->text(), u"Věc"_qs);
        QCOMPARE(form_->NadpisEdit2->text(), u"Cena"_qs);
        QCOMPARE(form_->ColorBox1->selected(), 12639424);
        QCOMPARE(form_->FontDlg1.font, fake_->font.font);
        QVERIFY(form_->CheckBox1->isChecked());
        QVERIFY(form_->CheckBox2->isChecked());
        QVERIFY(form_->CheckBox3->isChecked());
        QVERIFY(form_->CheckBox5->isChecked());
    }

    void formShowWithFewerTitles_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("first");
        QTest::newRow("one title") << QStringList{u"Jen"_qs} << u"Jen"_qs;
        QTest::newRow("no title") << QStringList{} << QString();
    }
    void formShowWithFewerTitles() {
        QFETCH(QStringList, titles);
        QFETCH(QString, first);
        fake_->titles = titles;
        form_->show();
        QCOMPARE(form_->NadpisEdit1->text(), first);
        QCOMPARE(form_->NadpisEdit2->text(), QString());
    }

    void formShowOnlyTicks() {
        form_->show();
        form_->SpeedButton3Click();
        switchSettingsOff();
        form_->show();
        for (QCheckBox* box : form_->findChildren<QCheckBox*>())
            QVERIFY2(box->isChecked(), qPrintable(box->objectName() + box->text()));
    }

    void formShowLeavesBoxesOffWhenSettingsAreOff() {
        switchSettingsOff();
        form_->show();
        for (QCheckBox* box : form_->findChildren<QCheckBox*>())
            QVERIFY(!box->isChecked());
    }

    // The dialog and every control that passes Enter and Esc to the dialog.
    static void controls_data(Qt::Key key) {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Qt::Key>("key");
        for (const char* name : {"dialog", "CheckBox1", "CheckBox2", "CheckBox3", "ColorBox1",
                                 "CheckBox5", "NadpisEdit1", "NadpisEdit2"})
            QTest::newRow(name) << QString::fromLatin1(name) << key;
    }

    void escapeClosesWithoutApplying_data() { controls_data(Qt::Key_Escape); }
    void escapeClosesWithoutApplying() {
        QFETCH(QString, name);
        QFETCH(Qt::Key, key);
        form_->show();
        form_->NadpisEdit1->setText(u"Jiný"_qs);
        form_->ColorBox1->setSelected(0x0000FF);
        form_->CheckBox1->setChecked(false);
        QTest::keyClick(control(name), key);
        QVERIFY(!form_->isVisible());
        QCOMPARE(fake_->titles, (QStringList{u"Předmět"_qs, u"Hodnota"_qs}));
        QVERIFY(fake_->backColors.isEmpty());
        QCOMPARE(state_.BackColor, 14732990);
        QVERIFY(state_.AutoSave);
        QVERIFY(!fileExists(u"config.ini"_qs));
        QVERIFY(!fileExists(u"font.ini"_qs));
    }

    void enterApplies_data() {
        controls_data(Qt::Key_Return);
        QTest::newRow("keypad Enter") << u"NadpisEdit2"_qs << Qt::Key_Enter;
    }
    void enterApplies() {
        QFETCH(QString, name);
        QFETCH(Qt::Key, key);
        form_->show();
        form_->ColorBox1->setSelected(12639424);
        QTest::keyClick(control(name), key);
        QVERIFY(!form_->isVisible());
        QCOMPARE(config(), WorkedConfig);
        QCOMPARE(fontFile(), DesignedFontFile);
    }

    void otherKeysStillEdit() {
        form_->show();
        form_->NadpisEdit1->clear();
        QTest::keyClicks(form_->NadpisEdit1, u"Ab"_qs);
        QCOMPARE(form_->NadpisEdit1->text(), u"Ab"_qs);
        QVERIFY(form_->isVisible());
    }

    void cancelLeavesFilesAndSettings() {
        dir_->writeFile(u"config.ini"_qs, "old config");
        dir_->writeFile(u"font.ini"_qs, "old font");
        form_->show();
        form_->NadpisEdit1->setText(u"Jiný"_qs);
        form_->CheckBox5->setChecked(false);
        QTest::mouseClick(form_->SpeedButton3, Qt::LeftButton);
        QVERIFY(!form_->isVisible());
        QCOMPARE(config(), QByteArray("old config"));
        QCOMPARE(fontFile(), QByteArray("old font"));
        QCOMPARE(fake_->compactions, 0);
        QCOMPARE(fake_->fontChanges, 0);
        QCOMPARE(fake_->titles, (QStringList{u"Předmět"_qs, u"Hodnota"_qs}));
    }

    void applyWritesTheWorkedExample() {
        dir_->writeFile(u"config.ini"_qs, QByteArray(300, 'x'));
        dir_->writeFile(u"font.ini"_qs, QByteArray(300, 'y'));
        form_->show();
        form_->ColorBox1->setSelected(12639424);
        QTest::mouseClick(form_->SpeedButton4, Qt::LeftButton);
        QVERIFY(!form_->isVisible());
        QVERIFY(prompts_.allShown().isEmpty());
        QCOMPARE(config(), WorkedConfig);
        QCOMPARE(fontFile(), DesignedFontFile);
        QCOMPARE(state_.BackColor, 12639424);
        QCOMPARE(fake_->backColors, QList<qint32>{12639424});
        QCOMPARE(form_->palette().color(QPalette::Window), QColor(0xC0, 0xDC, 0xC0));
        QCOMPARE(fake_->tabOptions, QList<bool>{true});
        QCOMPARE(fake_->compactions, 0);
        QCOMPARE(fake_->fontChanges, 1);
        QVERIFY(state_.ToolbarCaptions);
    }

    void applyWithBoxesOff() {
        switchSettingsOff();
        form_->show();
        form_->ColorBox1->setSelected(kButtonFaceColor);
        form_->ApplySettings();
        QCOMPARE(config(), QByteArray("P\xF8"
                                      "edm\xEC"
                                      "t;Hodnota\r\n-16777201\r\n0\r\n0\r\n0\r\n0\r\n"));
        QVERIFY(!state_.AutoSave);
        QVERIFY(!state_.TableTabKey);
        QCOMPARE(fake_->tabOptions, QList<bool>{false});
        QVERIFY(state_.NavigationKeys); // the shortcuts go at the next start
        QCOMPARE(fake_->compactions, 1);
        QVERIFY(!state_.ToolbarCaptions);
    }

    void untickingCaptionsCompactsAtOnce() {
        form_->show();
        form_->CheckBox5->setChecked(false);
        form_->ApplySettings();
        QCOMPARE(fake_->compactions, 1);
        QVERIFY(config().endsWith("\r\n0\r\n"));

        // Ticked again: nothing changes until the next start.
        form_->show();
        QVERIFY(!form_->CheckBox5->isChecked());
        form_->CheckBox5->setChecked(true);
        form_->ApplySettings();
        QCOMPARE(fake_->compactions, 1);
        QVERIFY(config().endsWith("\r\n1\r\n"));
    }

    void titles_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("title with a blank") << u"Moje pole"_qs << u"Hodnota"_qs
                                            << QStringList{u"Moje"_qs, u"pole"_qs, u"Hodnota"_qs};
        QTest::newRow("empty first title")
            << QString() << u"Hodnota"_qs << QStringList{QString(), u"Hodnota"_qs};
        QTest::newRow("both empty") << QString() << QString() << QStringList{QString(), QString()};
        QTest::newRow("designed edits") << u" 1 <---"_qs << u"---> 2"_qs
                                        << QStringList{u"1"_qs, u"<---"_qs, u"--->"_qs, u"2"_qs};
    }
    void titles() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, titles);
        form_->show();
        form_->NadpisEdit1->setText(first);
        form_->NadpisEdit2->setText(second);
        form_->ApplySettings();
        QCOMPARE(fake_->titles, titles);
        QVERIFY(config().startsWith(first.toLatin1() + ';' + second.toLatin1() + "\r\n"));
    }

    void unwritableConfigStopsAndKeepsDialogOpen() {
        QVERIFY(QDir().mkpath(dir_->filePath(u"config.ini"_qs)));
        state_.AutoSave = false;
        form_->show();
        form_->CheckBox1->setChecked(true);
        form_->NadpisEdit1->setText(u"Nový"_qs);
        form_->ColorBox1->setSelected(12639424);
        QTest::mouseClick(form_->SpeedButton4, Qt::LeftButton);
        QCOMPARE(prompts_.errors.size(), 1);
        QVERIFY(!prompts_.errors.first().isEmpty());
        QVERIFY(form_->isVisible());
        // Applied before the failing write, and kept.
        QCOMPARE(fake_->titles.first(), u"Nový"_qs);
        QCOMPARE(state_.BackColor, 12639424);
        // Not reached.
        QVERIFY(!state_.AutoSave);
        QVERIFY(fake_->tabOptions.isEmpty());
        QCOMPARE(fake_->fontChanges, 0);
        QVERIFY(!fileExists(u"font.ini"_qs));
    }

    void unwritableFontFileStopsAndKeepsDialogOpen() {
        QVERIFY(QDir().mkpath(dir_->filePath(u"font.ini"_qs)));
        form_->show();
        QTest::keyClick(form_->NadpisEdit1, Qt::Key_Return);
        QCOMPARE(prompts_.errors.size(), 1);
        QVERIFY(form_->isVisible());
        QCOMPARE(config(), QByteArray("P\xF8"
                                      "edm\xEC"
                                      "t;Hodnota\r\n14732990\r\n1\r\n1\r\n1\r\n1\r\n"));
        QCOMPARE(fake_->fontChanges, 1);
    }

    void titleOutsideTheCodePageChangesNothing() {
        form_->show();
        form_->NadpisEdit1->setText(u"名前"_qs);
        form_->ColorBox1->setSelected(12639424);
        form_->SpeedButton4Click();
        QCOMPARE(prompts_.errors.size(), 1);
        QVERIFY(form_->isVisible());
        QCOMPARE(fake_->titles, (QStringList{u"Předmět"_qs, u"Hodnota"_qs}));
        QCOMPARE(state_.BackColor, 14732990);
        QVERIFY(!fileExists(u"config.ini"_qs));
    }

    void restartMessageOnEveryRelease_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("navigation keys") << u"CheckBox3"_qs;
        QTest::newRow("toolbar captions") << u"CheckBox5"_qs;
    }
    void restartMessageOnEveryRelease() {
        QFETCH(QString, name);
        form_->show();
        auto* box = form_->findChild<QCheckBox*>(name);
        const bool before = box->isChecked();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        QCOMPARE(box->isChecked(), !before);
        QTest::mouseClick(box, Qt::RightButton, {}, QPoint(5, box->height() / 2));
        QCOMPARE(box->isChecked(), !before);
        const QString text = u"Pro použití této změny musíte restartovat Pelvarin Kartotéku"_qs;
        QCOMPARE(prompts_.messages, (QStringList{text, text}));
    }

    void fontChoiceHeldUntilApplied_data() {
        QTest::addColumn<QList<qint32>>("colorAnswer");
        QTest::addColumn<qint32>("color");
        QTest::addColumn<QByteArray>("colorLine");
        QTest::newRow("colour kept") << QList<qint32>{} << kWindowTextColor << "-16777208"_qba;
        QTest::newRow("red chosen") << QList<qint32>{0x0000FF} << qint32(0x0000FF) << "255"_qba;
        QTest::newRow("system colour chosen")
            << QList<qint32>{kButtonFaceColor} << kButtonFaceColor << "-16777201"_qba;
    }
    void fontChoiceHeldUntilApplied() {
        QFETCH(QList<qint32>, colorAnswer);
        QFETCH(qint32, color);
        QFETCH(QByteArray, colorLine);
        form_->show();
        QFont chosen(u"DejaVu Serif"_qs, 12);
        chosen.setBold(true);
        chosen.setUnderline(true);
        prompts_.fontAnswers.enqueue(chosen);
        prompts_.fontColorAnswers.append(colorAnswer);
        form_->SpeedButton2Click();
        QCOMPARE(form_->FontDlg1.font, chosen);
        QCOMPARE(form_->FontDlg1.color, color);
        QCOMPARE(fake_->fontChanges, 0);
        form_->ApplySettings();
        QCOMPARE(fake_->font.font, chosen);
        QCOMPARE(fake_->font.color, color);
        QCOMPARE(fontFile(), "12\r\nDejaVu Serif\r\n" + colorLine + "\r\nTFTF\r\n");
    }

    void cancelledFontDialogKeepsTheLoadedFont() {
        form_->show();
        form_->FontDlg1 = {QFont(u"Something Else"_qs, 20), 0x0000FF};
        form_->SpeedButton2Click(); // no answer queued: cancelled
        QCOMPARE(form_->FontDlg1.font, fake_->font.font);
        QCOMPARE(form_->FontDlg1.color, fake_->font.color);
    }

    void fontColorDialogStartsFromTheGivenChoice_data() {
        QTest::addColumn<qint32>("color");
        QTest::newRow("plain colour") << qint32(0x0000FF);
        QTest::newRow("system colour") << kButtonFaceColor;
        QTest::newRow("custom colour") << qint32(0x123456);
    }
    void fontColorDialogStartsFromTheGivenChoice() {
        QFETCH(qint32, color);
        QFont font(u"DejaVu Serif"_qs, 12);
        font.setBold(true);
        FontColorDialog dialog(font, color);
        QCOMPARE(dialog.windowTitle(), u"Písmo"_qs);
        QCOMPARE(dialog.selectedFont().family(), u"DejaVu Serif"_qs);
        QCOMPARE(dialog.selectedFont().pointSize(), 12);
        QVERIFY(dialog.selectedFont().bold());
        QCOMPARE(dialog.selectedColor(), color);
        dialog.colorChooser()->setSelected(12639424);
        QCOMPARE(dialog.selectedColor(), 12639424);
    }

    void fontColorDialogKeepsTheNameOfASubstitutedFace() {
        FontColorDialog dialog(QFont(u"MS Sans Serif"_qs, 10), kWindowTextColor);
        QCOMPARE(dialog.selectedFont().family(), u"MS Sans Serif"_qs);
        dialog.fontChooser()->setCurrentFont(QFont(u"DejaVu Serif"_qs, 10));
        QCOMPARE(dialog.selectedFont().family(), u"DejaVu Serif"_qs);
    }

    // Keys in the embedded font dialog answer for the whole dialog.
    void fontColorDialogKeys_data() {
        QTest::addColumn<bool>("inList");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Esc") << false << Qt::Key_Escape << int(QDialog::Rejected);
        QTest::newRow("Enter") << false << Qt::Key_Return << int(QDialog::Accepted);
        QTest::newRow("Esc in a list") << true << Qt::Key_Escape << int(QDialog::Rejected);
        QTest::newRow("Enter in a list") << true << Qt::Key_Enter << int(QDialog::Accepted);
    }
    void fontColorDialogKeys() {
        QFETCH(bool, inList);
        QFETCH(Qt::Key, key);
        QFETCH(int, result);
        FontColorDialog dialog(QFont(u"DejaVu Sans"_qs, 10), kWindowTextColor);
        dialog.setResult(-1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        if (inList)
            dialog.fontChooser()->findChild<QAbstractItemView*>()->setFocus();
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused && dialog.fontChooser()->isAncestorOf(focused));
        QTest::keyClick(focused, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
    }

    void printerSetUp_data() {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("setUp");
        QTest::newRow("no printer")
            << QStringList{} << QStringList{u"Nenalezena žádná tiskárna!"_qs} << false;
        QTest::newRow("a printer") << QStringList{u"KartotekaPDF"_qs} << QStringList{} << true;
    }
    void printerSetUp() {
        QFETCH(QStringList, printers);
        QFETCH(QStringList, messages);
        QFETCH(bool, setUp);
        pretendPrinters(printers);
        ScriptedPrompts prompts;
        TSetForm form(state_, prompts, *fake_);
        form.show();
        form.SpeedButton1Click();
        stopPretendingPrinters();
        QCOMPARE(prompts.messages, messages);
        QCOMPARE(prompts.printerSetUps,
                 setUp ? QList<QPrinter*>{&fake_->printerObject} : QList<QPrinter*>{});
        QVERIFY(form.isVisible());
    }

    void helpLinkOpensTheHelpPage() {
        UrlCatcher catcher;
        form_->Label4Click();
        QCOMPARE(
            catcher.opened,
            QList<QUrl>{QUrl(u"https://kartoteka.pelvarin.cz/tavrosk/help/nastaveni.html"_qs)});
    }

    void colorBoxHoldsStoredValues_data() {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("name");
        QTest::newRow("money green") << qint32(12639424) << u"Mentolová"_qs;
        QTest::newRow("window text") << qint32(-16777208) << u"Text okna"_qs;
        QTest::newRow("button face") << kButtonFaceColor << u"Povrch tlačítka"_qs;
        QTest::newRow("red") << qint32(0x0000FF) << u"Červená"_qs;
        QTest::newRow("custom") << qint32(14732990) << u"Vlastní…"_qs;
    }
    void colorBoxHoldsStoredValues() {
        QFETCH(qint32, value);
        QFETCH(QString, name);
        ColorBox box;
        box.setSelected(value);
        QCOMPARE(box.selected(), value);
        QCOMPARE(box.currentText(), name);
    }

    void systemBackColorAppliedAsSystemColor() {
        form_->show();
        form_->ColorBox1->setSelected(kWindowColor);
        form_->ApplySettings();
        QCOMPARE(state_.BackColor, kWindowColor);
        QCOMPARE(form_->palette().color(QPalette::Window),
                 QGuiApplication::palette().color(QPalette::Base));
        QVERIFY(config().contains("\r\n-16777211\r\n"));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
