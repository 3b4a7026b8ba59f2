#include "core/CardTextMembers.h"
#include "storage/AppError.h"
#include "storage/CardArchive.h"
#include "storage/Cp1250.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/WorkDir.h"
#include "tests/support/ErrorText.h"
#include "tests/support/HostileCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// While it lives, releases any reader that waits on the FIFO at path by opening
// and closing its writing end, so that a reader that blocks shows as a wrong
// message rather than as a test that never ends.
class FifoReleaser {
public:
    explicit FifoReleaser(const QString& path)
        : path_(QFile::encodeName(path)), thread_([this] { release(); }) {}
    ~FifoReleaser() {
        stop_ = true;
        // A reading end held open lets the writing end's open below return at
        // once, whether it is waiting now or starts after this.
        const int reader = ::open(path_.constData(), O_RDONLY | O_NONBLOCK);
        thread_.join();
        if (reader >= 0)
            ::close(reader);
    }

private:
    void release() {
        while (!stop_) {
            // Waits until a reader opens the FIFO.
            const int fd = ::open(path_.constData(), O_WRONLY);
            if (fd < 0)
                return;
            ::close(fd);
        }
    }

    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace

// Card files made to harm other cards or the machine: members that would block
// a later card, zip bombs, FIFOs, names that differ only in case or hide a NUL.
// The open (cardarchive::unpackCard) and the search (textmembers::readCardTextMembers) must both
// stay safe and agree on what a card holds.
class TestStorageHostile : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;

    QString card(const QString& name) const { return dir_->cardDir() + name + u".krt"_s; }
    QString work(const QString& name) const { return dir_->workDir() + name; }
    QStringList workEntries() const {
        return QDir(dir_->workDir())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }
    // Member data are given as text and stored in code page 1250.
    void writeZip(const QString& name, const QList<QPair<QString, QString>>& members) const {
        QList<ziptools::Entry> entries;
        for (const auto& [memberName, text] : members)
            entries.append({memberName, cp1250::encode(text)});
        ziptools::writeWithPython(card(name), entries, true);
    }
    void unpack(const QString& name) const {
        cardarchive::unpackCard(dir_->library(), card(name), dir_->workDir());
    }
    CardTextMembers search(const QString& name) const {
        return textmembers::readCardTextMembers(dir_->library(), card(name), name);
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>();
        dir_->makeDirectories();
    }

    // --- What a card leaves in the working directory ---

    void membersInFoldersAndHiddenMembersAreNotUnpacked() {
        writeZip(u"Zla"_s, {{u"Zla.tbl"_s, u"a=1\r\n"_s},
                            {u"Jina.tbl/x"_s, u"blocks"_s},
                            {u"sub/deep/notes.txt"_s, u"deep"_s},
                            {u".hidden"_s, u"h"_s},
                            {u"dir\\back.txt"_s, u"b"_s},
                            {u"./Zla.txt"_s, u"notes"_s}});
        unpack(u"Zla"_s);
        QCOMPARE(workEntries(), (QStringList{u"Zla.tbl"_s, u"Zla.txt"_s}));
        QCOMPARE(notesfile::loadNotes(work(u"Zla.txt"_s)), u"notes"_s);
    }

    void aCardCannotMakeAnotherUnopenable() {
        writeZip(u"Zla"_s, {{u"Jina.tbl/x"_s, u"blocks"_s}, {u"Jina.txt/y"_s, u"blocks"_s}});
        writeZip(u"Jina"_s, {{u"Jina.tbl"_s, u"Obec=Brno\r\n"_s}, {u"Jina.txt"_s, u"ok"_s}});
        unpack(u"Zla"_s);
        workdir::ClearWorkDir(dir_->workDir());
        unpack(u"Jina"_s);
        QCOMPARE(tablefile::LoadTable(work(u"Jina.tbl"_s)), QStringList{u"Obec=Brno"_s});
        QCOMPARE(notesfile::loadNotes(work(u"Jina.txt"_s)), u"ok"_s);
    }

