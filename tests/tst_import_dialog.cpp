#include "import/CsvImport.h"
#include "import/CsvImportDialog.h"
#include "mainwindow/Application.h"
#include "mainwindow/CardList.h"
#include "storage/Cp1250.h"
#include "tests/support/AppFixture.h"
#include "tests/support/TestCards.h"

#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// Runs "Importovat z CSV…" on path and step while the preview is shown
// modally; false when it was not shown.
bool WithImportDialog(AppFixture& program, const QString& path,
                      const std::function<void(CsvImportDialog&)>& step) {
    bool shown = false;
    QTimer::singleShot(0, &program.form(), [&] {
        auto* dialog = qobject_cast<CsvImportDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        shown = true;
        step(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    program.prompts.fileAnswers.enqueue(path);
    commandsOf(program.form()).trigger(Command::ImportCsv);
    return shown;
}

QString cell(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item ? item->text() : QString();
}

} // namespace

// "Soubor → Importovat z CSV…" in the whole program: the preview, the import
// on Enter, the closing message and the card list.
class TestImportDialog : public QObject {
    Q_OBJECT
private slots:
    void menuItemStandsInSoubor() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        QVERIFY(control<QMenu>(program.form(), "Soubor1")
                    ->actions()
                    .contains(control<QAction>(program.form(), "Importovatzcsv1")));
        QCOMPARE(control<QAction>(program.form(), "Importovatzcsv1")->text(), "&Importovat z CSV…");
        commandsOf(program.form()).trigger(Command::ImportCsv); // cancelled file dialog
        QCOMPARE(program.prompts.fileDialogTitle, csvimport::csvImportDialogTitle());
        QVERIFY(program.prompts.allShown().isEmpty());
    }

    // A cp1250 ";" file from a Czech spreadsheet: the preview shows each row's
    // fate, Enter imports, one message tells what was made and left out.
    void previewThenEnterImports() {
        TestProgramDir dir;
        testcards::writeCard(dir, QStringLiteral("Jan"), {QStringLiteral("Obec=Praha")});
        const QString csv = dir.filePath(QStringLiteral("členové.csv"));
        dir.writeFile(QStringLiteral("členové.csv"),
                      cp1250::encode(QStringLiteral("Jméno;Obec;Poznámky\r\n"
                                                    "Jan;Brno;\r\n"
                                                    "Růžena;Plzeň;platí\r\n"
                                                    "a:b;Ústí;\r\n")));
        AppFixture program(dir);
        QVERIFY(program.started);
        QVERIFY(program.show());
        const bool shown = WithImportDialog(program, csv, [&](CsvImportDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), "Import z CSV");
            QCOMPARE(dialog.namingColumnBox().currentText(), "Jméno");
            const QTableWidget& preview = dialog.preview();
            QCOMPARE(preview.rowCount(), 3);
            QCOMPARE(cell(preview, 0, 2), "vynecháno: karta \"Jan\" již existuje");
            QCOMPARE(cell(preview, 1, 1), "Růžena");
            QCOMPARE(cell(preview, 1, 2), "nová karta");
            QCOMPARE(cell(preview, 1, 3), "Obec=Plzeň");
            QCOMPARE(cell(preview, 1, 4), "platí");
            QVERIFY(cell(preview, 2, 2).startsWith("vynecháno: neplatný název \"a:b\""));
            // Naming the cards by another column changes the fates at once.
            dialog.namingColumnBox().setCurrentIndex(1);
            QCOMPARE(cell(dialog.preview(), 0, 1), "Brno");
            QCOMPARE(dialog.plan().newCards(), 3);
            dialog.namingColumnBox().setCurrentIndex(0);
            if (const QByteArray shots = qgetenv("KARTOTEKA_SHOT_DIR"); !shots.isEmpty())
                dialog.grab().save(QDir(QString::fromLocal8Bit(shots))
                                       .filePath(QStringLiteral("import-z-csv.png")));
            QVERIFY(dialog.importButton().isDefault());
            dialog.namingColumnBox().setFocus();
            QTest::keyClick(&dialog, Qt::Key_Return);
        });
        QVERIFY(shown);
        QCOMPARE(program.prompts.messages.size(), 1);
        QCOMPARE(program.prompts.messages.first(),
                 "Vytvořeno karet: 1.\nVynechané řádky (2):\n"
                 "řádek 2: karta \"Jan\" již existuje\n"
                 "řádek 4: neplatný název \"a:b\": " +
                     QStringLiteral("Název nesmí obsahovat / * \\ : \" < >  ? |"));
        QCOMPARE(control<CardList>(program.form(), "List")->items(),
                 QStringList({"Jan.krt", "Růžena.krt"}));
        const QMap<QString, QByteArray> made = testcards::readCard(dir, "Růžena.krt");
        QCOMPARE(made.value("Růžena.tbl"), cp1250::encode("Obec=Plzeň\r\n"));
        QCOMPARE(made.value("Růžena.txt"), QByteArray("plat\xED"));
    }

    void escCancelsWithoutCards() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("a.csv"), "Karta\r\nNová\r\n");
        AppFixture program(dir);
        QVERIFY(program.started);
        QVERIFY(program.show());
        QVERIFY(WithImportDialog(program, dir.filePath("a.csv"), [](CsvImportDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }));
        QVERIFY(program.prompts.allShown().isEmpty());
        QVERIFY(control<CardList>(program.form(), "List")->items().isEmpty());
    }

    void unreadableFileIsNamed() {
        TestProgramDir dir;
        AppFixture program(dir);
        QVERIFY(program.started);
        const QString missing = dir.filePath(QStringLiteral("chybí.csv"));
        program.prompts.fileAnswers.enqueue(missing);
        commandsOf(program.form()).trigger(Command::ImportCsv);
        QCOMPARE(program.prompts.errors.size(), 1);
        QVERIFY(program.prompts.errors.first().contains(missing));
    }
};

QTEST_MAIN(TestImportDialog)
#include "tst_import_dialog.moc"
