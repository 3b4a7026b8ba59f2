#include "core/CardNameRules.h"
#include "storage/CardRename.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QtTest>

// The rules for a new card name, and the renaming of a card's files.
class TestCardNames : public QObject {
    Q_OBJECT

    static QStringList files(const QString& dir) {
        return QDir(dir).entryList(QDir::Files, QDir::Name);
    }

private slots:
    void forbiddenCharacterMessageIsExact() {
        const QString message = cardnames::forbiddenCharacterMessage();
        QCOMPARE(message.size(), 41);
        QCOMPARE(message, QStringLiteral("Název nesmí obsahovat / * \\ : \" < >  ? | "));
    }

    void nameProblem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        const QString forbidden = QStringLiteral("Název nesmí obsahovat / * \\ : \" < >  ? | ");
        const QString characters = QStringLiteral("/*\\:\"<>?|");
        for (const QChar character : characters) {
            QTest::addRow("contains %c", char(character.unicode()))
                << QStringLiteral("Re%1cepty").arg(character) << forbidden;
        }
        QTest::newRow("only a colon") << ":" << forbidden;
        QTest::newRow("empty") << ""
                               << "Zadejte název souboru!";
        QTest::newRow("Czech letters") << "Recepty babičky"
                                       << "";
        QTest::newRow("blanks kept as typed") << " a . b "
                                              << "";
        QTest::newRow("dots and dashes") << "2024-01.záloha"
                                         << "";
    }
    void nameProblem() {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QCOMPARE(cardnames::nameProblem(name), problem);
    }

    void existsMessagesNameTheNameAsTyped() {
        QCOMPARE(cardnames::existsMessage("Recepty"), "Soubor: \"Recepty\" již existuje!");
        QCOMPARE(cardnames::renameExistsMessage("Recepty"), "Soubor \"Recepty\" již existuje!");
    }

    void renameProblem_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unchanged") << "Recepty"
                                   << "Soubor \"Recepty\" již existuje!";
        QTest::newRow("first entry, other case") << "ADRESY"
                                                 << "Soubor \"ADRESY\" již existuje!";
        QTest::newRow("forbidden character") << "Recepty?"
                                             << "Název nesmí obsahovat / * \\ : \" < >  ? | ";
        QTest::newRow("empty") << ""
                               << "Zadejte název souboru!";
        QTest::newRow("free name") << "Recepty 2"
                                   << "";
    }
    void renameProblem() {
        QFETCH(QString, newName);
        QFETCH(QString, problem);
        const QStringList list = {"adresy.krt", "Recepty.krt", "Zahrada.krt"};
        QCOMPARE(cardnames::renameProblem(newName, list), problem);
    }

    void existenceIgnoresLetterCase() {
        TestProgramDir program;
        program.makeDirectories();
        program.writeFile("FILES/recepty.krt", "zip");
        QVERIFY(cardnames::cardFileExists(program.cardDir(), "Recepty"));
        QVERIFY(cardnames::cardFileExists(program.cardDir(), "RECEPTY"));
        QVERIFY(!cardnames::cardFileExists(program.cardDir(), "Recept"));
    }

    void renameMovesMembersAndCardFile() {
        TestProgramDir program;
        program.makeDirectories();
        program.writeFile("FILES/Stará.krt", "card");
        program.writeFile("TEMP/Stará.tbl", "a=b\r\n");
        program.writeFile("TEMP/STARÁ.TXT", "notes");
        program.writeFile("TEMP/Stará1.bmp", "picture");
        program.writeFile("TEMP/Jiná.tbl", "other card");
        QVERIFY(cardrename::renameCardFiles(program.workDir(), "Stará", "Nová",
                                            program.cardDir() + "Stará.krt"));
        QCOMPARE(files(program.cardDir()), QStringList{"Nová.krt"});
        QCOMPARE(program.readFile("FILES/Nová.krt"), QByteArray("card"));
        QCOMPARE(files(program.workDir()),
                 (QStringList{"Jiná.tbl", "Nová.tbl", "Nová.txt", "Nová1.bmp"}));
        QCOMPARE(program.readFile("TEMP/Nová1.bmp"), QByteArray("picture"));
    }

    void renameWithoutPictureStaysWithout() {
        TestProgramDir program;
        program.makeDirectories();
        program.writeFile("FILES/a.krt", "card");
        program.writeFile("TEMP/a.tbl", "");
        program.writeFile("TEMP/a.txt", "");
        QVERIFY(
            cardrename::renameCardFiles(program.workDir(), "a", "b", program.cardDir() + "a.krt"));
        QCOMPARE(files(program.workDir()), (QStringList{"b.tbl", "b.txt"}));
    }

    // However the move fails, the card file stays where it was, whole.
    void failedMoveKeepsCardFile_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QString>("otherCard");
        QTest::newRow("name too long for the file system") << QString(300, u'x') << "";
        QTest::newRow("another card in other case") << "Jiná"
                                                    << "JINÁ.krt";
        QTest::newRow("folder part") << "../a"
                                     << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void failedMoveKeepsCardFile() {
        QFETCH(QString, newName);
        QFETCH(QString, otherCard);
        TestProgramDir program;
        program.makeDirectories();
        program.writeFile("FILES/Stará.krt", "card");
        if (!otherCard.isEmpty())
            program.writeFile("FILES/" + otherCard, "other");
        program.writeFile("TEMP/Stará.tbl", "");
        QVERIFY(!cardrename::renameCardFiles(program.workDir(), "Stará", newName,
                                             program.cardDir() + "Stará.krt"));
        QCOMPARE(program.readFile("FILES/Stará.krt"), QByteArray("card"));
        if (!otherCard.isEmpty())
            QCOMPARE(program.readFile("FILES/" + otherCard), QByteArray("other"));
        QCOMPARE(files(program.path()), QStringList{"7z.so"});
    }
};

QTEST_MAIN(TestCardNames)
#include "tst_core_cardnames.moc"
