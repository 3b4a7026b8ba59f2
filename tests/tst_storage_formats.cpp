#include "storage/NotesFile.h"
#include "storage/TableFile.h"

#include <QtTest>

using namespace Qt::StringLiterals;

// The stored forms of the table and notes members, byte for byte.
class TestMemberFormats : public QObject {
    Q_OBJECT
private slots:
    // bytes read -> rows -> bytes the next save writes
    void tableReadsAndWritesBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("saved");
        const QStringList nameObec{u"Name=Jan"_s, u"Obec=Brno"_s};
        const QByteArray canonical("Name=Jan\r\nObec=Brno\r\n");
        QTest::newRow("CR LF") << canonical << nameObec << canonical;
        QTest::newRow("lone LF") << "Name=Jan\nObec=Brno\n"_ba << nameObec << canonical;
        QTest::newRow("lone CR") << "Name=Jan\rObec=Brno\r"_ba << nameObec << canonical;
        QTest::newRow("last line without break")
            << "Name=Jan\r\nObec=Brno"_ba << nameObec << canonical;
        QTest::newRow("empty file") << QByteArray() << QStringList() << QByteArray();
        QTest::newRow("one empty row") << "\r\n"_ba << QStringList{QString()} << "\r\n"_ba;
        QTest::newRow("empty line in the middle")
            << "a=1\r\n\r\nb=2\r\n"_ba << QStringList{u"a=1"_s, QString(), u"b=2"_s}
            << "a=1\r\n\r\nb=2\r\n"_ba;
        QTest::newRow("CR then CR LF")
            << "a\r\r\nb"_ba << QStringList{u"a"_s, QString(), u"b"_s} << "a\r\n\r\nb\r\n"_ba;
        QTest::newRow("NUL ends the text")
            << QByteArray("a=1\r\nb=2\0c=3\r\n", 14) << QStringList{u"a=1"_s, u"b=2"_s}
            << "a=1\r\nb=2\r\n"_ba;
        QTest::newRow("NUL first") << QByteArray("\0a=1\r\n", 6) << QStringList() << QByteArray();
        QTest::newRow("duplicates and empty keys")
            << "a=1\r\na=2\r\n=\r\n=x\r\na=1\r\n"_ba
            << QStringList{u"a=1"_s, u"a=2"_s, u"="_s, u"=x"_s, u"a=1"_s}
            << "a=1\r\na=2\r\n=\r\n=x\r\na=1\r\n"_ba;
        QTest::newRow("lines without =")
            << "jen text\r\nkl\xed\xe8=a=b\r\n"_ba << QStringList{u"jen text"_s, u"klíč=a=b"_s}
            << "jen text\r\nkl\xed\xe8=a=b\r\n"_ba;
        QTest::newRow("Czech letters")
            << "Jm\xe9no=Ji\xf8\xed\r\nObec=\x8akoda \x8e\x64\xe1r\r\n"_ba
            << QStringList{u"Jméno=Jiří"_s, u"Obec=Škoda Ždár"_s}
            << "Jm\xe9no=Ji\xf8\xed\r\nObec=\x8akoda \x8e\x64\xe1r\r\n"_ba;
    }
    void tableReadsAndWritesBack() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, saved);
        QCOMPARE(tablefile::parseTable(bytes), rows);
        QCOMPARE(tablefile::formatTable(rows), saved);
    }

    // bytes read -> text in memory ("\n" between lines) -> bytes the next save writes
    void notesReadAndWriteBack_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("a CR LF b") << "a\r\nb"_ba << u"a\nb"_s << "a\r\nb"_ba;
        QTest::newRow("lone LF") << "a\nb"_ba << u"a\nb"_s << "a\r\nb"_ba;
        QTest::newRow("lone CR") << "a\rb"_ba << u"a\nb"_s << "a\r\nb"_ba;
        QTest::newRow("final break kept") << "a\r\n"_ba << u"a\n"_s << "a\r\n"_ba;
        QTest::newRow("empty lines") << "\r\n\n\r"_ba << u"\n\n\n"_s << "\r\n\r\n\r\n"_ba;
        QTest::newRow("empty") << QByteArray() << QString() << QByteArray();
        QTest::newRow("NUL ends the text")
            << QByteArray("a\r\nb\0c", 6) << u"a\nb"_s << "a\r\nb"_ba;
        QTest::newRow("Czech letters")
            << "\xc8\x65sk\xfd\r\nt\xe9xt"_ba << u"Český\ntéxt"_s << "\xc8\x65sk\xfd\r\nt\xe9xt"_ba;
    }
    void notesReadAndWriteBack() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(QByteArray, saved);
        QCOMPARE(notesfile::parseNotes(bytes), text);
        QCOMPARE(notesfile::formatNotes(text), saved);
    }

    // Callers may hand over text with any line ends; the stored form is the same.
    void notesSaveAnyLineEndAsCrLf_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("LF") << u"a\nb"_s;
        QTest::newRow("CR LF") << u"a\r\nb"_s;
        QTest::newRow("CR") << u"a\rb"_s;
        QTest::newRow("paragraph separator") << u"a\u2029b"_s;
        QTest::newRow("line separator") << u"a\u2028b"_s;
    }
    void notesSaveAnyLineEndAsCrLf() {
        QFETCH(QString, text);
        QCOMPARE(notesfile::formatNotes(text), "a\r\nb"_ba);
    }
};

QTEST_GUILESS_MAIN(TestMemberFormats)
#include "tst_storage_formats.moc"
