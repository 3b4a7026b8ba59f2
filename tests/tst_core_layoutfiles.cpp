#include "core/LayoutFiles.h"
#include "core/TextLineReader.h"
#include "storage/AppError.h"
#include "tests/support/ErrorText.h"
#include "tests/support/TestProgramDir.h"

#include <QtTest>

// Reading and writing the layout files and the integer rules of start-up.
class TestMainWindowLayoutFiles : public QObject {
    Q_OBJECT
private slots:
    void integers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "167" << true << 167;
        QTest::newRow("negative") << "-4" << true << -4;
        QTest::newRow("plus sign") << "+5" << true << 5;
        QTest::newRow("leading blanks") << "  12" << true << 12;
        QTest::newRow("trailing blank") << "12 " << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("word") << "abc" << false << 0;
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("smallest") << "-2147483648" << true << int(INT32_MIN);
        QTest::newRow("decimal point") << "1.5" << false << 0;
    }
    void integers() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const QString error = errorOf([&] { QCOMPARE(textnumbers::strToInt(text), value); });
        QCOMPARE(error,
                 valid ? QString() : QStringLiteral("'%1' is not a valid integer value").arg(text));
    }

    void numberTokenSkipsBlankLines() {
        TextLineReader reader({QStringLiteral("titles"), QString(), QStringLiteral(" \t-7 rest"),
                               QStringLiteral("1")});
        QCOMPARE(reader.readLine(), QStringLiteral("titles"));
        QCOMPARE(reader.readNumberToken(), -7);
        QCOMPARE(reader.readLine(), QStringLiteral("1"));
        QCOMPARE(reader.readLine(), QString()); // past the end
        TextLineReader bad({QStringLiteral("x1")});
        QCOMPARE(errorOf([&] { bad.readNumberToken(); }), QStringLiteral("Invalid numeric input"));
        TextLineReader none({QString()});
        QCOMPARE(errorOf([&] { none.readNumberToken(); }), QStringLiteral("Invalid numeric input"));
    }

    void columnWidthsAreSetLineByLine() {
        TestProgramDir dir;
        const QString path = dir.filePath(QStringLiteral("colw.ini"));
        dir.writeFile(QStringLiteral("colw.ini"), "100\r\n200\r\n300\r\n");
        QList<int> set;
        const QString error = errorOf([&] {
            layoutfiles::readColumnWidths(path, [&](int column, int width) {
                if (column > 1)
                    throw AppError(QStringLiteral("Grid index out of range"));
                set << width;
            });
        });
        QCOMPARE(error, QStringLiteral("Grid index out of range"));
        QCOMPARE(set, QList<int>({100, 200}));
    }

    void writtenFilesAreLinesWithCrLf() {
        TestProgramDir dir;
        layoutfiles::writeColumnWidths(dir.filePath(QStringLiteral("colw.ini")), {167, 387});
        layoutfiles::writeBandLefts(dir.filePath(QStringLiteral("cbar.ini")), {11, -3});
        layoutfiles::writeWindowPlacement(dir.filePath(QStringLiteral("winpos.ini")), -4, -4, true);
        QCOMPARE(dir.readFile(QStringLiteral("colw.ini")), QByteArray("167\r\n387\r\n"));
        QCOMPARE(dir.readFile(QStringLiteral("cbar.ini")), QByteArray("11\r\n-3\r\n"));
        QCOMPARE(dir.readFile(QStringLiteral("winpos.ini")), QByteArray("-4\r\n-4\r\n1\r\n"));

        int left = 0, top = 0;
        bool maximized = false;
        layoutfiles::readWindowPlacement(
            dir.filePath(QStringLiteral("winpos.ini")), [&](int value) { left = value; },
            [&](int value) { top = value; }, [&](bool value) { maximized = value; });
        QCOMPARE(QPoint(left, top), QPoint(-4, -4));
        QVERIFY(maximized);
    }

    void maximisedOnlyForExactlyOne() {
        TestProgramDir dir;
        dir.writeFile(QStringLiteral("winpos.ini"), "1\r\n2\r\n1 \r\n");
        bool maximized = true;
        layoutfiles::readWindowPlacement(
            dir.filePath(QStringLiteral("winpos.ini")), [](int) {}, [](int) {},
            [&](bool value) { maximized = value; });
        QVERIFY(!maximized);
    }
};

QTEST_MAIN(TestMainWindowLayoutFiles)
#include "tst_core_layoutfiles.moc"
