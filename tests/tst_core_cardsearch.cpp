#include "core/AccentFolding.h"
#include "core/CardSearch.h"
#include "core/CardSearchText.h"
#include "core/CardTextMembers.h"
#include "core/MemberMatcher.h"
#include "core/SearchSession.h"
#include "core/TextMatcher.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/Cp1250.h"
#include "storage/TextLines.h"
#include "tests/support/SearchRecorder.h"
#include "tests/support/TestCardDir.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QtTest>

namespace {

SearchOptions contentSearch() {
    return SearchOptions();
}

SearchOptions nameSearch() {
    SearchOptions options;
    options.inNames = true;
    return options;
}

// Name, size and checksum of every file under dir.
QStringList snapshot(const QString& dir) {
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files << path + u' ' +
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex();
    }
    files.sort();
    return files;
}

} // namespace

class TestCardSearch : public QObject {
    Q_OBJECT

    TestCardDir* host_ = nullptr;
    SearchSession session_;

    SearchOutcome search(SearchRecorder& recorder, const QString& text,
                         const SearchOptions& options = SearchOptions()) {
        CardSearch cardSearch(SearchPlace::of(host_->state), session_, recorder);
        return cardSearch.run(host_->entries, text, options);
    }

private slots:
    void init() { host_ = new TestCardDir; }
    void cleanup() { delete host_; }

