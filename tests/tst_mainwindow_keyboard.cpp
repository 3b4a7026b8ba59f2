#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
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
        control<CardList>(form, "List")->setFocus();
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
        for (QMenu* menu : {control<QMenu>(form, "Soubor1"), control<QMenu>(form, "Edit1"),
                            control<QMenu>(form, "Tisk1"), control<QMenu>(form, "Navigace1"),
                            control<QMenu>(form, "Nastroje1"), control<QMenu>(form, "Pomoc1"),
                            control<QMenu>(form, "PopupMenu1"), control<QMenu>(form, "PopupMenu3")})
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
            {control<QAction>(form, "Add1"), "Nový soubor"},
            {control<QAction>(form, "Pejmenovat1"), "Přejmenovat"},
            {control<QAction>(form, "Konec1"), "Konec"},
            {control<QAction>(form, "Nastobrzekzeschrnky1"), "Načíst obrázek ze schránky"},
            {control<QAction>(form, "Listofitems1"), "Seznam všech"},
            {control<QAction>(form, "Pejtnakartu1"), "Přejít na kartu č."},
            {control<QAction>(form, "Zkontrolovataktualizace1"), "Zkontrolovat aktualizace"},
            {control<QAction>(form, "About1"), "O Kartotéce"},
            {control<QAction>(form, "Addline2"), "Přidat řádek (Ctrl+A) "},
            {control<QAction>(form, "Nastzeschrnky1"), "Načíst ze schránky"},
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
        QSignalSpy settings(control<QAction>(window.form, "Language1"), &QAction::triggered);
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
        QTRY_VERIFY(control<QMenu>(window.form, "Navigace1")->isVisible());
        QTest::keyClick(control<QMenu>(window.form, "Navigace1"), 'r');
        QTRY_COMPARE(OpenCardName(window), QStringLiteral("1"));
        QVERIFY(!control<QMenu>(window.form, "Navigace1")->isVisible());

        control<NotesEdit>(window.form, "Memo1")->setFocus();
        window.altLetter('s');
        QTRY_VERIFY(control<QMenu>(window.form, "Soubor1")->isVisible());
        QTest::keyClick(control<QMenu>(window.form, "Soubor1"), 'k');
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
            {Qt::Key_F7, control<QAction>(form, "Add1")},
            {Qt::Key_F8, control<QAction>(form, "Delete1")},
            {Qt::Key_F2, control<QAction>(form, "Save1")},
            {Qt::Key_F11, control<QAction>(form, "Undo1")},
            {QKeySequence(Qt::CTRL | Qt::Key_A), control<QAction>(form, "Addline1")},
            {QKeySequence(Qt::CTRL | Qt::Key_D), control<QAction>(form, "Deleteline1")},
            {Qt::Key_F9, control<QAction>(form, "Vybratobrzek1")},
            {Qt::Key_F5, control<QAction>(form, "Selecteditem1")},
            {Qt::Key_F12, control<QAction>(form, "Pejtnakartu1")},
            {Qt::Key_Home, control<QAction>(form, "Pejtnaprvn1")},
            {Qt::Key_End, control<QAction>(form, "Pejtnaposledn1")},
            {Qt::Key_PageDown, control<QAction>(form, "Dal1")},
            {Qt::Key_PageUp, control<QAction>(form, "Pedchoz1")},
            {Qt::Key_F3, control<QAction>(form, "Najtdal1")},
            {Qt::Key_F1, control<QAction>(form, "Npovda1")},
            {Qt::Key_F10, control<QAction>(form, "Konec1")}, // last: it ends the program
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
