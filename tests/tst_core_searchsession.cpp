#include "core/CardSearch.h"
#include "core/SearchSession.h"
#include "tests/support/SearchRecorder.h"
#include "tests/support/TestCardDir.h"

#include <QSignalSpy>
#include <QtTest>

// The search session on its own: its stop token against a real content
// search, and the walk of "find next" through its results.
class TestSearchSession : public QObject {
    Q_OBJECT

    SearchOutcome runSearch(TestCardDir& cards, SearchSession& session, SearchRecorder& recorder) {
        CardSearch search(SearchPlace::of(cards.state), session, recorder);
        search.setWorkerCount(2);
        return search.run(cards.entries, QStringLiteral("needle"), SearchOptions());
    }

private slots:
    void stopTokenStopsARunningSearch() {
        TestCardDir cards;
        for (const char* name : {"A", "B", "C", "D", "E"})
            cards.writeCard(name, {"k=needle"}, "");
        cards.listCardDir();
        SearchSession session;
        SearchRecorder recorder;
        QList<bool> runningAtCards;
        recorder.onProgress = [&](int cardsDone) {
            runningAtCards << session.SearchRunning;
            if (cardsDone == 2)
                session.SearchRunning = false;
        };
        const SearchOutcome outcome = runSearch(cards, session, recorder);
        QVERIFY(outcome.stopped);
        QCOMPARE(runningAtCards, QList<bool>({true, true}));
        QCOMPARE(recorder.results, QStringList({"A.krt", "B.krt"}));
        QVERIFY(!session.SearchRunning);

        // The token is raised again by the next search, which runs to its end.
        SearchRecorder again;
        QVERIFY(!runSearch(cards, session, again).stopped);
        QCOMPARE(again.results.size(), 5);
    }

    void findNextPositionFollowsTheResults() {
        SearchSession session;
        QSignalSpy moves(&session, &SearchSession::positionChanged);
        session.begin(QStringLiteral("praha"), SearchOptions());
        QVERIFY(!session.hasNext());
        session.addResults({"A.krt", "B.krt"});
        session.addResults({"C.krt"});
        session.finish(true);
        QCOMPARE(session.text(), QString("praha"));
        QCOMPARE(session.results(), QStringList({"A.krt", "B.krt", "C.krt"}));
        QCOMPARE(session.position(), -1);

        moves.clear();
        for (int row = 0; row < 3; ++row) {
            QVERIFY(session.hasNext());
            session.setPosition(session.position() + 1);
        }
        QVERIFY(!session.hasNext());
        QCOMPARE(moves.size(), 3);
        QCOMPARE(moves.last().first().toInt(), 2);

        // A row outside the results means no position.
        session.setPosition(3);
        QCOMPARE(session.position(), -1);
        session.setPosition(1);
        session.setPosition(1);
        QCOMPARE(moves.size(), 5);
    }

    void aNewSearchResetsTheSession() {
        SearchSession session;
        session.begin(QStringLiteral("praha"), SearchOptions());
        session.addResults({"A.krt", "B.krt"});
        session.finish(true);
        session.setPosition(1);

        QSignalSpy cleared(&session, &SearchSession::resultsCleared);
        SearchOptions inNames;
        inNames.inNames = true;
        session.begin(QStringLiteral("brno"), inNames);
        QCOMPARE(cleared.size(), 1);
        QVERIFY(session.results().isEmpty());
        QCOMPARE(session.position(), -1);
        // Until it ends, the results belong to no text.
        QCOMPARE(session.text(), QString());
        QVERIFY(session.options().inNames);

        // Stopped, its partial results keep no text either.
        session.addResults({"D.krt"});
        session.finish(false);
        QCOMPARE(session.text(), QString());
        QCOMPARE(session.results(), QStringList{"D.krt"});

        session.begin(QStringLiteral("brno"), inNames);
        session.finish(true);
        QCOMPARE(session.text(), QString("brno"));
        session.forgetText();
        QCOMPARE(session.text(), QString());
    }
};

QTEST_MAIN(TestSearchSession)
#include "tst_core_searchsession.moc"