    void whateverStandsInAMembersPlaceGoes() {
        // Left by some other program: a folder tree and a link under member names.
        dir_->writeFile(u"TEMP/Karta.tbl/inner/file"_s, "x");
        QVERIFY(QFile::link(u"/nonexistent/target"_s, work(u"Karta.txt"_s)));
        writeZip(u"Karta"_s, {{u"Karta.tbl"_s, u"a=1\r\n"_s}, {u"Karta.txt"_s, u"n"_s}});
        unpack(u"Karta"_s);
        QVERIFY(QFileInfo(work(u"Karta.tbl"_s)).isFile());
        QVERIFY(!QFileInfo(work(u"Karta.txt"_s)).isSymLink());
        QCOMPARE(tablefile::LoadTable(work(u"Karta.tbl"_s)), QStringList{u"a=1"_s});
    }

    void clearWorkDirLeavesNothingAndFollowsNoLink() {
        QTemporaryDir outside;
        const QString keptFile = outside.path() + u"/kept.txt"_s;
        ziptools::writeFile(keptFile, "keep");
        ziptools::writeFile(outside.path() + u"/folder/inner.txt"_s, "keep too");
        dir_->writeFile(u"TEMP/plain.tbl"_s, "p");
        dir_->writeFile(u"TEMP/.hidden"_s, "h");
        dir_->writeFile(u"TEMP/sub/deeper/.x"_s, "x");
        QVERIFY(QFile::link(keptFile, work(u"link-to-file"_s)));
        QVERIFY(QFile::link(outside.path() + u"/folder"_s, work(u"link-to-folder"_s)));
        QVERIFY(QFile::link(u"/nonexistent"_s, work(u"dangling"_s)));
        QVERIFY(::mkfifo(QFile::encodeName(work(u"fifo"_s)).constData(), 0600) == 0);

        workdir::ClearWorkDir(dir_->workDir());
        QCOMPARE(workEntries(), QStringList());
        QVERIFY(QFileInfo(dir_->workDir()).isDir());
        QCOMPARE(ziptools::filesBelow(outside.path()).value(u"kept.txt"_s), "keep"_ba);
        QCOMPARE(ziptools::filesBelow(outside.path()).value(u"folder/inner.txt"_s), "keep too"_ba);
    }

    // --- Size limits ---

