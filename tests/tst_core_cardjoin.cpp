#include "core/CardJoin.h"

#include <QtTest>

namespace {

CardVersionContent card(const QStringList& table, const QString& notes = {},
                        const QByteArray& picture = {}) {
    CardVersionContent content;
    content.table = table;
    content.notes = notes;
    content.picture = picture;
    return content;
}

QStringList lines(const char* text) {
    return QString::fromUtf8(text).split(u'|', Qt::SkipEmptyParts);
}

} // namespace

// Joining two versions of a card against the version both came from: what
// one side changed is taken, what both changed is asked, never guessed.
class TestCardJoin : public QObject {
    Q_OBJECT
private slots:
    // Tables as "|"-separated lines. "joined" is the result with every
    // conflict answered Mine, "joinedTheirs" with every one answered Theirs.
    void table_data() {
        QTest::addColumn<QStringList>("base");
        QTest::addColumn<QStringList>("mine");
        QTest::addColumn<QStringList>("theirs");
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<QStringList>("joined");
        QTest::addColumn<QStringList>("joinedTheirs");
        const QStringList abc = lines("A=1|B=2|C=3");
        QTest::newRow("nothing changed") << abc << abc << abc << 0 << abc << abc;
        QTest::newRow("row added by me, another by them")
            << abc << lines("A=1|M=m|B=2|C=3") << lines("A=1|B=2|C=3|T=t") << 0
            << lines("A=1|M=m|B=2|C=3|T=t") << lines("A=1|M=m|B=2|C=3|T=t");
        QTest::newRow("rows removed, one on each side")
            << abc << lines("B=2|C=3") << lines("A=1|B=2") << 0 << lines("B=2") << lines("B=2");
        QTest::newRow("values changed in different rows")
            << abc << lines("A=9|B=2|C=3") << lines("A=1|B=2|C=8") << 0 << lines("A=9|B=2|C=8")
            << lines("A=9|B=2|C=8");
        QTest::newRow("same change on both sides")
            << abc << lines("A=1|B=5|C=3") << lines("A=1|B=5|C=3") << 0 << lines("A=1|B=5|C=3")
            << lines("A=1|B=5|C=3");
        QTest::newRow("one row changed differently on both sides")
            << abc << lines("A=1|B=mine|C=3") << lines("A=1|B=theirs|C=3") << 1
            << lines("A=1|B=mine|C=3") << lines("A=1|B=theirs|C=3");
        QTest::newRow("removed by me, changed by them")
            << abc << lines("A=1|C=3") << lines("A=1|B=7|C=3") << 1 << lines("A=1|C=3")
            << lines("A=1|B=7|C=3");
        QTest::newRow("reordered by me, value changed by them")
            << abc << lines("C=3|B=2|A=1") << lines("A=1|B=2|C=4") << 0 << lines("C=4|B=2|A=1")
            << lines("C=4|B=2|A=1");
        QTest::newRow("reordered differently on both sides")
            << abc << lines("C=3|A=1|B=2") << lines("B=2|A=1|C=3") << 1 << lines("C=3|A=1|B=2")
            << lines("B=2|A=1|C=3");
        QTest::newRow("repeated keys stay apart")
            << lines("Tel=1|Tel=2") << lines("Tel=1|Tel=22") << lines("Tel=11|Tel=2") << 0
            << lines("Tel=11|Tel=22") << lines("Tel=11|Tel=22");
        QTest::newRow("line without '=' changed on one side")
            << lines("poznámka|A=1") << lines("poznámka|A=2") << lines("jiná poznámka|A=1") << 0
            << lines("jiná poznámka|A=2") << lines("jiná poznámka|A=2");
        QTest::newRow("same key added with different values")
            << abc << lines("A=1|B=2|C=3|D=m") << lines("A=1|B=2|C=3|D=t") << 1
            << lines("A=1|B=2|C=3|D=m") << lines("A=1|B=2|C=3|D=t");
    }
    void table() {
        QFETCH(QStringList, base);
        QFETCH(QStringList, mine);
        QFETCH(QStringList, theirs);
        QFETCH(int, conflicts);
        QFETCH(QStringList, joined);
        QFETCH(QStringList, joinedTheirs);
        const CardJoin join(card(base), card(mine), card(theirs));
        QCOMPARE(join.conflicts().size(), conflicts);
        QCOMPARE(join.joined(QList<JoinSide>(conflicts, JoinSide::Mine)).table, joined);
        QCOMPARE(join.joined(QList<JoinSide>(conflicts, JoinSide::Theirs)).table, joinedTheirs);
    }

    void bothSidesChangeShowsBothSides() {
        const CardJoin join(card(lines("Obec=Brno")), card(lines("Obec=Praha")),
                            card(lines("Obec=Ostrava")));
        QCOMPARE(join.conflicts().size(), 1);
        const JoinConflict& conflict = join.conflicts().first();
        QCOMPARE(conflict.part, JoinConflict::Part::Row);
        QCOMPARE(conflict.label, QStringLiteral("Obec"));
        QCOMPARE(conflict.mine, QStringList{QStringLiteral("Obec=Praha")});
        QCOMPARE(conflict.theirs, QStringList{QStringLiteral("Obec=Ostrava")});
    }

