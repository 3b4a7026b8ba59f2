#include "core/ConfigFiles.h"
#include "core/FontStyleCode.h"
#include "core/MainFont.h"
#include "core/TitleSplit.h"
#include "storage/AppError.h"
#include "storage/TextFile.h"
#include "tests/support/SettingsFiles.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QtTest>

// config.ini and font.ini as bytes: code page 1250, CR LF, written whole.
class TestSettingsFiles : public QObject {
    Q_OBJECT
private slots:
    void configFileOfTheWorkedExample() {
        TestProgramDir dir(false);
        configfiles::writeConfigFile(dir.filePath(u"config.ini"_qs), u"Předmět;Hodnota"_qs,
                                     12639424, true, true, true, true);
        QCOMPARE(dir.readFile(u"config.ini"_qs), settingsfiles::WorkedConfig);
    }

    void configFileFlagsAndNegativeColor() {
        TestProgramDir dir(false);
        configfiles::writeConfigFile(dir.filePath(u"config.ini"_qs), u";Hodnota"_qs,
                                     kButtonFaceColor, false, true, false, false);
        QCOMPARE(dir.readFile(u"config.ini"_qs),
                 QByteArray(";Hodnota\r\n-16777201\r\n0\r\n1\r\n0\r\n0\r\n"));
    }

    // What the dialog writes reads back the same at the next start.
    void configFileRoundTrip_data() {
        QTest::addColumn<QString>("titlesLine");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("Czech titles")
            << u"Předmět;Hodnota"_qs << QStringList{u"Předmět"_qs, u"Hodnota"_qs};
        QTest::newRow("empty first") << u";Žluťoučký"_qs << QStringList{QString(), u"Žluťoučký"_qs};
        QTest::newRow("blank splits")
            << u"Moje pole;Hodnota"_qs << QStringList{u"Moje"_qs, u"pole"_qs, u"Hodnota"_qs};
    }
    void configFileRoundTrip() {
        QFETCH(QString, titlesLine);
        QFETCH(QStringList, titles);
        TestProgramDir dir(false);
        configfiles::writeConfigFile(dir.filePath(u"config.ini"_qs), titlesLine, kWindowTextColor,
                                     false, true, false, true);
        const QStringList lines = textfile::readTextLines(dir.filePath(u"config.ini"_qs));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(titlesplit::splitTitles(lines[0]), titles);
        QCOMPARE(lines[1].toInt(), kWindowTextColor);
        QCOMPARE(lines.mid(2), (QStringList{u"0"_qs, u"1"_qs, u"0"_qs, u"1"_qs}));
    }

    void fontFileOfTheDesignedFont() {
        TestProgramDir dir(false);
        const MainFont designed = fonts::designedMainFont();
        configfiles::writeFontFile(dir.filePath(u"font.ini"_qs), designed.font, designed.color);
        QCOMPARE(dir.readFile(u"font.ini"_qs), settingsfiles::DesignedFontFile);
    }

    void fontFileRoundTrip() {
        TestProgramDir dir(false);
        QFont font(u"DejaVu Serif"_qs, 14);
        font.setBold(true);
        font.setUnderline(true);
        configfiles::writeFontFile(dir.filePath(u"font.ini"_qs), font, 0x0000FF);
        const QStringList lines = textfile::readTextLines(dir.filePath(u"font.ini"_qs));
        QCOMPARE(lines, (QStringList{u"14"_qs, u"DejaVu Serif"_qs, u"255"_qs, u"TFTF"_qs}));
        QFont read(lines[1], lines[0].toInt());
        fontstyle::DecodeFontStyle(lines[3], read);
        QVERIFY(read.bold() && read.underline() && !read.italic() && !read.strikeOut());
    }

    void fontSizeInPoints_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("size");
        QFont points(u"MS Sans Serif"_qs);
        points.setPointSize(12);
        QFont fractional(u"MS Sans Serif"_qs);
        fractional.setPointSizeF(10.6);
        QFont pixels(u"MS Sans Serif"_qs);
        pixels.setPixelSize(13);
        QTest::newRow("points") << points << 12;
        QTest::newRow("fractional points") << fractional << 11;
        QTest::newRow("13 pixels at 96 dpi") << pixels << 10;
    }
    void fontSizeInPoints() {
        QFETCH(QFont, font);
        QFETCH(int, size);
        QCOMPARE(configfiles::fontFileSize(font), size);
    }

    void unwritableFileThrows() {
        TestProgramDir dir(false);
        QVERIFY(QDir().mkpath(dir.filePath(u"config.ini"_qs)));
        QVERIFY(QDir().mkpath(dir.filePath(u"font.ini"_qs)));
        QVERIFY_THROWS_EXCEPTION(
            AppError, configfiles::writeConfigFile(dir.filePath(u"config.ini"_qs), u"a;b"_qs, 0,
                                                   true, true, true, true));
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 configfiles::writeFontFile(dir.filePath(u"font.ini"_qs),
                                                            QFont(u"x"_qs, 10), kWindowTextColor));
    }

    void textOutsideTheCodePageThrows() {
        TestProgramDir dir(false);
        QVERIFY_THROWS_EXCEPTION(
            AppError, configfiles::writeConfigFile(dir.filePath(u"config.ini"_qs), u"名前;b"_qs, 0,
                                                   true, true, true, true));
    }
};

QTEST_MAIN(TestSettingsFiles)
#include "tst_core_settingsfiles.moc"
