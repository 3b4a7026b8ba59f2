#include "mainwindow/Application.h"
#include "mainwindow/BandBar.h"
#include "mainwindow/EditorControls.h"
#include "mainwindow/KeyValueGrid.h"
#include "storage/Cp1250.h"
#include "tests/support/AppFixture.h"
#include "tests/support/MainWindowFixture.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

using fixture::Started;

namespace {

QByteArray lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QColor Background(const TForm1& form) {
    return form.centralWidget()->palette().color(QPalette::Window);
}

} // namespace

// Start-up: directories, settings and layout files, the refusal without 7z.so.
class TestMainWindowStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartUsesDefaultsAndCentresTheWindow() {
        TestProgramDir dir;
        Started started(dir);
        QVERIFY(started.prompts.allShown().isEmpty());
        QVERIFY(started.endCodes.isEmpty());
        QVERIFY(QFileInfo(dir.cardDir()).isDir());
        QVERIFY(QFileInfo(dir.workDir()).isDir());
        QCOMPARE(started.state.CardDir, dir.cardDir());
        QCOMPARE(started.state.WorkDir, dir.workDir());
        QVERIFY(started.state.AutoSave);
        QVERIFY(started.state.TableTabKey);
        QVERIFY(control<KeyValueGrid>(started.form, "ListB")->tabKeyOption());
        QCOMPARE(started.state.BackColor, 14732990);
        QCOMPARE(Background(*started.form), QColor(190, 206, 224));
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->colWidth(0), 167);
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->colWidth(1), 387);
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->TitleCaptions(),
                 QStringList({QStringLiteral("Předmět"), QStringLiteral("Hodnota")}));
        const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(started.form->pos(),
                 QPoint(desktop.x() + (desktop.width() - started.form->width()) / 2,
                        desktop.y() + (desktop.height() - started.form->height()) / 2));
        QVERIFY(!started.card().CardLoaded());
        QCOMPARE(started.form->windowTitle(), QStringLiteral("Pelvarin Kartotéka"));
        QVERIFY(started.form->acceptDrops());
        started.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(started.form.get()));
        QCOMPARE(started.form->centralWidget()->size(),
                 QSize(TForm1::kDesignedClientWidth, TForm1::kDesignedClientHeight));
    }

    void refusesToStartWithoutTheLibrary() {
        TestProgramDir dir(false);
        AppFixture program(dir);
        QVERIFY(!program.started);
        QCOMPARE(program.endCodes, QList<int>({0}));
        QCOMPARE(program.prompts.messages.size(), 1);
        QVERIFY(program.prompts.messages.first().startsWith(
            QStringLiteral("Nebyla nalezena kihovna \"7z.so\", která je potřeba pro spuštění "
                           "Pelvarin Kartotéky.\n\rStáhněte prosím Kartotéku znovu z http")));
        QVERIFY(!QFileInfo::exists(dir.cardDir()));
        QVERIFY(!QFileInfo::exists(dir.workDir()));
        QVERIFY(!dialog<TSetForm>(program.application));
    }

    void createsTheWindowsInOrder() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        const Application& application = program.application;
        QVERIFY(application.form1());
        const QList<QPair<QDialog*, QString>> dialogs = {
            {dialog<TSetForm>(application), QStringLiteral("Nastavení")},
            {dialog<TAboutForm>(application), QStringLiteral("O Kartotéce")},
            {dialog<TAddForm>(application), QStringLiteral("Nový soubor")},
            {dialog<TDelForm>(application), QStringLiteral("Odstranit ?")},
            {dialog<TFindForm>(application), QStringLiteral("Najít soubor")},
            {dialog<TPrintForm>(application), QStringLiteral("Tisk")},
            {dialog<THistoryForm>(application), QStringLiteral("Historie karty")},
        };
        for (const auto& [dialog, caption] : dialogs) {
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), caption);
            QCOMPARE(dialog->palette().color(QPalette::Window), QColor(190, 206, 224));
        }
    }

    void configLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("backColor");
        QTest::addColumn<bool>("autoSave");
        QTest::addColumn<bool>("tabKey");
        QTest::addColumn<bool>("navigationKeys");
        QTest::addColumn<bool>("compact");
        const QStringList designedTitles = {QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("all on") << QStringList{"A;B", "12639424", "1", "1", "1", "1"}
                                << designedTitles << 12639424 << true << true << true << false;
        QTest::newRow("trailing blanks are not 1")
            << QStringList{"A;B", "0", "1 ", "1 ", "1", "1"} << designedTitles << 0 << false
            << false << true << false;
        QTest::newRow("empty lines keep shortcuts and captions")
            << QStringList{"A;B", "0", "1", "0", "", ""} << designedTitles << 0 << true << false
            << true << false;
        QTest::newRow("exactly 0 switches off")
            << QStringList{"A;B", "0", "0", "0", "0", "0"} << designedTitles << 0 << false << false
            << false << true;
        QTest::newRow("0 with a blank is not 0")
            << QStringList{"A;B", "0", "0", "0", "0 ", " 0"} << designedTitles << 0 << false
            << false << true << false;
        QTest::newRow("colour token may follow blank lines")
            << QStringList{"A;B", "", "  255 rest", "1", "0", "1", "1"} << designedTitles << 255
            << true << false << true << false;
        QTest::newRow("short file") << QStringList{"A;B", "-16777201"} << designedTitles
                                    << -16777201 << false << false << true << false;
        QTest::newRow("a title with a blank splits")
            << QStringList{"Celé jméno;Hodnota", "1", "1", "1", "1", "1"}
            << QStringList{"Celé", "jméno", "Hodnota"} << 1 << true << true << true << false;
    }
    void configLines() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, titles);
        QFETCH(int, backColor);
        QFETCH(bool, autoSave);
        QFETCH(bool, tabKey);
        QFETCH(bool, navigationKeys);
        QFETCH(bool, compact);
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("config.ini"),
                      cp1250::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        Started started(dir);
        QVERIFY2(started.prompts.allShown().isEmpty(),
                 qPrintable(started.prompts.allShown().join(u'|')));
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->TitleCaptions(), titles);
        QCOMPARE(started.state.BackColor, backColor);
        QCOMPARE(started.state.AutoSave, autoSave);
        QCOMPARE(started.state.TableTabKey, tabKey);
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->tabKeyOption(), tabKey);
        QCOMPARE(!control<QAction>(started.form, "Pejtnaprvn1")->shortcut().isEmpty(),
                 navigationKeys);
        QCOMPARE(!control<QAction>(started.form, "Dal1")->shortcut().isEmpty(), navigationKeys);
        QCOMPARE(!control<QToolButton>(started.form, "SpeedButton12")->isHidden(), compact);
        QCOMPARE(control<QToolButton>(started.form, "SpeedButton3")->text().isEmpty(), compact);
    }

    void singleLineColumnFileSetsFirstColumnOnly() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("colw.ini"), lines({"120"}));
        Started started(dir);
        QVERIFY(started.prompts.allShown().isEmpty());
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->colWidth(0), 120);
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->colWidth(1), 387);
    }

    void layoutFilesPlaceBandsAndWindow() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("cbar.ini"), lines({"20", "600", "730", "640", "400", "190"}));
        dir.writeFile(QStringLiteral("winpos.ini"), lines({"100", "50", "1"}));
        Started started(dir);
        QVERIFY(started.prompts.allShown().isEmpty());
        QList<int> lefts;
        for (int band = 0; band < control<BandBar>(started.form, "CBar")->bandCount(); ++band)
            lefts << control<BandBar>(started.form, "CBar")->bandLeft(band);
        QCOMPARE(lefts, QList<int>({20, 600, 730, 640, 400, 190}));
        QCOMPARE(started.form->pos(), QPoint(100, 50));
        QVERIFY(started.form->windowState() & Qt::WindowMaximized);
    }

    void fontFileWithoutPlacementKeepsDesignedPosition() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("font.ini"), lines({"12", "DejaVu Serif", "255", "TFTF"}));
        Started started(dir);
        QVERIFY(started.prompts.allShown().isEmpty());
        QCOMPARE(started.form->pos(), QPoint(TForm1::kDesignedLeft, TForm1::kDesignedTop));
        const QFont font = control<KeyValueGrid>(started.form, "ListB")->font();
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(font.bold() && !font.italic() && font.underline() && !font.strikeOut());
        QCOMPARE(control<NotesEdit>(started.form, "Memo1")->font(), font);
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->palette().color(QPalette::Text),
                 QColor(255, 0, 0));
        QCOMPARE(started.form->mainFont().color, 255);
        // The welcome heading keeps its own size and weight.
        QCOMPARE(control<QLabel>(started.form, "Label1")->font().pixelSize(), 16);
    }

    void damagedFilesAreReportedAndStartUpGoesOn_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("firstColumn");
        QTest::newRow("colour not a number")
            << "config.ini" << lines({"A;B", "blue", "1", "1", "1", "1"}) << "Invalid numeric input"
            << 167;
        QTest::newRow("column width not a number")
            << "colw.ini" << lines({"wide"}) << "'wide' is not a valid integer value" << 167;
        QTest::newRow("empty column file")
            << "colw.ini" << QByteArray() << "'' is not a valid integer value" << 167;
        QTest::newRow("more columns than the table has")
            << "colw.ini" << lines({"100", "200", "300"}) << "Grid index out of range" << 100;
        QTest::newRow("too few band lines") << "cbar.ini" << lines({"20", "600", "730"})
                                            << "'' is not a valid integer value" << 167;
        QTest::newRow("position not a number") << "winpos.ini" << lines({"10", "top", "0"})
                                               << "'top' is not a valid integer value" << 167;
        QTest::newRow("font colour not a number")
            << "font.ini" << lines({"12", "DejaVu Serif", "red", "FFFF"})
            << "'red' is not a valid integer value" << 167;
    }
    void damagedFilesAreReportedAndStartUpGoesOn() {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QFETCH(int, firstColumn);
        TestProgramDir dir;
        dir.writeFile(file, content);
        // A later step that must not run after the failure.
        if (file != QStringLiteral("font.ini"))
            dir.writeFile(QStringLiteral("font.ini"), lines({"14", "DejaVu Serif", "0", "FFFF"}));
        WriteCardFile(dir);
        Started started(dir);
        QCOMPARE(started.prompts.errors, QStringList({error}));
        QVERIFY(started.endCodes.isEmpty());
        QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->colWidth(0), firstColumn);
        if (file != QStringLiteral("font.ini"))
            QVERIFY(control<KeyValueGrid>(started.form, "ListB")->font().pointSize() != 14);
        else
            QCOMPARE(control<KeyValueGrid>(started.form, "ListB")->font().pointSize(),
                     12); // lines before the damage count
        // The window is usable: the list is there and a card opens.
        QCOMPARE(control<CardList>(started.form, "List")->count(), 1);
        started.Open(0);
        QVERIFY(started.card().CardLoaded());
    }

    void unreadableSettingsFileAndBlockedDirectoryAreReported() {
        TestProgramDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("config.ini")));
        Started started(dir);
        QCOMPARE(started.prompts.errors.size(), 1);
        QVERIFY(!control<QWidget>(started.form, "Panel7")->isVisibleTo(started.form.get()));

        TestProgramDir blocked;
        blocked.writeFile(QStringLiteral("FILES"), "a file where the card directory belongs");
        Started refused(blocked);
        QCOMPARE(refused.prompts.errors.size(), 1);
        QVERIFY(refused.endCodes.isEmpty());
        QVERIFY(
            !QFileInfo::exists(blocked.workDir())); // the steps after the failing one are skipped
    }

private:
    static void WriteCardFile(const TestProgramDir& dir) {
        testcards::writeCard(dir, QStringLiteral("A"), {});
    }
};

QTEST_MAIN(TestMainWindowStartup)
#include "tst_mainwindow_startup.moc"
