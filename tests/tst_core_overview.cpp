#include "core/AccentFolding.h"
#include "core/CardFileStamp.h"
#include "core/CardTextCache.h"
#include "core/OverviewCsv.h"
#include "core/OverviewLayout.h"
#include "core/OverviewModel.h"
#include "core/OverviewReader.h"
#include "core/OverviewRows.h"
#include "core/OverviewSortFilter.h"
#include "storage/AppError.h"
#include "storage/TableFile.h"
#include "tests/support/TestCardDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {

OverviewCard card(const QString& name, const QStringList& table) {
    return OverviewCard::fromTable(name + QStringLiteral(".krt"), table);
}

// The rows as shown, each its cells of the given columns joined by "|".
QStringList shownRows(const OverviewSortFilter& rows, const QList<int>& columns) {
    QStringList shown;
    for (int row = 0; row < rows.rowCount(); ++row) {
        QStringList cells;
        for (const int column : columns)
            cells << rows.index(row, column).data().toString();
        shown << cells.join(u'|');
    }
    return shown;
}

QStringList shownNames(const OverviewSortFilter& rows) {
    return shownRows(rows, {OverviewModel::NameColumn});
}

// Reads the cards with the reader and waits for the end.
OverviewReading readAll(CardTextCache& cache, const TestCardDir& host,
                        const std::function<void(OverviewReader&)>& before = {}) {
    OverviewReader reader(cache);
    if (before)
        before(reader);
    QSignalSpy finished(&reader, &OverviewReader::finished);
    reader.start(host.state.libraryPath(), host.state.CardDir, host.entries);
    if (!finished.wait(30000))
        qFatal("the overview reader did not finish");
    return finished.first().first().value<OverviewReading>();
}

} // namespace

namespace {

bool stampsSettled(const QString& cardDir) {
    const StampedFolder folder(cardDir);
    const qint64 now = cardstamp::wallClockNs();
    for (const QString& name : QDir(cardDir).entryList(QDir::Files)) {
        const std::optional<CardFileStamp> stamp = folder.stamp(name);
        if (stamp && cardstamp::mayChangeUnnoticed(*stamp, now))
            return false;
    }
    return true;
}

} // namespace

class TestOverview : public QObject {
    Q_OBJECT

private slots:
    void columnsAreKeysMostUsedFirstWithRepeatedKeysJoined() {
        OverviewModel model;
        model.setCards(
            {card(QStringLiteral("A"), {QStringLiteral("Rok=1990"), QStringLiteral("Autor=Čapek"),
                                        QStringLiteral("Autor="), QStringLiteral("Autor=Poláček")}),
             card(QStringLiteral("B"),
                  {QStringLiteral("Autor=Hašek"), QStringLiteral("Název=Švejk=1"),
                   QStringLiteral("bez rovnítka")}),
             card(QStringLiteral("C"), {QStringLiteral("=bez klíče")})});
        QCOMPARE(model.columnCount(), 5);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Karta"));
        // Autor in two cards; the others in one each, in the order first seen.
        QCOMPARE(model.keys(),
                 (QStringList{QStringLiteral("Autor"), QStringLiteral("Rok"),
                              QStringLiteral("Název"), QStringLiteral("bez rovnítka")}));
        QCOMPARE(model.cellText(0, 0), QStringLiteral("A"));
        QCOMPARE(model.cellText(0, 1), QStringLiteral("Čapek; Poláček"));
        QCOMPARE(model.cellText(0, 3), QString()); // missing key
        QCOMPARE(model.cellText(1, 3), QStringLiteral("Švejk=1"));
        QCOMPARE(model.cellText(2, 1), QString());
    }

