#include "storage/AppError.h"
#include "storage/Cp1250.h"

#include <QtTest>

// Code page 1250 conversion of every stored text.
class TestCp1250 : public QObject {
    Q_OBJECT
private slots:
    void everyByteSurvivesDecodeAndEncode() {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all += char(byte);
        const QString text = cp1250::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1250::encode(text), all);
    }

    void lettersMapToTheirBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Czech") << QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy")
                               << QByteArray("P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2 "
                                             "\xfap\xecl \xef\xe1\x62\x65lsk\xe9 \xf3\x64y");
        QTest::newRow("capitals") << QStringLiteral("ŠČŘŽÝÁÍÉŮÚĚŤĎŇ")
                                  << QByteArray("\x8a\xc8\xd8\x8e\xdd\xc1\xcd\xc9\xd9\xda\xcc"
                                                "\x8d\xcf\xd2");
        QTest::newRow("euro and quotes") << QStringLiteral("€„“") << QByteArray("\x80\x84\x93");
        QTest::newRow("undefined bytes kept") << QStringLiteral("\u0081\u0083\u0088\u0090\u0098")
                                              << QByteArray("\x81\x83\x88\x90\x98");
    }
    void lettersMapToTheirBytes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(cp1250::encode(text), bytes);
        QCOMPARE(cp1250::decode(bytes), text);
    }

    void unencodableListsEachCharacterOnce_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("refused");
        QTest::newRow("all fit") << QStringLiteral("Žluťoučký € kůň") << QString();
        QTest::newRow("repeated") << QStringLiteral("☺a☺b→☺") << QStringLiteral("☺→");
        QTest::newRow("outside the BMP") << QStringLiteral("x😀y😀") << QStringLiteral("😀");
        QTest::newRow("Cyrillic and Greek") << QStringLiteral("Жα") << QStringLiteral("Жα");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + u'a' << QString(QChar(0xD800));
        QTest::newRow("C1 not in the code page")
            << QStringLiteral("\u0080") << QStringLiteral("\u0080");
    }
    void unencodableListsEachCharacterOnce() {
        QFETCH(QString, text);
        QFETCH(QString, refused);
        QCOMPARE(cp1250::unencodable(text), refused);
    }

    void encodeNamesTheRefusedCharacters() {
        try {
            cp1250::encode(QStringLiteral("Pozor ☺ a\u200b😀☺"));
            QFAIL("encode accepted characters code page 1250 lacks");
        } catch (const AppError& error) {
            QCOMPARE(error.text(),
                     QStringLiteral("Text obsahuje znaky, které nelze uložit: ☺ U+200B 😀"));
        }
    }
};

QTEST_GUILESS_MAIN(TestCp1250)
#include "tst_storage_cp1250.moc"
