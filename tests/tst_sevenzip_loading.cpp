#include "storage/AppError.h"
#include "storage/sevenzip/SevenZip.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestCards.h"
#include "tests/support/TestProgramDir.h"
#include "tests/support/ZipTools.h"

#include <QFile>
#include <QtTest>
#include <elf.h>

using namespace Qt::StringLiterals;

// A damaged or foreign 7z.so in the program directory is refused with the
// loading error and the reason, never crashed into.
class TestSevenZipLoading : public QObject {
    Q_OBJECT

    static QByteArray realLibrary() {
        return testcards::fileBytes(QStringLiteral(KARTOTEKA_7Z_SO));
    }
    template <class T> static T field(const QByteArray& bytes, qsizetype offset) {
        T value{};
        std::memcpy(&value, bytes.constData() + offset, sizeof(T));
        return value;
    }
    template <class T> static void setField(QByteArray& bytes, qsizetype offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof(T));
    }
    // The real library with its first loadable segment claiming far more file
    // bytes than there are.
    static QByteArray withBrokenProgramHeader() {
        QByteArray bytes = realLibrary();
        const auto header = field<Elf64_Ehdr>(bytes, 0);
        for (int i = 0; i < header.e_phnum; ++i) {
            const qsizetype at = qsizetype(header.e_phoff) + i * qsizetype(sizeof(Elf64_Phdr));
            auto segment = field<Elf64_Phdr>(bytes, at);
            if (segment.p_type == PT_LOAD) {
                segment.p_filesz = segment.p_memsz = 0x40000000;
                setField(bytes, at, segment);
                break;
            }
        }
        return bytes;
    }

private slots:
    void damagedLibrariesAreRefusedWithTheReason_data() {
        QTest::addColumn<QByteArray>("library");
        QTest::addColumn<QString>("reason");
        const QByteArray real = realLibrary();
        QByteArray otherClass = real;
        otherClass[EI_CLASS] = ELFCLASS32;
        QByteArray executable = real;
        setField<Elf64_Half>(executable, offsetof(Elf64_Ehdr, e_type), ET_EXEC);
        QTest::newRow("truncated copy")
            << real.left(real.size() / 2) << u"past the end of the file"_s;
        QTest::newRow("header only") << real.left(200) << u"past the end of the file"_s;
        QTest::newRow("broken program header")
            << withBrokenProgramHeader() << u"a segment lies past the end of the file"_s;
        QTest::newRow("32-bit") << otherClass << u"ELF class 32-bit does not match"_s;
        QTest::newRow("not a shared object") << executable << u"not a shared object"_s;
        QTest::newRow("no ELF file") << "just some text"_ba << u"not an ELF file"_s;
        QTest::newRow("empty") << QByteArray() << u"not an ELF file"_s;
        QTest::newRow("magic only") << real.left(10) << u"too short"_s;
    }
    void damagedLibrariesAreRefusedWithTheReason() {
        QFETCH(QByteArray, library);
        QFETCH(QString, reason);
        TestProgramDir program(false);
        ziptools::writeFile(program.library(), library);
        const QString message =
            errorOf([&] { sevenzip::MakeInArchive(program.library(), ZipFormatId); });
        const QStringList lines = message.split(u'\n');
        QCOMPARE(lines.first(), u"Error loading library 7z.so"_s);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines.last().contains(reason), qPrintable(message));
        QCOMPARE(errorOf([&] { sevenzip::MakeOutArchive(program.library(), ZipFormatId); }),
                 message);
    }

    void theLoadersOwnReasonFollowsOnTheSecondLine() {
        TestProgramDir program(false);
        const QString message =
            errorOf([&] { sevenzip::MakeInArchive(program.library(), ZipFormatId); });
        QCOMPARE(message.section(u'\n', 0, 0), u"Error loading library 7z.so"_s);
        QVERIFY2(message.section(u'\n', 1).contains(u"No such file or directory"_s),
                 qPrintable(message));
    }

    void aFailingCreateObjectNamesItsCode() {
        TestProgramDir program;
        const TGUID unknownFormat{0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
        const QString card = program.filePath(u"Karta.krt"_s);
        testcards::writeArchive(program.library(), card, {});
        auto reader = sevenzip::MakeInArchive(program.library(), unknownFormat);
        const QString message = errorOf([&] { reader->OpenArchive(card); });
        QVERIFY2(message.contains(u"CreateObject"_s), qPrintable(message));
        QVERIFY2(message.contains(u"0x80040111"_s), qPrintable(message));
        QVERIFY2(message.contains(u"knihovna archivů nenabízí požadovaný formát"_s),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(TestSevenZipLoading)
#include "tst_sevenzip_loading.moc"