    // Notes as "|"-separated lines, joined with CR LF.
    void notes_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("mine");
        QTest::addColumn<QString>("theirs");
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<QString>("joined");
        QTest::newRow("lines changed far apart") << "a|b|c|d|e"
                                                 << "A|b|c|d|e"
                                                 << "a|b|c|d|E" << 0 << "A|b|c|d|E";
        QTest::newRow("line added by me, line removed by them") << "a|b|c|d"
                                                                << "a|nový|b|c|d"
                                                                << "a|b|c" << 0 << "a|nový|b|c";
        // Touching stretches count as one, changed on both sides.
        QTest::newRow("line added by me next to a line removed by them")
            << "a|b|c"
            << "a|b|nový|c"
            << "a|c" << 1 << "a|b|nový|c";
        QTest::newRow("one line changed on both sides") << "a|b|c"
                                                        << "a|moje|c"
                                                        << "a|jejich|c" << 1 << "a|moje|c";
        QTest::newRow("notes written into empty notes on both sides") << ""
                                                                      << "moje"
                                                                      << "jejich" << 1 << "moje";
        QTest::newRow("lone line breaks count as CR LF") << "a\nb"
                                                         << "a\r\nB"
                                                         << "a\rb" << 0 << "a|B";
    }
    void notes() {
        QFETCH(QString, base);
        QFETCH(QString, mine);
        QFETCH(QString, theirs);
        QFETCH(int, conflicts);
        QFETCH(QString, joined);
        const auto crlf = [](QString text) { return text.replace(u'|', QStringLiteral("\r\n")); };
        const CardJoin join(card({}, crlf(base)), card({}, crlf(mine)), card({}, crlf(theirs)));
        QCOMPARE(join.conflicts().size(), conflicts);
        for (const JoinConflict& conflict : join.conflicts())
            QCOMPARE(conflict.part, JoinConflict::Part::Notes);
        QCOMPARE(join.joined({}).notes, crlf(joined));
    }

    void picture_data() {
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QByteArray>("mine");
        QTest::addColumn<QByteArray>("theirs");
        QTest::addColumn<int>("conflicts");
        QTest::addColumn<QByteArray>("joined");
        QTest::newRow("picture added by them")
            << QByteArray() << QByteArray() << QByteArray("T") << 0 << QByteArray("T");
        QTest::newRow("picture removed by me")
            << QByteArray("B") << QByteArray() << QByteArray("B") << 0 << QByteArray();
        QTest::newRow("picture replaced on both sides")
            << QByteArray("B") << QByteArray("M") << QByteArray("T") << 1 << QByteArray("M");
    }
    void picture() {
        QFETCH(QByteArray, base);
        QFETCH(QByteArray, mine);
        QFETCH(QByteArray, theirs);
        QFETCH(int, conflicts);
        QFETCH(QByteArray, joined);
        const CardJoin join(card({}, {}, base), card({}, {}, mine), card({}, {}, theirs));
        QCOMPARE(join.conflicts().size(), conflicts);
        QCOMPARE(join.joined({}).picture, joined);
    }

    // Without the version both came from, nothing tells an added row from
    // one the other side removed: every difference is asked.
    void withoutBaseEveryDifferenceIsAsked() {
        const CardJoin join(std::nullopt, card(lines("A=1|B=2|M=m"), QStringLiteral("x\r\ny")),
                            card(lines("A=1|B=3"), QStringLiteral("x\r\nz")));
        QCOMPARE(join.conflicts().size(), 3); // B, M, the notes' second line
        const CardVersionContent theirs = join.joined(QList<JoinSide>(3, JoinSide::Theirs));
        QCOMPARE(theirs.table, lines("A=1|B=3"));
        QCOMPARE(theirs.notes, QStringLiteral("x\r\nz"));
        const CardVersionContent agreed =
            CardJoin(std::nullopt, card(lines("A=1")), card(lines("A=1"))).joined({});
        QCOMPARE(agreed.table, lines("A=1"));
    }

    void picksChooseEachConflictApart() {
        const CardJoin join(card(lines("A=1|B=2")), card(lines("A=m|B=m")), card(lines("A=t|B=t")));
        QCOMPARE(join.conflicts().size(), 2);
        const QStringList mixed = join.joined({JoinSide::Theirs, JoinSide::Mine}).table;
        QCOMPARE(mixed.size(), 2);
        QVERIFY(mixed.contains(join.conflicts()[0].theirs.first()));
        QVERIFY(mixed.contains(join.conflicts()[1].mine.first()));
    }
};

QTEST_GUILESS_MAIN(TestCardJoin)
#include "tst_core_cardjoin.moc"
