#include "mainwindow/KeyValueGrid.h"
#include "mainwindow/NotesEdit.h"
#include "tests/support/MainWindowFixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

using fixture::Started;
using testcards::writeCard;

namespace {

QString Caption(const QAction* action) {
    return QString(action->text()).remove(u'&');
}

QString OpenCardName(const Started& started) {
    return started.card().CardLoaded() ? started.card().CurrentCardName() : QString();
}

// The main window shown and active on three cards "1".."3", the second open.
struct ShownWindow : Started {
    explicit ShownWindow(const TestProgramDir& dir) : Started(Write(dir)) {
        Open(1);
        form->show();
        form->activateWindow();
        active = QTest::qWaitForWindowActive(form.get());
        form->List->setFocus();
    }
    static const TestProgramDir& Write(const TestProgramDir& dir) {
        for (const char* name : {"1", "2", "3"})
            writeCard(dir, QString::fromLatin1(name), {QStringLiteral("k=v")});
        return dir;
    }
    QWidget* focus() const {
        QWidget* widget = QApplication::focusWidget();
        return widget ? widget : form.get();
    }
    // Alt and the letter, as the user presses them wherever the focus is.
    void altLetter(char letter) const {
        QTest::keyClick(focus(), Qt::Key(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
    }
    bool active = false;
};

} // namespace

// Reaching the menus and their items from the keyboard, beside the designed shortcuts.
class TestMainWindowKeyboard : public QObject {
    Q_OBJECT
private slots:
    // Each caption reads as designed once its mnemonic mark is gone, and
    // carries a letter no other entry of its menu (or of the menu bar) has.
    void everyEntryHasItsOwnLetter() {
        TestProgramDir dir;
        Started started(dir);
        TForm1& form = *started.form;
        QList<QPair<QString, QList<QAction*>>> menus = {
            {QStringLiteral("menu bar"), form.menuBar()->actions()}};
        for (QMenu* menu : {form.Soubor1, form.Edit1, form.Tisk1, form.Navigace1, form.Nastroje1,
                            form.Pomoc1, form.PopupMenu1, form.PopupMenu3})
            menus.append({Caption(menu->menuAction()), menu->actions()});
        for (const auto& [name, actions] : menus) {
            QSet<int> letters;
            for (const QAction* action : actions) {
                if (action->isSeparator())
                    continue;
                const QKeySequence letter = QKeySequence::mnemonic(action->text());
                QVERIFY2(!letter.isEmpty(), qPrintable(name + ": " + action->text()));
                QVERIFY2(!letters.contains(letter[0].toCombined()),
                         qPrintable(name + ": " + action->text()));
                letters.insert(letter[0].toCombined());
                QVERIFY2(action->text().count(u'&') == 1, qPrintable(action->text()));
            }
        }
        QStringList bar;
        for (const QAction* action : form.menuBar()->actions())
            bar << Caption(action);
        QCOMPARE(bar, QStringList({"Soubor", "Úpravy", "Tisk", "Navigace", "Nástroje", "Nastavení",
                                   "Pomoc"}));
        const QList<QPair<QAction*, QString>> items = {
            {form.Add1, "Nový soubor"},
            {form.Pejmenovat1, "Přejmenovat"},
            {form.Konec1, "Konec"},
            {form.Nastobrzekzeschrnky1, "Načíst obrázek ze schránky"},
            {form.Listofitems1, "Seznam všech"},
            {form.Pejtnakartu1, "Přejít na kartu č."},
            {form.Zkontrolovataktualizace1, "Zkontrolovat aktualizace"},
            {form.About1, "O Kartotéce"},
            {form.Addline2, "Přidat řádek (Ctrl+A) "},
            {form.Nastzeschrnky1, "Načíst ze schránky"},
        };
        for (const auto& [action, caption] : items)
            QCOMPARE(Caption(action), caption);
    }