    void czechOrderWithNumbersAndEmptyCellsLast() {
        OverviewModel model;
        const QStringList names{QStringLiteral("Zeman"),   QStringLiteral("Čapek"),
                                QStringLiteral("Chalupa"), QStringLiteral("Hora"),
                                QStringLiteral("Dvořák"),  QStringLiteral("Ďurica"),
                                QStringLiteral("Cibulka"), QString(),
                                QStringLiteral("10"),      QStringLiteral("9")};
        QList<OverviewCard> cards;
        for (int index = 0; index < names.size(); ++index)
            cards << card(QString::number(index), {QStringLiteral("Jméno=") + names[index]});
        model.setCards(cards);
        OverviewSortFilter rows(model);
        rows.sort(1, Qt::AscendingOrder);
        const QStringList ascending = shownRows(rows, {1});
        QCOMPARE(ascending,
                 (QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("Cibulka"),
                              QStringLiteral("Čapek"), QStringLiteral("Ďurica"),
                              QStringLiteral("Dvořák"), QStringLiteral("Hora"),
                              QStringLiteral("Chalupa"), QStringLiteral("Zeman"), QString()}));
        rows.sort(1, Qt::DescendingOrder);
        QStringList descending = ascending.mid(0, ascending.size() - 1);
        std::reverse(descending.begin(), descending.end());
        descending << QString();
        QCOMPARE(shownRows(rows, {1}), descending);
        rows.sort(-1);
        QCOMPARE(shownNames(rows).first(), QStringLiteral("0")); // the card list's order again
    }

    void filterIgnoresCaseAndAccentsOnlyWhenTypedWithout() {
        OverviewModel model;
        model.setCards({card(QStringLiteral("a"), {QStringLiteral("Autor=Antonín Dvořák")}),
                        card(QStringLiteral("b"), {QStringLiteral("Autor=Jan Dvorak")}),
                        card(QStringLiteral("c"),
                             {QStringLiteral("Rok=1900"), QStringLiteral("Místo=DVOŘIŠTĚ")}),
                        card(QStringLiteral("Dvůr"), {})});
        OverviewSortFilter rows(model);
        rows.setFilterText(QStringLiteral("dvorak"));
        QCOMPARE(shownNames(rows), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        rows.setFilterText(QStringLiteral("Dvořák"));
        QCOMPARE(shownNames(rows), QStringList{QStringLiteral("a")});
        rows.setFilterText(QStringLiteral("dvoř"));
        QCOMPARE(shownNames(rows), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
        rows.setFilterText(QStringLiteral("DVUR")); // the card name is a cell too
        QCOMPARE(shownNames(rows), QStringList{QStringLiteral("Dvůr")});
        // Never across two cells.
        rows.setFilterText(QStringLiteral("1900Dvo"));
        QCOMPARE(rows.rowCount(), 0);
        // Only shown columns count.
        rows.setFilterText(QStringLiteral("dvoris"));
        QCOMPARE(rows.rowCount(), 1);
        rows.setHiddenColumns({model.columnOf(QStringLiteral("Místo"))});
        QCOMPARE(rows.rowCount(), 0);
        rows.setFilterText(QString());
        QCOMPARE(rows.rowCount(), 4);
    }

    void changedCardUpdatesItsRowAndAddsNewKeys() {
        OverviewModel model;
        model.setCards({card(QStringLiteral("a"), {QStringLiteral("Autor=X")}),
                        card(QStringLiteral("b"), {QStringLiteral("Autor=Y")})});
        OverviewSortFilter rows(model);
        rows.sort(1);
        rows.setFilterText(QStringLiteral("y"));
        QCOMPARE(shownNames(rows), QStringList{QStringLiteral("b")});
        model.updateCard(
            card(QStringLiteral("a"), {QStringLiteral("Autor=Z"), QStringLiteral("Rok=yy")}));
        QCOMPARE(model.keys(), (QStringList{QStringLiteral("Autor"), QStringLiteral("Rok")}));
        QCOMPARE(shownRows(rows, {1, 2}),
                 (QStringList{QStringLiteral("Y|"), QStringLiteral("Z|yy")}));
        const QStringList added = model.followCardList(
            {QStringLiteral("b.krt"), QStringLiteral("c.krt"), QStringLiteral("a.krt")});
        QCOMPARE(added, QStringList{QStringLiteral("c.krt")});
        QCOMPARE(model.fileNames(), (QStringList{QStringLiteral("a.krt"), QStringLiteral("b.krt"),
                                                 QStringLiteral("c.krt")}));
        model.followCardList({QStringLiteral("c.krt")});
        QCOMPARE(model.fileNames(), QStringList{QStringLiteral("c.krt")});
        QCOMPARE(model.rowOf(QStringLiteral("c.krt")), 0);
    }

    void csvIsUtf8WithBomQuotedAndWithoutFormulas() {
        const QByteArray bytes = overviewcsv::overviewCsvBytes(
            {QStringLiteral("Karta"), QStringLiteral("Název")},
            {{QStringLiteral("Čapek"), QStringLiteral("Válka s \"mloky\", 1936")},
             {QStringLiteral("=SUM(A1)"), QStringLiteral("řádek\r\ndruhý")},
             {QStringLiteral("-1"), QString()}});
        QCOMPARE(bytes, QByteArray("\xEF\xBB\xBF"
                                   "Karta,N\xC3\xA1zev\r\n"
                                   "\xC4\x8C"
                                   "apek,\"V\xC3\xA1lka s \"\"mloky\"\", 1936\"\r\n"
                                   "'=SUM(A1),\"\xC5\x99\xC3\xA1"
                                   "dek\r\ndruh\xC3\xBD\"\r\n"
                                   "'-1,\r\n"));
        // What a spreadsheet's reader makes of it: Python's csv module.
        QProcess python;
        python.start(
            QStringLiteral("python3"),
            {QStringLiteral("-c"), QStringLiteral("import csv,io,sys,json;"
                                                  "print(json.dumps(list(csv.reader(io.StringIO("
                                                  "sys.stdin.buffer.read().decode('utf-8-sig'),"
                                                  "newline='')))))")});
        python.write(bytes);
        python.closeWriteChannel();
        QVERIFY(python.waitForFinished());
        const QJsonArray expected{
            QJsonArray{QStringLiteral("Karta"), QStringLiteral("Název")},
            QJsonArray{QStringLiteral("Čapek"), QStringLiteral("Válka s \"mloky\", 1936")},
            QJsonArray{QStringLiteral("'=SUM(A1)"), QStringLiteral("řádek\r\ndruhý")},
            QJsonArray{QStringLiteral("'-1"), QString()}};
        QCOMPARE(QJsonDocument::fromJson(python.readAllStandardOutput()).array(), expected);
    }

    void layoutFileKeepsColumnsAndSortAndPassesOverNonsense() {
        const TestProgramDir dir;
        const QString path = dir.filePath(overviewlayout::FileName);
        QCOMPARE(overviewlayout::read(path), OverviewLayout()); // no file yet
        OverviewLayout layout;
        layout.columns = {{QStringLiteral("Rok"), 80, true},
                          {QStringLiteral("Karta"), 120, false},
                          {QStringLiteral("Klíč; se středníkem"), 60, true}};
        layout.sortTitle = QStringLiteral("Rok");
        layout.descending = true;
        overviewlayout::write(path, layout);
        QCOMPARE(overviewlayout::read(path), layout);
        dir.writeFile(overviewlayout::FileName,
                      "Rok\r\n0\r\nx;1;A\r\n10;2;B\r\n10;1;\r\n50;0;C\r\n");
        const OverviewLayout read = overviewlayout::read(path);
        QCOMPARE(read.columns, (QList<OverviewColumnLayout>{{QStringLiteral("C"), 50, false}}));
        QVERIFY(!read.descending);
        // A folder where the file should be: a readable error naming it.
        QDir().mkpath(path + QStringLiteral("x"));
        try {
            overviewlayout::write(path + QStringLiteral("x"), layout);
            QFAIL("a write over a folder went through");
        } catch (const AppError& error) {
            QVERIFY(error.text().contains(QStringLiteral("prehled.inix")));
        }
    }

    void readerGivesEveryCardAndNamesTheUnreadableAndSharesTheCache() {
        TestCardDir host;
        host.writeCard(QStringLiteral("Adam"),
                       {QStringLiteral("Autor=Adam"), QStringLiteral("Autor=Eva")},
                       QStringLiteral("poznámka"));
        host.writeCard(QStringLiteral("Bedřich"), {}, {});
        host.dir.writeFile(QStringLiteral("FILES/Cecil.krt"), "not a zip at all");
        host.listCardDir();
        // The cache keeps only card files that can no longer change unnoticed
        // within their stamp.
        QTRY_VERIFY(stampsSettled(host.state.CardDir));
        CardTextCache cache;
        OverviewReading reading = readAll(cache, host);
        QCOMPARE(reading.cards.size(), 3);
        QCOMPARE(reading.cards[0].value(QStringLiteral("Autor")), QStringLiteral("Adam; Eva"));
        QVERIFY(reading.cards[1].readable && reading.cards[1].cells.isEmpty());
        QVERIFY(!reading.cards[2].readable);
        QCOMPARE(reading.unreadable, QStringList{QStringLiteral("Cecil.krt")});
        QCOMPARE(reading.cardFilesRead, 3);
        QVERIFY(!reading.stopped);
        // Again: the readable cards come from the cache, the search's too.
        reading = readAll(cache, host);
        QCOMPARE(reading.cardFilesRead, 1);
        QVERIFY(cache.holds(host.state.CardDir + QStringLiteral("Adam.krt")));
        testcards::replaceCard(host.dir, QStringLiteral("Adam"), {QStringLiteral("Autor=Josef")});
        reading = readAll(cache, host);
        QCOMPARE(reading.cards[0].value(QStringLiteral("Autor")), QStringLiteral("Josef"));
    }

    void storedTableReadsAsItsDecodedRows() {
        const QList<QByteArray> tables{
            "Autor=\xC8\x61pek\r\nAutor=\r\nAutor=Pol\xE1\xE8\x65k\r\n",
            "Rok=1990\rN\xE1zev=A=B\nbez rovn\xEDtka\r\n=bez kl\xED\xE8\x65\r\n\r\nX=1",
            "K=\x81\x83\x88\x90\x98\xFF\x80\0Skryt\xE9=za NUL\r\n",
            "K=a\r\n\nK=b\r\rK=\r\nK=c",
            "",
            "jen kl\xED\xE8"};
        for (const QByteArray& table : tables) {
            const OverviewCard fast =
                overviewrows::cardFromTableBytes(QStringLiteral("A.krt"), table);
            const OverviewCard decoded =
                OverviewCard::fromTable(QStringLiteral("A.krt"), tablefile::parseTable(table));
            QCOMPARE(fast.cells, decoded.cells);
            QCOMPARE(fast.fileName, QStringLiteral("A.krt"));
        }
    }

    void rowFoldingIsAccentFoldingOfEachCell() {
        const QStringList texts{QStringLiteral("Dvořák"), QStringLiteral("Straße ŁÓDŹ"),
                                QStringLiteral("e\u0301e\u0301 ﬁ"), QStringLiteral("𝒜b😀č"),
                                QString()};
        for (const QString& text : texts)
            QCOMPARE(overviewrows::foldedText(text), accents::folded(text));
        const OverviewCard card = OverviewCard::fromTable(
            QStringLiteral("Šíp.krt"), {QStringLiteral("A=") + texts[1],
                                        QStringLiteral("B=") + texts[3], QStringLiteral("C=")});
        QCOMPARE(overviewrows::foldedRowText(card, {}, false),
                 QStringLiteral("SIP\n") + accents::folded(texts[1]) + u'\n' +
                     accents::folded(texts[3]) + u'\n');
        QCOMPARE(
            overviewrows::foldedRowText(card, {QStringLiteral("Karta"), QStringLiteral("A")}, true),
            texts[3].toCaseFolded() + u'\n');

        // Folded a character at a time, every character reads as in the
        // whole text folded at once. (Without accents only up to U+FFFF: past
        // it, a text of every character has runs of spacing combining marks,
        // which folding the whole text puts in their canonical order.)
        QString every;
        qsizetype basicPlane = 0;
        for (char32_t c = 0x20; c < 0x30000; ++c) {
            if ((c < 0xD800 || c > 0xDFFF) && c != u'=')
                every += QString::fromUcs4(&c, 1);
            if (c == 0xFFFF)
                basicPlane = every.size();
        }
        const auto cardHolding = [](const QString& text) {
            return OverviewCard::fromTable(QStringLiteral("x.krt"), {QStringLiteral("A=") + text});
        };
        const QSet<QString> nameHidden{QStringLiteral("Karta")};
        QCOMPARE(overviewrows::foldedRowText(cardHolding(every), nameHidden, true),
                 every.toCaseFolded() + u'\n');
        const QString basic = every.left(basicPlane);
        QCOMPARE(overviewrows::foldedRowText(cardHolding(basic), nameHidden, false),
                 accents::folded(basic) + u'\n');
    }

    void preparedRowsAreWhatTheModelAndFilterWorkOut() {
        TestCardDir host;
        host.writeCard(QStringLiteral("Čapek"),
                       {QStringLiteral("Autor=Karel Čapek"), QStringLiteral("Rok=1936")}, {});
        host.writeCard(QStringLiteral("Dvořák"),
                       {QStringLiteral("Autor=Antonín Dvořák"), QStringLiteral("Rok=1900")}, {});
        host.writeCard(QStringLiteral("Hora"), {QStringLiteral("Rok=10")}, {});
        host.writeCard(QStringLiteral("Chalupa"), {QStringLiteral("Autor=Chalupa")}, {});
        host.listCardDir();
        CardTextCache cache;
        const QSet<QString> hidden{QStringLiteral("Rok")};
        const OverviewReading reading = readAll(cache, host, [&](OverviewReader& reader) {
            reader.prepareRows(hidden, QStringLiteral("Autor"));
        });
        const OverviewPrepared& prepared = reading.prepared;
        QVERIFY(prepared.ready);
        OverviewModel worked;
        worked.setCards(reading.cards);
        QCOMPARE(prepared.keys, worked.keys());
        QCOMPARE(prepared.ranks, worked.sortRanks(worked.columnOf(QStringLiteral("Autor"))));
        for (int row = 0; row < reading.cards.size(); ++row) {
            QCOMPARE(prepared.rowByFile.value(reading.cards[row].fileName, -1), row);
            QCOMPARE(prepared.foldedTexts[row],
                     overviewrows::foldedRowText(reading.cards[row], hidden, false));
        }

        // The window's way: the filter uses the prepared texts while the
        // same columns are hidden, and folds afresh when others are.
        OverviewModel model;
        OverviewSortFilter rows(model);
        rows.takeFoldedTextsAtReset(prepared.foldedTexts, prepared.foldedWithout);
        model.setPreparedCards(reading.cards, prepared);
        rows.setHiddenColumns({model.columnOf(QStringLiteral("Rok"))});
        rows.sort(model.columnOf(QStringLiteral("Autor")));
        rows.setFilterText(QStringLiteral("capek"));
        QCOMPARE(shownNames(rows), QStringList{QStringLiteral("Čapek")});
        rows.setFilterText(QStringLiteral("19"));
        QCOMPARE(rows.rowCount(), 0); // the years are hidden
        rows.setHiddenColumns({});
        QCOMPARE(shownNames(rows),
                 (QStringList{QStringLiteral("Dvořák"), QStringLiteral("Čapek")}));
        rows.setFilterText(QString());
        QCOMPARE(shownNames(rows), (QStringList{QStringLiteral("Dvořák"), QStringLiteral("Chalupa"),
                                                QStringLiteral("Čapek"), QStringLiteral("Hora")}));
    }
};

QTEST_GUILESS_MAIN(TestOverview)
#include "tst_core_overview.moc"