    void matching_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("matches");
        QTest::newRow("lower finds capitals") << "praha"
                                              << "Město: PRAHA 4" << false << true;
        QTest::newRow("capitals find lower") << "PRAHA"
                                             << "praha" << false << true;
        QTest::newRow("č finds Č") << "č"
                                   << "ČESKÝ KRUMLOV" << false << true;
        QTest::newRow("Ř finds ř") << "Ř"
                                   << "přítel" << false << true;
        QTest::newRow("ů finds Ů") << "kůň"
                                   << "KŮŇ" << false << true;
        QTest::newRow("accent matters") << "c"
                                        << "Č" << false << false;
        QTest::newRow("exact case required") << "praha"
                                             << "PRAHA" << true << false;
        QTest::newRow("exact case found") << "Praha"
                                          << "v Praha" << true << true;
        QTest::newRow("empty occurs nowhere") << ""
                                              << "anything" << false << false;
        QTest::newRow("empty occurs nowhere, exact case") << ""
                                                          << "anything" << true << false;
    }
    void matching() {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, matches);
        QCOMPARE(TextMatcher(text, caseSensitive).matches(line), matches);
    }

    void wholeNameEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("entry");
        QTest::newRow("no extension") << "Novák"
                                      << "Novák.krt";
        QTest::newRow("extension kept") << "Novák.krt"
                                        << "Novák.krt";
        QTest::newRow("capital extension kept") << "Novák.KRT"
                                                << "Novák.KRT";
        QTest::newRow("other extension") << "Novák.txt"
                                         << "Novák.txt.krt";
        QTest::newRow("last dot counts") << "a.krt.b"
                                         << "a.krt.b.krt";
    }
    void wholeNameEntry() {
        QFETCH(QString, text);
        QFETCH(QString, entry);
        QCOMPARE(cardentries::wholeNameEntry(text), entry);
    }

    void emptyTextFindsNothing() {
        host_->writeCard("Praha", {"Obec=Praha"}, "Praha");
        host_->listCardDir();
        for (const SearchOptions& options : {contentSearch(), nameSearch()}) {
            SearchRecorder recorder(&session_);
            QCOMPARE(search(recorder, QString(), options).count, 0);
            QVERIFY(recorder.results.isEmpty());
        }
    }

    void emptyCardListFindsNothing() {
        SearchRecorder recorder(&session_);
        const SearchOutcome outcome = search(recorder, "x");
        QCOMPARE(outcome.count, 0);
        QVERIFY(!outcome.stopped);
        QVERIFY(recorder.progress.isEmpty());
    }

    void everyMatchingLineCounts() {
        host_->writeCard("Novák", {"Obec=Praha", "Ulice=Dlouhá"},
                         "Bydlí: Praha\r\npraha 4\r\nnic\r\nPRAHA");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        const SearchOutcome outcome = search(recorder, "praha");
        QCOMPARE(outcome.count, 3 + 1);
        QCOMPARE(recorder.results, QStringList(4, "Novák.krt"));
        QCOMPARE(recorder.progress, QList<int>({1}));
    }

    void equalsSignMatchesEveryTableLine() {
        host_->writeCard("A", {"x=1", "y=2", "=", "z=3"}, "no equals here");
        host_->writeCard("B", {"k=v"}, "");
        host_->writeCard("C", {}, "a=b in the notes");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "=").count, 4 + 1 + 1);
    }

    void nameSearchLooksAtTheWholeEntry() {
        host_->entries = {"Alfa.krt", "beta.KRT", "Gama.krt"};
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "krt", nameSearch()).count, 3);
        QCOMPARE(recorder.results, host_->entries);
        QCOMPARE(recorder.progress, QList<int>({1, 2, 3}));

        SearchRecorder oneOnly(&session_);
        QCOMPARE(search(oneOnly, "ALF", nameSearch()).count, 1);
        QCOMPARE(oneOnly.results, QStringList{"Alfa.krt"});
    }

    void wholeNameIsLookedUpIgnoringCase() {
        host_->entries = {"Alfa.krt", "Beta.krt"};
        SearchOptions options = nameSearch();
        options.fullName = true;
        SearchRecorder found(&session_);
        const SearchOutcome hit = search(found, "BETA", options);
        QCOMPARE(hit.wholeNameRow, 1);
        QCOMPARE(hit.count, 0);
        QVERIFY(found.results.isEmpty());

        SearchRecorder missing(&session_);
        const SearchOutcome miss = search(missing, "Bet", options);
        QCOMPARE(miss.wholeNameRow, -1);
        QCOMPARE(missing.progress, QList<int>({2}));
    }

    void czechLettersMatchTheirCapitals() {
        host_->writeCard("Dvořák", {"Příjmení=DVOŘÁK"}, "Žije v Českých Budějovicích");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "dvořák").count, 1);
        QCOMPARE(search(recorder, "ČESKÝCH").count, 1);
        QCOMPARE(search(recorder, "příjmení").count, 1);
        QCOMPARE(search(recorder, "Prijmeni").count, 0);
    }

    void exactCaseAndWholeWords() {
        host_->writeCard("A", {}, "Praha\r\nv Praze\r\nPRAHA 4\r\nmiPRAHAmi");
        host_->listCardDir();
        SearchOptions exact;
        exact.caseSensitive = true;
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "PRAHA", exact).count, 2);

        // The padding means a word at the start or end of a line is not found.
        SearchOptions words;
        words.wholeWords = true;
        QCOMPARE(search(recorder, "Praze", words).count, 0);
        QCOMPARE(search(recorder, "v", words).count, 0);
        host_->writeCard("B", {}, "město Praha 4");
        host_->listCardDir();
        QCOMPARE(search(recorder, "praha", words).count, 1);
    }

    void linesBreakAtCrLfLoneCrAndLoneLfUntilNul() {
        testcards::writeArchive(
            host_->dir.library(), host_->dir.cardDir() + "A.krt",
            {{"A.txt", QByteArray("a1\rb1\nc1\r\nd1\r\n\0e1", 17)}, {"A.tbl", "k=1\nl=1"}});
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "1").count, 4 + 2);
        QCOMPARE(search(recorder, "b1c1").count, 0);
    }

    void emptyCardFileContributesNothing() {
        cardarchive::createEmptyCardFile(host_->dir.library(), host_->dir.cardDir() + "Empty.krt");
        host_->writeCard("Full", {"k=needle"}, "");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "needle").count, 1);
        QCOMPARE(recorder.progress, QList<int>({1, 2}));
    }

    void membersNamedAfterAnotherCardContributeNothing() {
        testcards::writeArchive(host_->dir.library(), host_->dir.cardDir() + "Renamed.krt",
                                {{"Old.tbl", "k=needle\r\n"}, {"Old.txt", "needle"}});
        host_->writeCard("Other", {"k=needle"}, "");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "needle").count, 1);
        QCOMPARE(recorder.results, QStringList{"Other.krt"});
    }

    void membersAreFoundByTheEntryStem() {
        // Member names compare without regard to letter case; members in folders
        // and members of a similar name are not the card's.
        testcards::writeArchive(host_->dir.library(), host_->dir.cardDir() + "Mix.krt",
                                {{"MIX.TXT", "needle one"},
                                 {"sub/Mix.tbl", "k=needle\r\n"},
                                 {"Mix.tbl.bak", "k=needle\r\n"},
                                 {"Mix.tbl", "k=needle two\r\n"}});
        testcards::writeArchive(host_->dir.library(), host_->dir.cardDir() + "Dot.ted.krt",
                                {{"Dot.ted.txt", "needle"}, {"Dot.txt", "needle"}});
        host_->entries = {"Mix.krt", "Dot.ted.krt"};
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "needle").count, 3);
        QCOMPARE(recorder.results, QStringList({"Mix.krt", "Mix.krt", "Dot.ted.krt"}));

        // An entry spelled in other letter case still names its members.
        QFile::rename(host_->dir.cardDir() + "Mix.krt", host_->dir.cardDir() + "mix.KRT");
        host_->entries = {"mix.KRT"};
        QCOMPARE(search(recorder, "two").count, 1);
    }

    void resultsComeInListOrder() {
        host_->writeCard("A", {"k=hit table A"}, "hit notes A");
        host_->writeCard("B", {"k=hit table B", "x=none", "l=hit table B2"},
                         "hit notes B\r\nnone\r\nhit B");
        host_->entries = {"B.krt", "A.krt"};
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "hit").count, 6);
        QCOMPARE(recorder.results,
                 QStringList({"B.krt", "B.krt", "B.krt", "B.krt", "A.krt", "A.krt"}));
    }

    void textMembersAreReadByName() {
        testcards::writeArchive(host_->dir.library(), host_->dir.cardDir() + "A.krt",
                                {{"A.tbl", "k=1\r\n"}, {"A1.bmp", "BM"}, {"a.TXT", "notes"}});
        const CardTextMembers members = textmembers::readCardTextMembers(
            host_->dir.library(), host_->dir.cardDir() + "A.krt", "A");
        QCOMPARE(members.notes, QByteArray("notes"));
        QCOMPARE(members.table, QByteArray("k=1\r\n"));
    }

    void memberLines_data() {
        QTest::addColumn<QByteArray>("member");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<int>("lines");
        const QByteArray czech = cp1250::encode("Česká Třebová\r\nčeská lípa\nŘÍČANY\rříčany");
        QTest::newRow("č finds Č and č") << czech << "česk" << false << 2;
        QTest::newRow("ř finds Ř and ř") << czech << "říčany" << false << 2;
        QTest::newRow("exact case") << czech << "Česk" << true << 1;
        QTest::newRow("one line counts once") << QByteArray("aa aa\r\naa") << "a" << false << 2;
        QTest::newRow("hit at the end") << QByteArray("x\ny praha") << "PRAHA" << false << 1;
        QTest::newRow("NUL ends the text") << QByteArray("a1\n\0a1", 6) << "a1" << false << 1;
        QTest::newRow("no hit across lines") << QByteArray("ab\r\ncd") << "bc" << false << 0;
        QTest::newRow("line break in the text") << QByteArray("ab\r\ncd") << "b\r\nc" << false << 0;
        QTest::newRow("ß reads as SS") << QByteArray("Stra\xDF"
                                                     "e")
                                       << "STRASSE" << false << 1;
        QTest::newRow("empty text") << QByteArray("abc") << "" << false << 0;
        QTest::newRow("empty member") << QByteArray() << "a" << false << 0;
    }
    void memberLines() {
        QFETCH(QByteArray, member);
        QFETCH(QString, text);
        QFETCH(bool, caseSensitive);
        QFETCH(int, lines);
        QCOMPARE(MemberMatcher(text, caseSensitive).matchingLines(member), lines);
    }

    // Counting straight from the bytes gives what decoding, splitting and
    // matching line by line gives, for any bytes.
    void memberMatcherAgreesWithLineByLineMatching() {
        QRandomGenerator random(1250);
        const QByteArray alphabet("aAbBsS\r\n \x8A\x9A\xC8\xE8\xD8\xF8\xDF\x81\x00", 18);
        for (int round = 0; round < 2000; ++round) {
            QByteArray member;
            for (int i = random.bounded(30); i > 0; --i)
                member += alphabet.at(random.bounded(alphabet.size()));
            QByteArray needle;
            for (int i = random.bounded(1, 4); i > 0; --i)
                needle += alphabet.at(random.bounded(alphabet.size() - 1)); // no NUL
            const QString text = cp1250::decode(needle);
            for (const bool caseSensitive : {false, true}) {
                const TextMatcher lineMatcher(text, caseSensitive);
                int expected = 0;
                for (const QString& line : textlines::fromBytes(member))
                    expected += lineMatcher.matches(line) ? 1 : 0;
                QCOMPARE(MemberMatcher(text, caseSensitive).matchingLines(member), expected);
            }
        }
    }

    // The compact forms the cache keeps give today's answers: the same line
    // counts for Czech letters, case, NUL, CR LF, "ß" and the undefined bytes,
    // whether the text is in the notes or the table, for needles short and
    // long, and for members long enough to be scanned a block at a time.
    // Without accents the answer is that of folding each line.
    void compactTextAgreesWithMemberMatching() {
        QRandomGenerator random(1251);
        const char letters[] =
            "aAbBsSeEzZ\r\n \x8A\x9A\xC8\xE8\xD8\xF8\xDF\xB5\xE9\xC9\xE1\xC1\xE4\x81"; // and NUL
        const QByteArray alphabet(letters, sizeof letters);
        const auto randomBytes = [&](int from, int to, qsizetype letters) {
            QByteArray bytes;
            for (int i = random.bounded(from, to); i > 0; --i)
                bytes += alphabet.at(random.bounded(letters));
            return bytes;
        };
        // A piece of the member itself, letters flipped at random, or bytes
        // at random: both hits and misses.
        const auto randomNeedle = [&](const QByteArray& member) {
            if (member.size() < 2 || random.bounded(2) == 0)
                return cp1250::decode(randomBytes(1, 7, alphabet.size() - 1));
            const qsizetype start = random.bounded(member.size() - 1);
            QString piece = cp1250::decode(member.mid(start, random.bounded(1, 9)));
            for (QChar& c : piece)
                c = random.bounded(2) ? c.toUpper() : c.toLower();
            return piece.split(QChar(u'\0')).front();
        };
        for (int round = 0; round < 3000; ++round) {
            const CardTextMembers members{randomBytes(0, 90, alphabet.size()),
                                          randomBytes(0, 40, alphabet.size())};
            QString text = randomNeedle(members.notes);
            if (random.bounded(8) == 0)
                text += u'\u4e2d'; // no card text holds it

            const CardSearchText compact = searchtext::makeCardSearchText(members);
            for (const bool caseSensitive : {false, true}) {
                const MemberMatcher today(text, caseSensitive);
                const int expected =
                    today.matchingLines(members.notes) + today.matchingLines(members.table);
                const LetterMatch letters =
                    caseSensitive ? LetterMatch::Exact : LetterMatch::CaseBlind;
                QCOMPARE(CardTextMatcher(text, letters).matchingLines(compact), expected);
            }
            int foldedLines = 0;
            const bool breaks = text.contains(u'\r') || text.contains(u'\n');
            for (const QByteArray& member : {members.notes, members.table}) {
                for (const QString& line : textlines::fromBytes(member))
                    foldedLines += !breaks && !text.isEmpty() &&
                                   accents::folded(line).contains(accents::folded(text));
            }
            QCOMPARE(CardTextMatcher(text, LetterMatch::AccentBlind).matchingLines(compact),
                     foldedLines);
        }
    }

    void compactTextLines_data() {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caseBlind");
        QTest::addColumn<int>("accentBlind");
        QTest::newRow("dvorak") << "Dvořák\r\nDVOŘÁK"
                                << "k=dvorak\r\n"
                                << "dvorak" << 1 << 3;
        QTest::newRow("accented text") << "Dvořák"
                                       << "k=dvorak\r\n"
                                       << "DVOŘÁK" << 1 << 2;
        QTest::newRow("Czech letters") << "ěščřžýáíéúů ĚŠČŘŽÝÁÍÉÚŮ"
                                       << ""
                                       << "escrzyaieuu" << 0 << 1;
        QTest::newRow("ł has a stroke") << "Łódź"
                                        << ""
                                        << "lodz" << 0 << 1;
        QTest::newRow("no line across members") << "abc"
                                                << "def\r\n"
                                                << "cd" << 0 << 0;
        QTest::newRow("ß reads as SS") << "Straße"
                                       << ""
                                       << "strasse" << 1 << 1;
        QTest::newRow("outside the code page") << "abc"
                                               << ""
                                               << "a\u4e2d" << 0 << 0;
    }
    void compactTextLines() {
        QFETCH(QString, notes);
        QFETCH(QString, table);
        QFETCH(QString, text);
        QFETCH(int, caseBlind);
        QFETCH(int, accentBlind);
        const CardSearchText compact =
            searchtext::makeCardSearchText({cp1250::encode(notes), cp1250::encode(table)});
        QCOMPARE(CardTextMatcher(text, LetterMatch::CaseBlind).matchingLines(compact), caseBlind);
        QCOMPARE(CardTextMatcher(text, LetterMatch::AccentBlind).matchingLines(compact),
                 accentBlind);
    }

    // The same cards searched with the accents ignored and then minded.
    void searchWithoutAccentsOnAndOff() {
        host_->writeCard("Dvořák", {"Skladatel=Antonín Dvořák"}, "DVORAK\r\nnic");
        host_->writeCard("Novak", {"Jméno=Novák"}, "dvořákova ulice");
        host_->writeCard("Jiny", {"k=Dvorana"}, "");
        host_->listCardDir();
        SearchOptions options = contentSearch();
        options.withoutAccents = true;
        SearchRecorder on(&session_);
        QCOMPARE(search(on, "dvorak", options).count, 3);
        QCOMPARE(on.results, QStringList({"Dvořák.krt", "Dvořák.krt", "Novak.krt"}));
        SearchRecorder off(&session_);
        QCOMPARE(search(off, "dvorak").count, 1);
        QCOMPARE(off.results, QStringList({"Dvořák.krt"}));
        SearchRecorder names(&session_);
        SearchOptions nameOptions = nameSearch();
        nameOptions.withoutAccents = true;
        QCOMPARE(search(names, "DVORAK", nameOptions).count, 1);
        SearchRecorder namesOff(&session_);
        QCOMPARE(search(namesOff, "DVORAK", nameSearch()).count, 0);
    }

    void searchLeavesTheWorkingDirectoryAlone() {
        // The open card "Open" has an unsaved picture and edited members in TEMP.
        host_->writeCard("Open", {"k=needle saved"}, "needle saved");
        host_->writeCard("Second", {"k=needle"}, "needle");
        host_->dir.writeFile("TEMP/Open.tbl", "k=needle edited\r\n");
        host_->dir.writeFile("TEMP/Open.txt", "edited");
        host_->dir.writeFile("TEMP/Open1.bmp", "BM unsaved picture");
        const QStringList before = snapshot(host_->dir.workDir());
        const QStringList cardsBefore = snapshot(host_->dir.cardDir());
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        QCOMPARE(search(recorder, "needle").count, 4);
        QCOMPARE(snapshot(host_->dir.workDir()), before);
        QCOMPARE(snapshot(host_->dir.cardDir()), cardsBefore);
    }

    void unreadableCardIsPassedOver() {
        host_->writeCard("A", {"k=needle"}, "");
        host_->dir.writeFile("FILES/B.krt", "this is not a zip archive");
        host_->writeCard("C", {"k=needle"}, "");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        const SearchOutcome outcome = search(recorder, "needle");
        QCOMPARE(recorder.results, QStringList({"A.krt", "C.krt"}));
        QCOMPARE(recorder.progress, QList<int>({1, 2, 3}));
        QCOMPARE(outcome.count, 2);
        QCOMPARE(outcome.unreadable, QStringList{"B.krt"});
        QVERIFY(!outcome.stopped);
        QVERIFY(!session_.SearchRunning);
    }

    void vanishedCardIsPassedOver() {
        host_->writeCard("A", {"k=needle"}, "");
        host_->writeCard("C", {"k=needle"}, "");
        host_->entries = {"A.krt", "Gone.krt", "C.krt"};
        SearchRecorder recorder(&session_);
        const SearchOutcome outcome = search(recorder, "needle");
        QCOMPARE(recorder.results, QStringList({"A.krt", "C.krt"}));
        QCOMPARE(outcome.unreadable, QStringList{"Gone.krt"});
    }

    void missingLibraryEndsTheSearch() {
        host_->writeCard("A", {"k=needle"}, "");
        host_->listCardDir();
        const TestProgramDir withoutLibrary(false);
        host_->state.programDir = withoutLibrary.path();
        SearchRecorder recorder(&session_);
        QVERIFY_THROWS_EXCEPTION(AppError, search(recorder, "needle"));
        QVERIFY(recorder.results.isEmpty());
        QVERIFY(!session_.SearchRunning);
    }

    void stopsWhenSearchRunningGoesFalse() {
        for (const char* name : {"A", "B", "C", "D"})
            host_->writeCard(name, {"k=needle"}, "needle");
        host_->listCardDir();
        SearchRecorder recorder(&session_);
        recorder.stopAfterCards = 2;
        const SearchOutcome outcome = search(recorder, "needle");
        QVERIFY(outcome.stopped);
        QCOMPARE(recorder.results, QStringList({"A.krt", "A.krt", "B.krt", "B.krt"}));
        QCOMPARE(recorder.progress, QList<int>({1, 2}));

        SearchRecorder names(&session_);
        names.stopAfterCards = 1;
        QVERIFY(search(names, "krt", nameSearch()).stopped);
        QCOMPARE(names.results, QStringList{"A.krt"});
    }
};

QTEST_MAIN(TestCardSearch)
#include "tst_core_cardsearch.moc"