    void unpackRefusesTooLargeMembers_data() {
        QTest::addColumn<QString>("member");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("declared");
        QTest::addColumn<QString>("reason");
        const qint64 mb = 1 << 20;
        QTest::newRow("text over 64 MB, declared")
            << u"Bomba.txt"_s << 65 * mb << qint64(-1) << u"by po rozbalení měla 65 MB"_s;
        QTest::newRow("text over 64 MB, declared small")
            << u"Bomba.txt"_s << 65 * mb << qint64(1000)
            << u"položka Bomba.txt je po rozbalení větší než povolených 64 MB"_s;
        QTest::newRow("picture over 256 MB, declared small")
            << u"Bomba1.bmp"_s << 257 * mb << qint64(1000)
            << u"položka Bomba1.bmp je po rozbalení větší než povolených 256 MB"_s;
    }
    void unpackRefusesTooLargeMembers() {
        QFETCH(QString, member);
        QFETCH(qint64, size);
        QFETCH(qint64, declared);
        QFETCH(QString, reason);
        hostilecards::writeLargeMember(card(u"Bomba"_s), member, size, 'A', declared);
        const QString message = errorOf([&] { unpack(u"Bomba"_s); });
        QVERIFY2(message.startsWith(u"Soubor karty "_s + card(u"Bomba"_s) + u" nelze přečíst: "_s),
                 qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        // No part of the member stays behind.
        QCOMPARE(workEntries(), QStringList());
    }

    void unpackRefusesTooManyItems() {
        hostilecards::writeManyItems(card(u"Mnoho"_s), 5000);
        QCOMPARE(errorOf([&] { unpack(u"Mnoho"_s); }),
                 u"Soubor karty "_s + card(u"Mnoho"_s) +
                     u" nelze přečíst: obsahuje 5000 položek, povoleno je nejvýše 1000"_s);
        QCOMPARE(workEntries(), QStringList());
    }

    void unpackRefusesTooMuchInAll() {
        // Seven text members of 63 MB each: none passes its own limit, together
        // they pass the card's.
        const QString path = card(u"Jedna"_s);
        hostilecards::writeLargeMember(path, u"a.txt"_s, 63 << 20);
        const ziptools::Run run = ziptools::runProgram(
            u"python3"_s, {u"-c"_s,
                           u"import sys, zipfile\n"
                           "src = zipfile.ZipFile(sys.argv[1])\n"
                           "data = src.read('a.txt')\n"
                           "with zipfile.ZipFile(sys.argv[2], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                           "    for i in range(7): z.writestr('m%d.txt' % i, data)\n"_s,
                           path, card(u"Spolu"_s)});
        QCOMPARE(run.exitCode, 0);
        const QString message = errorOf([&] { unpack(u"Spolu"_s); });
        QVERIFY2(message.contains(u"obsah karty by po rozbalení měl přes"_s), qPrintable(message));
        QCOMPARE(workEntries(), QStringList());
    }

    void searchRefusesTooLargeMembers() {
        hostilecards::writeLargeMember(card(u"Bomba"_s), u"Bomba.txt"_s, 65 << 20, 'A', 1000);
        const QString message = errorOf([&] { search(u"Bomba"_s); });
        QCOMPARE(message, u"Soubor karty "_s + card(u"Bomba"_s) +
                              u" nelze přečíst: položka Bomba.txt je po rozbalení větší než "
                              u"povolených 64 MB"_s);
        hostilecards::writeManyItems(card(u"Mnoho"_s), 1001);
        QVERIFY(errorOf([&] { search(u"Mnoho"_s); }).contains(u"obsahuje 1001 položek"_s));
    }

    void membersWithinTheLimitsStillOpen() {
        hostilecards::writeLargeMember(card(u"Velka"_s), u"Velka.txt"_s, 3 << 20, 'B');
        unpack(u"Velka"_s);
        QCOMPARE(QFileInfo(work(u"Velka.txt"_s)).size(), qint64(3 << 20));
        QCOMPARE(search(u"Velka"_s).notes.size(), qsizetype(3 << 20));
    }

    // --- Files that are no card file ---

    void aFifoAtTheCardPathIsRefusedAtOnce() {
        QVERIFY(::mkfifo(QFile::encodeName(card(u"Roura"_s)).constData(), 0600) == 0);
        const FifoReleaser releaser(card(u"Roura"_s));
        const QString expected =
            u"Nelze otevřít soubor "_s + card(u"Roura"_s) + u": je to pojmenovaná roura (FIFO)"_s;
        QCOMPARE(errorOf([&] { unpack(u"Roura"_s); }), expected);
        QCOMPARE(errorOf([&] { search(u"Roura"_s); }), expected);
    }

    void aFifoInTheWorkingDirectoryIsNotReadAsAMember() {
        QVERIFY(::mkfifo(QFile::encodeName(work(u"Karta.tbl"_s)).constData(), 0600) == 0);
        const FifoReleaser releaser(work(u"Karta.tbl"_s));
        QCOMPARE(errorOf([&] { tablefile::LoadTable(work(u"Karta.tbl"_s)); }),
                 u"Nelze přečíst soubor "_s + work(u"Karta.tbl"_s) +
                     u": je to pojmenovaná roura (FIFO)"_s);
    }

    // --- Which member counts ---

    // The last of two spellings counts, as in every Zip reader (it used to be
    // the first, which dropped the newer text at the next save).
    void openAndSearchTakeTheLastOfTwoSpellings() {
        writeZip(u"Karta"_s, {{u"KARTA.TBL"_s, u"Kdo=první\r\n"_s},
                              {u"Karta.txt"_s, u"první"_s},
                              {u"Karta.tbl"_s, u"Kdo=druhý\r\n"_s},
                              {u"KARTA.txt"_s, u"druhé"_s}});
        unpack(u"Karta"_s);
        QCOMPARE(workEntries(), (QStringList{u"KARTA.txt"_s, u"Karta.tbl"_s}));
        const QStringList table = tablefile::LoadTable(work(u"Karta.tbl"_s));
        const QString notes = notesfile::loadNotes(work(u"KARTA.txt"_s));
        QCOMPARE(table, QStringList{u"Kdo=druhý"_s});
        QCOMPARE(notes, u"druhé"_s);
        const CardTextMembers found = search(u"Karta"_s);
        QCOMPARE(tablefile::parseTable(found.table), table);
        QCOMPARE(notesfile::parseNotes(found.notes), notes);
    }

    // A writer that updates a member appends it again under the same name.
    void aMemberAppendedAgainReplacesTheOlderCopy() {
        writeZip(u"Karta"_s, {{u"Karta.tbl"_s, u"Obec=Brno\r\n"_s}, {u"Karta.txt"_s, u"stará"_s}});
        ziptools::appendWithPython(card(u"Karta"_s),
                                   {{u"Karta.txt"_s, cp1250::encode(u"nová"_s)},
                                    {u"Karta.tbl"_s, cp1250::encode(u"Obec=Zlín\r\n"_s)}});
        QCOMPARE(ziptools::readWithPython(card(u"Karta"_s)).size(), 4);
        unpack(u"Karta"_s);
        QCOMPARE(workEntries(), (QStringList{u"Karta.tbl"_s, u"Karta.txt"_s}));
        QCOMPARE(notesfile::loadNotes(work(u"Karta.txt"_s)), u"nová"_s);
        QCOMPARE(tablefile::LoadTable(work(u"Karta.tbl"_s)), QStringList{u"Obec=Zlín"_s});
        const CardTextMembers found = search(u"Karta"_s);
        QCOMPARE(notesfile::parseNotes(found.notes), u"nová"_s);
        QCOMPARE(tablefile::parseTable(found.table), QStringList{u"Obec=Zlín"_s});
    }

    // A name the binding sees with a control character is skipped. The library
    // cuts a name at a NUL before the binding sees it, as Python's zipfile
    // does: "Karta.txt\0" is then a later copy of "Karta.txt", and counts as the
    // last copy does in every Zip reader; the open and the search agree on it.
    void namesWithControlCharactersAreSkipped_data() {
        QTest::addColumn<QByteArray>("hidden");
        QTest::addColumn<QString>("notes");
        QTest::newRow("NUL") << QByteArray(1, '\0') << u"podvržené"_s;
        QTest::newRow("line feed") << "\n"_ba << u"skutečné poznámky"_s;
        QTest::newRow("escape") << "\x1b"_ba << u"skutečné poznámky"_s;
    }
    void namesWithControlCharactersAreSkipped() {
        QFETCH(QByteArray, hidden);
        QFETCH(QString, notes);
        // "Karta.txtQ" becomes "Karta.txt" + the control character in both headers.
        writeZip(u"Karta"_s, {{u"Karta.tbl"_s, u"a=1\r\n"_s},
                              {u"Karta.txt"_s, u"skutečné poznámky"_s},
                              {u"Karta.txtQ"_s, u"podvržené"_s}});
        QCOMPARE(hostilecards::replaceBytes(card(u"Karta"_s), "Karta.txtQ", "Karta.txt" + hidden),
                 2);
        unpack(u"Karta"_s);
        QCOMPARE(workEntries(), (QStringList{u"Karta.tbl"_s, u"Karta.txt"_s}));
        QCOMPARE(notesfile::loadNotes(work(u"Karta.txt"_s)), notes);
        QCOMPARE(notesfile::parseNotes(search(u"Karta"_s).notes), notes);
    }
};

QTEST_GUILESS_MAIN(TestStorageHostile)
#include "tst_core_hostilecards.moc"
