#include "storage/sevenzip/SafeItemPath.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

// Unpacking never writes outside its destination, whatever paths the archive
// holds; backslashes of archives made on Windows separate folders.
class TestSevenZipPaths : public QObject {
    Q_OBJECT

    TestProgramDir program_;

    // Every file and link below root, as paths relative to it.
    static QStringList entriesBelow(const QString& root) {
        QStringList found;
        QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << QDir(root).relativeFilePath(it.next());
        found.sort();
        return found;
    }
    void unpack(const QString& zip, const QString& destination) {
        auto reader = sevenzip::MakeInArchive(program_.library(), ZipFormatId);
        reader->OpenArchive(zip);
        reader->ExtractAllTo(destination);
    }

private slots:
    void itemPathParts_data() {
        QTest::addColumn<QString>("itemPath");
        QTest::addColumn<QStringList>("parts");
        QTest::newRow("plain") << "karta.tbl" << QStringList{"karta.tbl"};
        QTest::newRow("folders") << "a/b/c.txt" << QStringList{"a", "b", "c.txt"};
        QTest::newRow("backslashes") << "a\\b\\c.txt" << QStringList{"a", "b", "c.txt"};
        QTest::newRow("dots and doubled separators") << "./a//./b.txt" << QStringList{"a", "b.txt"};
        QTest::newRow("three dots are a name") << ".../x" << QStringList{"...", "x"};
        QTest::newRow("colon inside") << "ab:c/d" << QStringList{"ab:c", "d"};
        QTest::newRow("absolute") << "/etc/passwd" << QStringList{};
        QTest::newRow("absolute backslash") << "\\x.txt" << QStringList{};
        QTest::newRow("drive") << "C:\\x.txt" << QStringList{};
        QTest::newRow("drive relative") << "c:x.txt" << QStringList{};
        QTest::newRow("parent") << "../x" << QStringList{};
        QTest::newRow("parent backslash") << "..\\x" << QStringList{};
        QTest::newRow("climbs out") << "a/../../x" << QStringList{};
        QTest::newRow("climbs out mixed") << "a\\..\\../x" << QStringList{};
        QTest::newRow("parent at the end") << "a/.." << QStringList{};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("only separators") << "//\\" << QStringList{};
    }
    void itemPathParts() {
        QFETCH(QString, itemPath);
        QFETCH(QStringList, parts);
        QCOMPARE(sevenzip::safeItemPathParts(itemPath), parts);
    }

    void hostilePathsCreateNothingOutside() {
        QTemporaryDir root;
        const QString rootPath = root.path() + u'/';
        const QString unique = QUuid::createUuid().toString(QUuid::Id128);
        const QString absoluteTarget = rootPath + "absolute.txt";
        const QString fromRoot = "/kartoteka-" + unique + ".txt";
        const QString zip = rootPath + "hostile.krt";
        ziptools::writeWithPython(zip,
                                  {{"ok.txt", "ok"},
                                   {absoluteTarget, "abs"},
                                   {"\\" + fromRoot.mid(1), "abs2"},
                                   {"../up.txt", "up"},
                                   {"..\\up2.txt", "up2"},
                                   {"a/../../x.txt", "x"},
                                   {"a\\..\\..\\y.txt", "y"},
                                   {"C:\\win.txt", "win"},
                                   {"dir\\inner.txt", "inner"},
                                   {"./dot/./z.txt", "z"}},
                                  false);
        unpack(zip, rootPath + "dest");
        QCOMPARE(entriesBelow(rootPath), (QStringList{"dest/dir/inner.txt", "dest/dot/z.txt",
                                                      "dest/ok.txt", "hostile.krt"}));
        QCOMPARE(testcards::fileBytes(rootPath + "dest/dir/inner.txt"), "inner");
        QVERIFY(!QFileInfo::exists(fromRoot));
    }

    void symbolicLinksInTheDestinationAreNotFollowed() {
        QTemporaryDir root;
        const QString rootPath = root.path() + u'/';
        const QString destination = rootPath + "dest/";
        QDir().mkpath(destination);
        QDir().mkpath(rootPath + "outside");
        QFile outsideFile(rootPath + "outside/victim.txt");
        outsideFile.open(QIODevice::WriteOnly);
        outsideFile.write("keep");
        outsideFile.close();
        QVERIFY(QFile::link(rootPath + "outside", destination + "link"));
        QVERIFY(QFile::link(rootPath + "outside/victim.txt", destination + "victim.txt"));

        const QString zip = rootPath + "links.krt";
        ziptools::writeWithPython(
            zip, {{"link/planted.txt", "planted"}, {"victim.txt", "replaced"}}, false);
        unpack(zip, destination);

        QCOMPARE(entriesBelow(rootPath + "outside"), QStringList{"victim.txt"});
        QCOMPARE(testcards::fileBytes(rootPath + "outside/victim.txt"), "keep");
        QVERIFY(!QFileInfo(destination + "victim.txt").isSymLink());
        QCOMPARE(testcards::fileBytes(destination + "victim.txt"), "replaced");
    }
};

QTEST_MAIN(TestSevenZipPaths)
#include "tst_sevenzip_paths.moc"