    void altLetterOpensTheMenu_data() {
        QTest::addColumn<char>("letter");
        QTest::addColumn<QString>("menu");
        QTest::newRow("Soubor") << 's' << QStringLiteral("Soubor");
        QTest::newRow("Úpravy") << 'r' << QStringLiteral("Úpravy");
        QTest::newRow("Tisk") << 't' << QStringLiteral("Tisk");
        QTest::newRow("Navigace") << 'n' << QStringLiteral("Navigace");
        QTest::newRow("Nástroje") << 'o' << QStringLiteral("Nástroje");
        QTest::newRow("Pomoc") << 'p' << QStringLiteral("Pomoc");
    }
    void altLetterOpensTheMenu() {
        QFETCH(char, letter);
        QFETCH(QString, menu);
        TestProgramDir dir;
        ShownWindow window(dir);
        QVERIFY(window.active);
        QMenu* opened = nullptr;
        for (QAction* action : window.form->menuBar()->actions()) {
            if (Caption(action) == menu)
                opened = action->menu();
        }
        QVERIFY(opened);
        window.altLetter(letter);
        QTRY_VERIFY(opened->isVisible());
        QTest::keyClick(opened, Qt::Key_Escape);
        QTRY_VERIFY(!opened->isVisible());
        QCOMPARE(OpenCardName(window), QStringLiteral("2"));
    }

    // The one entry of the menu bar without a menu runs at once.
    void altLetterRunsTheSettingsEntry() {
        TestProgramDir dir;
        ShownWindow window(dir);
        QVERIFY(window.active);
        QSignalSpy settings(window.form->Language1, &QAction::triggered);
        window.altLetter('a');
        QTRY_COMPARE(settings.count(), 1);
    }

    // Alt+N opens "Navigace", R chooses "Přejít na první"; from the notes,
    // Alt+S opens "Soubor" and K ends the program as F10 does.
    void menuAndItemLettersRunTheCommand() {
        TestProgramDir dir;
        ShownWindow window(dir);
        QVERIFY(window.active);
        window.altLetter('n');
        QTRY_VERIFY(window.form->Navigace1->isVisible());
        QTest::keyClick(window.form->Navigace1, 'r');
        QTRY_COMPARE(OpenCardName(window), QStringLiteral("1"));
        QVERIFY(!window.form->Navigace1->isVisible());

        window.form->Memo1->setFocus();
        window.altLetter('s');
        QTRY_VERIFY(window.form->Soubor1->isVisible());
        QTest::keyClick(window.form->Soubor1, 'k');
        QTRY_COMPARE(window.endCodes, QList<int>{0});
        QVERIFY(window.prompts.allShown().isEmpty());
    }

    // The mnemonics take no designed key away.
    void designedShortcutsStillAct() {
        TestProgramDir dir;
        ShownWindow window(dir);
        QVERIFY(window.active);
        TForm1& form = *window.form;
        const QList<QPair<QKeySequence, QAction*>> shortcuts = {
            {Qt::Key_F7, form.Add1},
            {Qt::Key_F8, form.Delete1},
            {Qt::Key_F2, form.Save1},
            {Qt::Key_F11, form.Undo1},
            {QKeySequence(Qt::CTRL | Qt::Key_A), form.Addline1},
            {QKeySequence(Qt::CTRL | Qt::Key_D), form.Deleteline1},
            {Qt::Key_F9, form.Vybratobrzek1},
            {Qt::Key_F5, form.Selecteditem1},
            {Qt::Key_F12, form.Pejtnakartu1},
            {Qt::Key_Home, form.Pejtnaprvn1},
            {Qt::Key_End, form.Pejtnaposledn1},
            {Qt::Key_PageDown, form.Dal1},
            {Qt::Key_PageUp, form.Pedchoz1},
            {Qt::Key_F3, form.Najtdal1},
            {Qt::Key_F1, form.Npovda1},
            {Qt::Key_F10, form.Konec1}, // last: it ends the program
        };
        for (const auto& [keys, action] : shortcuts) {
            QSignalSpy triggered(action, &QAction::triggered);
            QTest::keySequence(window.focus(), keys);
            QVERIFY2(triggered.count() == 1, qPrintable(keys.toString() + " " + Caption(action)));
        }
        QCOMPARE(window.endCodes, QList<int>{0});
    }
};

QTEST_MAIN(TestMainWindowKeyboard)
#include "tst_mainwindow_keyboard.moc"
