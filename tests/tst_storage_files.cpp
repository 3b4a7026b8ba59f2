#include "storage/AppError.h"
#include "storage/FileNames.h"
#include "storage/NotesFile.h"
#include "storage/TableFile.h"
#include "storage/TextFile.h"
#include "storage/WorkDir.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;

// Member and settings files on disk, the case-insensitive look-up of names in
// FILES and TEMP, and the emptying of the working directory.
class TestStorageFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgramDir> dir_;

    QString work(const QString& name) const { return dir_->workDir() + name; }
    QStringList workFiles() const {
        return QDir(dir_->workDir()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private slots:
    void init() {
        dir_ = std::make_unique<TestProgramDir>(false);
        dir_->makeDirectories();
    }

    void tableAndNotesRoundTripOnDisk() {
        const QStringList rows{u"Jméno=Jiří"_s, u"Obec=Brno"_s, u"="_s, u"bez rovnítka"_s};
        tablefile::SaveTable(work(u"Karta.tbl"_s), rows);
        notesfile::saveNotes(work(u"Karta.txt"_s), u"řádek 1\n\nřádek 3"_s);
        QCOMPARE(dir_->readFile(u"TEMP/Karta.txt"_s),
                 "\xf8\xe1\x64\x65k 1\r\n\r\n\xf8\xe1\x64\x65k 3"_ba);
        QCOMPARE(tablefile::LoadTable(work(u"Karta.tbl"_s)), rows);
        QCOMPARE(notesfile::loadNotes(work(u"Karta.txt"_s)), u"řádek 1\n\nřádek 3"_s);
    }

    void emptyTableAndNotesAreEmptyFiles() {
        tablefile::SaveTable(work(u"Nova.tbl"_s), {});
        notesfile::saveNotes(work(u"Nova.txt"_s), QString());
        QCOMPARE(QFileInfo(work(u"Nova.tbl"_s)).size(), 0);
        QCOMPARE(QFileInfo(work(u"Nova.txt"_s)).size(), 0);
        QCOMPARE(tablefile::LoadTable(work(u"Nova.tbl"_s)), QStringList());
    }

    void unencodableTextLeavesTheFileUntouched() {
        dir_->writeFile(u"TEMP/K.tbl"_s, "a=1\r\n"_ba);
        dir_->writeFile(u"TEMP/K.txt"_s, "old"_ba);
        dir_->writeFile(u"colw.ini"_s, "64\r\n"_ba);
        const QString expected = u"Text obsahuje znaky, které nelze uložit: ☺"_s;
        QCOMPARE(errorOf([&] { tablefile::SaveTable(work(u"K.tbl"_s), {u"a=☺"_s}); }), expected);
        QCOMPARE(errorOf([&] { notesfile::saveNotes(work(u"K.txt"_s), u"☺"_s); }), expected);
        QCOMPARE(
            errorOf([&] { textfile::writeTextLines(dir_->filePath(u"colw.ini"_s), {u"☺"_s}); }),
            expected);
        QCOMPARE(dir_->readFile(u"TEMP/K.tbl"_s), "a=1\r\n"_ba);
        QCOMPARE(dir_->readFile(u"TEMP/K.txt"_s), "old"_ba);
        QCOMPARE(dir_->readFile(u"colw.ini"_s), "64\r\n"_ba);
    }

    void errorsNameTheFile() {
        QDir().mkpath(dir_->filePath(u"colw.ini"_s));
        const QString path = dir_->filePath(u"colw.ini"_s);
        QVERIFY(errorOf([&] {
                    textfile::writeTextLines(path, {u"1"_s});
                }).startsWith(u"Nelze zapsat soubor "_s + path + u": "_s));
        QVERIFY(errorOf([&] {
                    textfile::readTextLines(path);
                }).startsWith(u"Nelze přečíst soubor "_s + path + u": "_s));
        const QString missing = work(u"chybi.tbl"_s);
        QVERIFY(errorOf([&] {
                    tablefile::LoadTable(missing);
                }).startsWith(u"Nelze přečíst soubor "_s + missing + u": "_s));
        QDir().mkpath(work(u"slozka.txt"_s));
        QVERIFY(errorOf([&] {
                    notesfile::saveNotes(work(u"slozka.txt"_s), u"x"_s);
                }).startsWith(u"Nelze zapsat soubor "_s));
    }

    void textLinesEndWithCrLf() {
        const QString path = dir_->filePath(u"config.ini"_s);
        textfile::writeTextLines(path, {u"Předmět,Hodnota"_s, u"1"_s, QString()});
        QCOMPARE(dir_->readFile(u"config.ini"_s), "P\xf8\x65\x64m\xect,Hodnota\r\n1\r\n\r\n"_ba);
        QCOMPARE(textfile::readTextLines(path),
                 (QStringList{u"Předmět,Hodnota"_s, u"1"_s, QString()}));
        dir_->writeFile(u"font.ini"_s, "a\nb"_ba);
        QCOMPARE(textfile::readTextLines(dir_->filePath(u"font.ini"_s)),
                 (QStringList{u"a"_s, u"b"_s}));
    }

    void membersAreFoundInAnyCase() {
        dir_->writeFile(u"TEMP/KARTA.TBL"_s, "a=1\r\n"_ba);
        dir_->writeFile(u"TEMP/KARTA.Txt"_s, "pozn"_ba);
        QCOMPARE(tablefile::LoadTable(work(u"Karta.tbl"_s)), QStringList{u"a=1"_s});
        QCOMPARE(notesfile::loadNotes(work(u"Karta.txt"_s)), u"pozn"_s);
    }

    void writingAMemberReplacesOtherSpellings() {
        dir_->writeFile(u"TEMP/ČAJ.TBL"_s, "old=1\r\n"_ba);
        dir_->writeFile(u"TEMP/čaj.Tbl"_s, "old=2\r\n"_ba);
        dir_->writeFile(u"TEMP/čaj.txt"_s, "keep"_ba);
        tablefile::SaveTable(work(u"Čaj.tbl"_s), {u"new=1"_s});
        QCOMPARE(workFiles(), (QStringList{u"Čaj.tbl"_s, u"čaj.txt"_s}));
        QCOMPARE(tablefile::LoadTable(work(u"čaj.TBL"_s)), QStringList{u"new=1"_s});
    }

    void lookupIgnoresCase_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << QStringList{u"a.krt"_s} << u"a.krt"_s << u"a.krt"_s;
        QTest::newRow("other case")
            << QStringList{u"Recepty.KRT"_s} << u"recepty.krt"_s << u"Recepty.KRT"_s;
        QTest::newRow("Czech capitals")
            << QStringList{u"ŽLUŤOUČKÝ.krt"_s} << u"žluťoučký.krt"_s << u"ŽLUŤOUČKÝ.krt"_s;
        QTest::newRow("exact wins")
            << QStringList{u"A.krt"_s, u"a.krt"_s} << u"a.krt"_s << u"a.krt"_s;
        QTest::newRow("hidden file") << QStringList{u".Skryty"_s} << u".skryty"_s << u".Skryty"_s;
        QTest::newRow("absent") << QStringList{u"ab.krt"_s} << u"a.krt"_s << QString();
        QTest::newRow("folder does not count") << QStringList{u"sub/"_s} << u"SUB"_s << QString();
    }
    void lookupIgnoresCase() {
        QFETCH(QStringList, files);
        QFETCH(QString, name);
        QFETCH(QString, found);
        for (const QString& file : files) {
            if (file.endsWith(u'/'))
                QDir().mkpath(dir_->cardDir() + file);
            else
                dir_->writeFile(u"FILES/"_s + file, "x"_ba);
        }
        const QString expected = found.isEmpty() ? QString() : dir_->cardDir() + found;
        QCOMPARE(filenames::existingPath(dir_->cardDir(), name), expected);
        QCOMPARE(filenames::exists(dir_->cardDir(), name), !found.isEmpty());
        QCOMPARE(filenames::existingPath(dir_->cardDir().chopped(1), name), expected);
    }

    void lookupInMissingDirectory() {
        QCOMPARE(filenames::existingPath(dir_->filePath(u"nowhere"_s), u"a"_s), QString());
    }

    void renameChangesCaseAndGuardsOtherFiles() {
        const QString cards = dir_->cardDir();
        dir_->writeFile(u"FILES/recepty.krt"_s, "r"_ba);
        dir_->writeFile(u"FILES/jine.krt"_s, "j"_ba);
        QVERIFY(filenames::rename(cards, u"RECEPTY.krt"_s, u"Recepty.krt"_s, false));
        QVERIFY(!filenames::rename(cards, u"Recepty.krt"_s, u"JINE.krt"_s, false));
        QVERIFY(!filenames::rename(cards, u"chybi.krt"_s, u"x.krt"_s, true));
        QCOMPARE(QDir(cards).entryList(QDir::Files, QDir::Name),
                 (QStringList{u"Recepty.krt"_s, u"jine.krt"_s}));
        QVERIFY(filenames::rename(cards, u"recepty.KRT"_s, u"Jine.krt"_s, true));
        QCOMPARE(QDir(cards).entryList(QDir::Files), QStringList{u"Jine.krt"_s});
        QCOMPARE(dir_->readFile(u"FILES/Jine.krt"_s), "r"_ba);
    }

    void clearWorkDirRemovesFoldersAndHiddenFilesToo() {
        dir_->writeFile(u"TEMP/A.tbl"_s, "x"_ba);
        dir_->writeFile(u"TEMP/A1.bmp"_s, "x"_ba);
        dir_->writeFile(u"TEMP/bez přípony"_s, "x"_ba);
        dir_->writeFile(u"TEMP/.skryty"_s, "x"_ba);
        dir_->writeFile(u"TEMP/sub/B.tbl"_s, "x"_ba);
        workdir::ClearWorkDir(dir_->workDir());
        QCOMPARE(workFiles(), QStringList());
        QVERIFY(!QFileInfo::exists(work(u"sub"_s)));
        QVERIFY(QFileInfo(dir_->workDir()).isDir());
    }

    // A missing working directory is no error and is not created; an empty
    // path must never empty the current directory.
    void clearMissingOrEmptyWorkDirTouchesNothing() {
        dir_->writeFile(u"cwd/keep.txt"_s, "keep");
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->filePath(u"cwd"_s)));
        workdir::ClearWorkDir(dir_->filePath(u"nowhere/"_s));
        workdir::ClearWorkDir(QString());
        QDir::setCurrent(previous);
        QCOMPARE(dir_->readFile(u"cwd/keep.txt"_s), QByteArray("keep"));
        QVERIFY(!QFileInfo::exists(dir_->filePath(u"nowhere"_s)));
    }
};

QTEST_GUILESS_MAIN(TestStorageFiles)
#include "tst_storage_files.moc"
