#include "core/AccentFolding.h"
#include "core/CsvCell.h"

#include <QtTest>

// Folding letters for matching without accents, and CSV cells kept from being
// run as formulas.
class TestTextForms : public QObject {
    Q_OBJECT

private slots:
    void foldsCzechAndStrokeLetters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("folded");
        QTest::newRow("all Czech letters") << QStringLiteral("áčďéěíňóřšťúůýž ÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ")
                                           << QStringLiteral("ACDEEINORSTUUYZ ACDEEINORSTUUYZ");
        QTest::newRow("German and Polish")
            << QStringLiteral("äöüß Łódź") << QStringLiteral("AOUSS LODZ");
        QTest::newRow("no letters")
            << QStringLiteral("12 + 3 = 15") << QStringLiteral("12 + 3 = 15");
        QTest::newRow("empty") << QString() << QString();
    }
    void foldsCzechAndStrokeLetters() {
        QFETCH(QString, text);
        QFETCH(QString, folded);
        QCOMPARE(accents::folded(text), folded);
    }

    void tellsAccentsFromCase() {
        QVERIFY(accents::hasAccents(QStringLiteral("Dvořák")));
        QVERIFY(accents::hasAccents(QStringLiteral("ł")));
        QVERIFY(!accents::hasAccents(QStringLiteral("DVORAK dvorak")));
        QVERIFY(!accents::hasAccents(QString()));
    }

    void cellsReadBackAsWritten_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("written");
        QTest::newRow("formula") << "=SUM(A1:A3)"
                                 << "'=SUM(A1:A3)";
        QTest::newRow("plus") << "+420 123"
                              << "'+420 123";
        QTest::newRow("minus") << "-5"
                               << "'-5";
        QTest::newRow("at") << "@home"
                            << "'@home";
        QTest::newRow("apostrophe before a formula") << "'=1"
                                                     << "''=1";
        QTest::newRow("apostrophe before text") << "'tis"
                                                << "''tis";
        QTest::newRow("lone apostrophe") << "'"
                                         << "''";
        QTest::newRow("formula sign inside") << "a=b"
                                             << "a=b";
        QTest::newRow("plain") << "Dvořák"
                               << "Dvořák";
        QTest::newRow("empty") << ""
                               << "";
    }
    void cellsReadBackAsWritten() {
        QFETCH(QString, cell);
        QFETCH(QString, written);
        QCOMPARE(csvcell::neutralized(cell), written);
        QCOMPARE(csvcell::restored(written), cell);
    }

    void foreignApostrophesStay() {
        // A spreadsheet's own cell with an apostrophe before ordinary text.
        QCOMPARE(csvcell::restored(QStringLiteral("'tis")), QStringLiteral("'tis"));
    }
};

QTEST_GUILESS_MAIN(TestTextForms)
#include "tst_core_textforms.moc"
