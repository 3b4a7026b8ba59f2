#include "core/UnreadableCardsMessage.h"

#include <QtTest>

// The one message naming the card files a content search passed over.
class TestUnreadableCardsMessage : public QObject {
    Q_OBJECT
private slots:
    void namesOneCard() {
        QCOMPARE(unreadablecards::unreadableCardsMessage({"Novák.krt"}),
                 QString("Soubor karty Novák.krt nelze přečíst (je poškozený, není to archiv "
                         "karty, nebo zmizel). Hledání ho přeskočilo."));
    }

    void namesEachOfSeveralOnItsLine() {
        const QStringList lines =
            unreadablecards::unreadableCardsMessage({"A.krt", "B.krt", "C.krt"}).split(u'\n');
        QCOMPARE(lines.mid(1), QStringList({"A.krt", "B.krt", "C.krt"}));
        QVERIFY(lines.first().startsWith("Tyto soubory karet nelze přečíst"));
    }

    void namesTheFirstTwentyAndCountsThemAll() {
        QStringList entries;
        for (int i = 0; i < 57; ++i)
            entries << QString("K%1.krt").arg(i);
        const QStringList lines = unreadablecards::unreadableCardsMessage(entries).split(u'\n');
        QCOMPARE(lines.mid(1, 20), entries.mid(0, 20));
        QCOMPARE(lines.mid(21), QStringList({"…", "Celkem nečitelných souborů: 57"}));
    }
};

QTEST_MAIN(TestUnreadableCardsMessage)
#include "tst_core_unreadablecards.moc"
