#include "core/CardImport.h"
#include "core/CardImportPlan.h"
#include "core/CardTableCsv.h"
#include "core/CsvReader.h"
#include "storage/Cp1250.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCards.h"

#include <QtTest>

namespace {

// One card as its card file holds it: table lines and notes.
struct StoredCard {
    QStringList table;
    QString notes;
    bool operator==(const StoredCard&) const = default;
};

StoredCard storedCard(const TestProgramDir& dir, const QString& name) {
    const QMap<QString, QByteArray> members =
        testcards::readCard(dir, name + QStringLiteral(".krt"));
    QString table = cp1250::decode(members.value(name + QStringLiteral(".tbl")));
    QStringList lines = table.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    return {lines, cp1250::decode(members.value(name + QStringLiteral(".txt")))};
}

CardImportResult importInto(const TestCardDir& cards, const QByteArray& csv, int namingColumn = 0) {
    const CardImportPlan plan =
        cardimport::plan(csvreader::readCsvBytes(csv), namingColumn,
                         cardimport::existingCardNames(cards.state.CardDir));
    return cardimport::importCards(
        {cards.state.libraryPath(), cards.state.CardDir, cards.state.historyDir()}, plan);
}

QStringList cardFiles(const TestCardDir& cards) {
    return QDir(cards.state.CardDir)
        .entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

} // namespace

// Cards from CSV files as spreadsheets and the program itself write them.
class TestCsvImport : public QObject {
    Q_OBJECT

private slots:
    // The encoding is told from the bytes, the separator from the first lines.
    void encodingAndSeparatorAreDetected_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::addColumn<QString>("separator");
        const QString text =
            QStringLiteral("Název;Autor\r\nŽluťoučký kůň;Čapek\r\nBabička;Němcová\r\n");
        QTest::newRow("UTF-8 with BOM ;") << QByteArray("\xEF\xBB\xBF") + text.toUtf8()
                                          << int(csvreader::Encoding::Utf8WithBom) << ";";
        QTest::newRow("UTF-8 ;") << text.toUtf8() << int(csvreader::Encoding::Utf8) << ";";
        QTest::newRow("cp1250 ;") << cp1250::encode(text) << int(csvreader::Encoding::Cp1250)
                                  << ";";
        QString comma = text;
        QTest::newRow("cp1250 ,") << cp1250::encode(comma.replace(u';', u','))
                                  << int(csvreader::Encoding::Cp1250) << ",";
        QString tab = text;
        QTest::newRow("UTF-8 tab")
            << tab.replace(u';', u'\t').toUtf8() << int(csvreader::Encoding::Utf8) << "\t";
        // Commas inside quotes and in every row's text do not outvote the ";".
        QTest::newRow("quoted commas")
            << QByteArray("Jméno;Adresa\r\n\"Novák, Jan\";\"Brno, Česká 1, 2\"\r\nB;\"x,y\"\r\n")
            << int(csvreader::Encoding::Utf8) << ";";
    }
    void encodingAndSeparatorAreDetected() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QFETCH(QString, separator);
        const CsvTable table = csvreader::readCsvBytes(bytes);
        QCOMPARE(int(table.encoding), encoding);
        QCOMPARE(QString(table.separator), separator);
        QCOMPARE(table.header.size(), 2);
        QCOMPARE(table.rows.size(), 2);
        if (!bytes.contains("Adresa")) {
            QCOMPARE(table.header, QStringList({"Název", "Autor"}));
            QCOMPARE(table.rows.at(0), QStringList({"Žluťoučký kůň", "Čapek"}));
        }
    }

    // RFC 4180: quoted separators, doubled quotes, line breaks inside quotes;
    // empty lines are no records, any line break ends one.
    void quotedFieldsAndLineBreaks() {
        const QString text =
            QStringLiteral("a,b,c\r\n"
                           "\"1,5\",\"řekl \"\"ahoj\"\"\",\"první\r\ndruhý\ntřetí\"\n"
                           "\n"
                           "x,,z\r"
                           "last,\"\",");
        const QList<QStringList> records = csvreader::parse(text, u',');
        QCOMPARE(records.size(), 4);
        QCOMPARE(records.at(1), QStringList({"1,5", "řekl \"ahoj\"", "první\r\ndruhý\ntřetí"}));
        QCOMPARE(records.at(2), QStringList({"x", "", "z"}));
        QCOMPARE(records.at(3), QStringList({"last", "", ""}));
    }

    // Each row's fate: a new card, or left out with its reason.
    void rowsGetTheirFates() {
        TestCardDir cards;
        cards.writeCard(QStringLiteral("Existující"), {}, {});
        const QByteArray csv = QStringLiteral("Název;Autor;Poznámky;Rok\r\n"
                                              "Kniha;Čapek;Pozn.;\r\n"
                                              "EXISTUJÍCÍ;x;;\r\n"
                                              "a/b;x;;\r\n"
                                              ";x;;\r\n"
                                              "Kniha;jiná;;\r\n"
                                              "Emoji;\u263A a \u00E5;;\r\n"
                                              ".skrytá;x;;\r\n")
                                   .toUtf8();
        const CardImportPlan plan = cardimport::plan(
            csvreader::readCsvBytes(csv), 0, cardimport::existingCardNames(cards.state.CardDir));
        QCOMPARE(plan.cards.size(), 7);
        QCOMPARE(plan.newCards(), 1);
        const ImportedCard& book = plan.cards.at(0);
        QCOMPARE(book.row, 2);
        QCOMPARE(book.table, QStringList({"Autor=Čapek"})); // the empty "Rok" gives no row
        QCOMPARE(book.notes, "Pozn.");
        QStringList fates;
        for (const ImportedCard& card : plan.cards)
            fates << cardimport::fateText(card);
        QCOMPARE(fates.at(0), "nová karta");
        QCOMPARE(fates.at(1), "vynecháno: karta \"EXISTUJÍCÍ\" již existuje");
        QVERIFY(fates.at(2).startsWith("vynecháno: neplatný název \"a/b\": Název nesmí obsahovat"));
        QCOMPARE(fates.at(3), "vynecháno: neplatný název \"\": Zadejte název souboru!");
        QCOMPARE(fates.at(4), "vynecháno: název \"Kniha\" je v souboru už výše");
        QCOMPARE(fates.at(5),
                 "vynecháno: znaky, které karta neuloží: \"\u263A\" (U+263a), \"\u00E5\" (U+00e5)");
        QCOMPARE(plan.cards.at(6).fate, ImportFate::InvalidName);
    }

    void namingColumnCanBeChosen() {
        const CsvTable csv = csvreader::readCsvBytes("Id,Jméno,Obec\r\n1,Jan,Brno\r\n");
        const CardImportPlan plan = cardimport::plan(csv, 1, {});
        QCOMPARE(plan.cards.at(0).name, "Jan");
        QCOMPARE(plan.cards.at(0).table, QStringList({"Id=1", "Obec=Brno"}));
    }

    // A cp1250 ";" file from a Czech spreadsheet becomes cards; names taken
    // meanwhile (letter case aside) stay as they were.
    void importWritesCardsAndNeverOverwrites() {
        TestCardDir cards;
        cards.writeCard(QStringLiteral("jan"), {QStringLiteral("Obec=Praha")},
                        QStringLiteral("moje"));
        const QByteArray csv =
            cp1250::encode(QStringLiteral("Jméno;Obec;Poznámky\r\n"
                                          "Jan;Brno;\r\n"
                                          "Růžena;Plzeň;\"řádek\r\ndruhý\"\r\n"));
        const CardImportResult result = importInto(cards, csv);
        QCOMPARE(result.made, 1);
        QCOMPARE(result.skipped, QStringList({"řádek 2: karta \"Jan\" již existuje"}));
        QVERIFY(result.failure.isEmpty());
        QCOMPARE(cardFiles(cards), QStringList({"jan.krt", "Růžena.krt"}));
        QCOMPARE(storedCard(cards.dir, "jan"), (StoredCard{{"Obec=Praha"}, "moje"}));
        QCOMPARE(storedCard(cards.dir, "Růžena"), (StoredCard{{"Obec=Plzeň"}, "řádek\r\ndruhý"}));
        QVERIFY(cardimport::importSummary(result).startsWith(
            "Vytvořeno karet: 1.\nVynechané řádky (1):\n"));
    }

    // A card file made by another program after the preview is not overwritten.
    void nameTakenAfterThePlanIsSkipped() {
        TestCardDir cards;
        const CardImportPlan plan =
            cardimport::plan(csvreader::readCsvBytes("Karta,A\r\nNová,1\r\n"), 0, {});
        cards.writeCard(QStringLiteral("Nová"), {QStringLiteral("A=jiná")}, {});
        const CardImportResult result = cardimport::importCards(
            {cards.state.libraryPath(), cards.state.CardDir, cards.state.historyDir()}, plan);
        QCOMPARE(result.made, 0);
        QCOMPARE(result.skipped, QStringList({"řádek 2: karta \"Nová\" již existuje"}));
        QCOMPARE(storedCard(cards.dir, "Nová").table, QStringList({"A=jiná"}));
        QCOMPARE(cardFiles(cards), QStringList({"Nová.krt"}));
    }

    void stoppingKeepsTheCardsMade() {
        TestCardDir cards;
        const CardImportPlan plan =
            cardimport::plan(csvreader::readCsvBytes("Karta\r\nA\r\nB\r\nC\r\n"), 0, {});
        const CardImportResult result = cardimport::importCards(
            {cards.state.libraryPath(), cards.state.CardDir, cards.state.historyDir()}, plan,
            [](int done) { return done < 2; });
        QVERIFY(result.stopped);
        QCOMPARE(result.made, 2);
        QCOMPARE(cardFiles(cards), QStringList({"A.krt", "B.krt"}));
    }

    // "Exportovat do CSV…" read back into an empty folder gives the same tables.
    void tableExportReadsBack() {
        TestCardDir source;
        source.writeCard(QStringLiteral("Kniha"),
                         {QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Vzorec=a=b"),
                          QStringLiteral("Rok="), QStringLiteral("=")},
                         QStringLiteral("První řádek\r\ndruhý, s čárkou"));
        source.writeCard(QStringLiteral("Prázdná"), {}, QStringLiteral("Jen poznámka"));
        source.writeCard(QStringLiteral("Vzorce"),
                         {QStringLiteral("-x=+1"), QStringLiteral("@=\"")}, {});
        source.listCardDir();
        const CardTableCsv csv = tablecsv::exportCardTables(
            source.state.libraryPath(), source.state.CardDir, source.entries,
            {QStringLiteral("Klíč"), QStringLiteral("Údaj")});
        TestCardDir target;
        const CardImportResult result = importInto(target, csv.bytes());
        QCOMPARE(result.made, 3);
        QVERIFY(result.skipped.isEmpty());
        for (const char* name : {"Kniha", "Prázdná", "Vzorce"})
            QCOMPARE(storedCard(target.dir, name), storedCard(source.dir, name));
    }

    // The overview's CSV: UTF-8 with a byte-order mark, one row per card,
    // "Karta" and one column per key.
    void overviewExportReadsBack() {
        TestCardDir source;
        source.writeCard(QStringLiteral("Dvořák"),
                         {QStringLiteral("Obor=hudba"), QStringLiteral("Rok=1841")}, {});
        source.writeCard(QStringLiteral("Němcová"), {QStringLiteral("Obor=próza, \"Babička\"")},
                         {});
        const QByteArray overview =
            QByteArray("\xEF\xBB\xBF") + QStringLiteral("Karta,Obor,Rok\r\n"
                                                        "Dvořák,hudba,1841\r\n"
                                                        "Němcová,\"próza, \"\"Babička\"\"\",\r\n")
                                             .toUtf8();
        TestCardDir target;
        QCOMPARE(importInto(target, overview).made, 2);
        for (const char* name : {"Dvořák", "Němcová"})
            QCOMPARE(storedCard(target.dir, name), storedCard(source.dir, name));
    }
};

QTEST_MAIN(TestCsvImport)
#include "tst_core_csvimport.moc"
