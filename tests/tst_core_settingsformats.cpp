#include "core/FontStyleCode.h"
#include "core/StoredColor.h"
#include "core/TitleSplit.h"

#include <QtTest>

// The pure formats of the settings files: the title split rule, the font style
// code and the stored colour form.
class TestSettingsFormats : public QObject {
    Q_OBJECT
private slots:
    void splitTitles_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("two titles")
            << u"Předmět;Hodnota"_qs << QStringList{u"Předmět"_qs, u"Hodnota"_qs};
        QTest::newRow("empty first title") << u";Hodnota"_qs << QStringList{u""_qs, u"Hodnota"_qs};
        QTest::newRow("delimiter alone") << u";"_qs << QStringList{u""_qs, u""_qs};
        QTest::newRow("designed edits")
            << u" 1 <---;---> 2"_qs << QStringList{u"1"_qs, u"<---"_qs, u"--->"_qs, u"2"_qs};
        QTest::newRow("title with a blank")
            << u"Moje pole;"_qs << QStringList{u"Moje"_qs, u"pole"_qs, u""_qs};
        QTest::newRow("blank splits the first title")
            << u"Název věci;Hodnota"_qs << QStringList{u"Název"_qs, u"věci"_qs, u"Hodnota"_qs};
        QTest::newRow("empty text") << u""_qs << QStringList{};
        QTest::newRow("blanks only") << u" \t "_qs << QStringList{};
        QTest::newRow("blanks around delimiter")
            << u"  a  ;  b  "_qs << QStringList{u"a"_qs, u"b"_qs};
        QTest::newRow("control characters separate") << u"a\x01"
                                                        u"b\x1f"
                                                        u"c"_qs
                                                     << QStringList{u"a"_qs, u"b"_qs, u"c"_qs};
        QTest::newRow("delimiter then blank at end") << u"a; "_qs << QStringList{u"a"_qs};
        QTest::newRow("quoted blank kept")
            << u"\"Moje pole\";Hodnota"_qs << QStringList{u"Moje pole"_qs, u"Hodnota"_qs};
        QTest::newRow("doubled quote inside")
            << u"\"a \"\"b\"\" c\";d"_qs << QStringList{u"a \"b\" c"_qs, u"d"_qs};
        QTest::newRow("empty quoted") << u"\"\";x"_qs << QStringList{u""_qs, u"x"_qs};
        QTest::newRow("unclosed quote holds the rest")
            << u"\"abc; def;x"_qs << QStringList{u"abc; def;x"_qs};
        QTest::newRow("unclosed quote after items")
            << u"a;\"b c"_qs << QStringList{u"a"_qs, u"b c"_qs};
        QTest::newRow("text after closing quote is a new item")
            << u"\"a\"b;c"_qs << QStringList{u"a"_qs, u"b"_qs, u"c"_qs};
        QTest::newRow("quote inside a plain item")
            << u"a\"b;c"_qs << QStringList{u"a\"b"_qs, u"c"_qs};
        QTest::newRow("trailing delimiter adds an empty item")
            << u"a;b;"_qs << QStringList{u"a"_qs, u"b"_qs, u""_qs};
        QTest::newRow("double delimiter") << u"a;;b"_qs << QStringList{u"a"_qs, u""_qs, u"b"_qs};
    }
    void splitTitles() {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(titlesplit::splitTitles(text), items);
    }

    void encodeFontStyle_data() {
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikeOut");
        QTest::addColumn<QString>("code");
        QTest::newRow("plain") << false << false << false << false << u"FFFF"_qs;
        QTest::newRow("bold italic") << true << true << false << false << u"TTFF"_qs;
        QTest::newRow("bold underline") << true << false << true << false << u"TFTF"_qs;
        QTest::newRow("strike-out") << false << false << false << true << u"FFFT"_qs;
        QTest::newRow("all") << true << true << true << true << u"TTTT"_qs;
    }
    void encodeFontStyle() {
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikeOut);
        QFETCH(QString, code);
        QFont font(u"MS Sans Serif"_qs, 10);
        font.setBold(bold);
        font.setItalic(italic);
        font.setUnderline(underline);
        font.setStrikeOut(strikeOut);
        QCOMPARE(fontstyle::EncodeFontStyle(font), code);

        QFont read(u"MS Sans Serif"_qs, 10);
        fontstyle::DecodeFontStyle(code, read);
        QCOMPARE(read.bold(), bold);
        QCOMPARE(read.italic(), italic);
        QCOMPARE(read.underline(), underline);
        QCOMPARE(read.strikeOut(), strikeOut);
        QCOMPARE(fontstyle::EncodeFontStyle(read), code);
    }

    void decodeUnusualCodes_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("normalised");
        QTest::newRow("empty") << u""_qs << u"FFFF"_qs;
        QTest::newRow("one letter") << u"T"_qs << u"TFFF"_qs;
        QTest::newRow("three letters") << u"FTT"_qs << u"FTTF"_qs;
        QTest::newRow("lower case t is not set") << u"tTtT"_qs << u"FTFT"_qs;
        QTest::newRow("other letters") << u"SXTY"_qs << u"FFTF"_qs;
        QTest::newRow("longer code") << u"TFTFT"_qs << u"TFTF"_qs;
    }
    void decodeUnusualCodes() {
        QFETCH(QString, code);
        QFETCH(QString, normalised);
        QFont font(u"MS Sans Serif"_qs, 10);
        font.setBold(true);
        font.setItalic(true);
        font.setUnderline(true);
        font.setStrikeOut(true);
        fontstyle::DecodeFontStyle(code, font);
        QCOMPARE(fontstyle::EncodeFontStyle(font), normalised);
    }

    void colorFromStored_data() {
        QTest::addColumn<qint32>("stored");
        QTest::addColumn<QColor>("color");
        QTest::newRow("money green") << qint32(12639424) << QColor(0xC0, 0xDC, 0xC0);
        QTest::newRow("start value") << qint32(14732990) << QColor(0xBE, 0xCE, 0xE0);
        QTest::newRow("red") << qint32(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("blue") << qint32(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("black") << qint32(0) << QColor(0, 0, 0);
    }
    void colorFromStored() {
        QFETCH(qint32, stored);
        QFETCH(QColor, color);
        QCOMPARE(storedcolor::colorFromStored(stored), color);
        QCOMPARE(storedcolor::storedFromColor(color), stored);
    }

    void systemColorsFollowThePalette() {
        QPalette palette;
        palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
        palette.setColor(QPalette::Base, QColor(4, 5, 6));
        palette.setColor(QPalette::Button, QColor(7, 8, 9));
        palette.setColor(QPalette::Highlight, QColor(10, 11, 12));
        QCOMPARE(kWindowTextColor, qint32(-16777208));
        QVERIFY(storedcolor::isSystemColor(kWindowTextColor));
        QVERIFY(!storedcolor::isSystemColor(12639424));
        QCOMPARE(storedcolor::colorFromStored(kWindowTextColor, palette), QColor(1, 2, 3));
        QCOMPARE(storedcolor::colorFromStored(kWindowColor, palette), QColor(4, 5, 6));
        QCOMPARE(storedcolor::colorFromStored(kButtonFaceColor, palette), QColor(7, 8, 9));
        QCOMPARE(storedcolor::colorFromStored(storedcolor::systemColor(13), palette),
                 QColor(10, 11, 12));
        QCOMPARE(storedcolor::colorFromStored(storedcolor::systemColor(25), palette),
                 QColor(Qt::black));
    }
};

QTEST_MAIN(TestSettingsFormats)
#include "tst_core_settingsformats.moc"
