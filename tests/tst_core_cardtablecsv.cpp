#include "core/CardTableCsv.h"
#include "core/CsvRecord.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QtTest>

// The card tables as CSV for a spreadsheet: RFC 4180 records, one line per
// table row, the notes beside each card's first row, and cards that cannot be
// read left out and named.
class TestCardTableCsv : public QObject {
    Q_OBJECT
private:
    CardTableCsv exportAll(TestCardDir& cards, const QStringList& titles = {}) {
        cards.listCardDir();
        return tablecsv::exportCardTables(cards.state.libraryPath(), cards.state.CardDir,
                                          cards.entries, titles);
    }

private slots:
    void recordsAreQuotedAsRfc4180_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("record");
        QTest::newRow("plain") << QStringList{"a", "b c", ""} << "a,b c,\r\n";
        QTest::newRow("comma") << QStringList{"1,5", "x"} << "\"1,5\",x\r\n";
        QTest::newRow("quote") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"\r\n";
        QTest::newRow("line breaks") << QStringList{"a\nb", "c\r\nd"} << "\"a\nb\",\"c\r\nd\"\r\n";
        QTest::newRow("semicolon and spaces")
            << QStringList{" a;b ", "č"} << QString::fromUtf8(" a;b ,č\r\n");
    }
    void recordsAreQuotedAsRfc4180() {
        QFETCH(QStringList, fields);
        QFETCH(QString, record);
        QCOMPARE(csvrecord::csvRecord(fields), record);
    }

    void everyRowIsALineWithTheNotesOnTheCardsFirstLine() {
        TestCardDir cards;
        cards.writeCard(QStringLiteral("Kniha"),
                        {QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Vzorec=a=b"),
                         QStringLiteral("Bez hodnoty")},
                        QStringLiteral("První řádek\r\ndruhý, s čárkou"));
        cards.writeCard(QStringLiteral("Prázdná"), {}, QStringLiteral("Jen poznámka"));
        const CardTableCsv csv = exportAll(cards, {QStringLiteral("Klíč"), QStringLiteral("Údaj")});
        QCOMPARE(csv.unreadable, QStringList());
        QVERIFY(!csv.stopped);
        QCOMPARE(csv.text, QString::fromUtf8("Karta,Klíč,Údaj,Poznámky\r\n"
                                             "Kniha,Autor,Karel Čapek,\"První řádek\n"
                                             "druhý, s čárkou\"\r\n"
                                             "Kniha,Vzorec,a=b,\r\n"
                                             "Kniha,Bez hodnoty,,\r\n"
                                             "Prázdná,,,Jen poznámka\r\n"));
        QVERIFY(csv.bytes().startsWith("\xEF\xBB\xBF"
                                       "Karta,Kl\xC3\xAD\xC4\x8D,"));
    }

    void headerFallsBackToTheDesignedTitles() {
        TestCardDir cards;
        QCOMPARE(exportAll(cards, {QStringLiteral("Jen jeden")}).text,
                 QString::fromUtf8("Karta,Jen jeden,Hodnota,Poznámky\r\n"));
        QCOMPARE(exportAll(cards).text, QString::fromUtf8("Karta,Předmět,Hodnota,Poznámky\r\n"));
    }

    void unreadableCardsAreNamedAndTheRestExported() {
        TestCardDir cards;
        cards.writeCard(QStringLiteral("A"), {QStringLiteral("a=1")}, {});
        cards.dir.writeFile(QStringLiteral("FILES/B.krt"), "not a zip archive at all");
        cards.dir.writeFile(QStringLiteral("FILES/C.krt"), {});
        cards.writeCard(QStringLiteral("D"), {QStringLiteral("d=4")}, {});
        cards.listCardDir();
        cards.entries << QStringLiteral("Zmizela.krt"); // listed, then deleted
        const CardTableCsv csv = tablecsv::exportCardTables(cards.state.libraryPath(),
                                                            cards.state.CardDir, cards.entries, {});
        QCOMPARE(csv.unreadable, QStringList({QStringLiteral("B.krt"), QStringLiteral("C.krt"),
                                              QStringLiteral("Zmizela.krt")}));
        QVERIFY(!csv.stopped);
        QCOMPARE(csv.text.split(QStringLiteral("\r\n")).mid(1),
                 QStringList({QStringLiteral("A,a,1,"), QStringLiteral("D,d,4,"), QString()}));
    }

    void progressIsToldAndCanStopTheExport() {
        TestCardDir cards;
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")})
            cards.writeCard(name, {name + QStringLiteral("=1")}, {});
        cards.listCardDir();
        QList<int> told;
        const CardTableCsv csv = tablecsv::exportCardTables(
            cards.state.libraryPath(), cards.state.CardDir, cards.entries, {}, [&](int done) {
                told << done;
                return done < 2;
            });
        QCOMPARE(told, (QList<int>{0, 1, 2}));
        QVERIFY(csv.stopped);
        QVERIFY(csv.text.contains(QStringLiteral("B,B,1")));
        QVERIFY(!csv.text.contains(QStringLiteral("C,C,1")));
    }
};

QTEST_MAIN(TestCardTableCsv)
#include "tst_core_cardtablecsv.moc"
