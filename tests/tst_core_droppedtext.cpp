#include "core/DroppedFiles.h"
#include "core/DroppedText.h"
#include "storage/AppError.h"
#include "tests/support/ErrorText.h"
#include "tests/support/ScriptedPrompts.h"

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {

// The main window's side of a drop, recorded.
class RecordingDropTarget : public DropTarget {
public:
    bool loaded = true;
    QString notes;
    QStringList pictures;

    bool cardLoaded() const override { return loaded; }
    bool notesEmpty() const override { return notes.isEmpty(); }
    void replaceNotes(const QString& text) override { notes = text; }
    void ImageSelect(const QString& path) override { pictures << path; }
};

} // namespace

// Text files dropped on the notes, and the handling of a drop as a whole.
class TestDroppedText : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.path() + u'/' + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

private slots:
    void decode_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString czech = QStringLiteral("Příliš žluťoučký kůň");
        QTest::newRow("UTF-8") << czech.toUtf8() << czech;
        // "Příliš žluťoučký kůň" in code page 1250: not valid UTF-8.
        QTest::newRow("code page 1250")
            << QByteArray("P\xf8\xedli\x9a \x9elu\x9dou\xe8k\xfd k\xf9\xf2") << czech;
        QTest::newRow("plain ASCII") << QByteArray("abc") << QStringLiteral("abc");
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xef\xbb\xbf") + czech.toUtf8() << czech;
        QTest::newRow("UTF-16 with byte-order mark") << QByteArray("\xff\xfe"
                                                                   "a\0\r\0\n\0\x59\x01",
                                                                   10)
                                                     << QStringLiteral("a\nř");
        QTest::newRow("line ends")
            << QByteArray("a\r\nb\rc\nd\r\n") << QStringLiteral("a\nb\nc\nd\n");
        QTest::newRow("NUL ends the text") << QByteArray("ab\0cd", 5) << QStringLiteral("ab");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void decode() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(droppedtext::decodeDroppedText(bytes), text);
    }

    void unreadableFileIsAnError() {
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 droppedtext::readDroppedText(dir_.path() + "/missing.txt"));
    }

    // A folder or a FIFO named like a text file: refused at once, in Czech,
    // naming the file; the FIFO is not waited on.
    void onlyARegularFileIsRead() {
        const QString folder = dir_.path() + "/složka.txt";
        QVERIFY(QDir().mkpath(folder));
        const QString fifo = dir_.path() + "/roura.txt";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& path : {folder, fifo}) {
            const QString error = errorOf([&] { droppedtext::readDroppedText(path); });
            QVERIFY2(error.startsWith(QStringLiteral("Nelze přečíst soubor ") + path +
                                      QStringLiteral(": ")),
                     qPrintable(error));
        }
    }

    void nothingWhileNoCardIsOpen() {
        RecordingDropTarget target;
        target.loaded = false;
        ScriptedPrompts prompts;
        droppedfiles::loadDroppedFiles({write("a.txt", "text"), write("a.jpg", "")}, target,
                                       prompts);
        QVERIFY(target.notes.isEmpty());
        QVERIFY(target.pictures.isEmpty());
        QVERIFY(prompts.questions.isEmpty());
    }

    void textReplacesEmptyNotesWithoutAsking() {
        RecordingDropTarget target;
        ScriptedPrompts prompts;
        droppedfiles::loadDroppedFiles({write("poznamky.TXT", "nový\ntext")}, target, prompts);
        QCOMPARE(target.notes, QStringLiteral("nový\ntext"));
        QVERIFY(prompts.questions.isEmpty());
    }

    void textAsksBeforeReplacingNotes_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("notes");
        QTest::newRow("yes") << true << QStringLiteral("nové");
        QTest::newRow("no") << false << QStringLiteral("staré");
    }
    void textAsksBeforeReplacingNotes() {
        QFETCH(bool, answer);
        QFETCH(QString, notes);
        RecordingDropTarget target;
        target.notes = QStringLiteral("staré");
        ScriptedPrompts prompts;
        prompts.answers << answer;
        droppedfiles::loadDroppedFiles({write("poznamky.txt", "nové")}, target, prompts);
        QCOMPARE(prompts.questions,
                 QStringList{"Opravdu chcete nahradit text souborem \"poznamky.txt\" ?"});
        QCOMPARE(target.notes, notes);
    }

    void picturesInDropOrderOthersIgnored() {
        RecordingDropTarget target;
        ScriptedPrompts prompts;
        const QStringList dropped = {"/d/a.doc",  "/d/one.JPEG", "/d/two.bmp", "/d/x.png",
                                     "/d/y.WebP", "/d/b",        "/d/z.tiff",  "/d/c.xyz"};
        droppedfiles::loadDroppedFiles(dropped, target, prompts);
        QCOMPARE(target.pictures,
                 (QStringList{"/d/one.JPEG", "/d/two.bmp", "/d/x.png", "/d/y.WebP", "/d/z.tiff"}));
        QVERIFY(target.notes.isEmpty());
    }

    // Every text file of a drop replaces the notes again, asking each time.
    void eachTextFileAsksAgain() {
        RecordingDropTarget target;
        ScriptedPrompts prompts;
        prompts.answers << true;
        droppedfiles::loadDroppedFiles({write("1.txt", "one"), write("2.txt", "two")}, target,
                                       prompts);
        QCOMPARE(prompts.questions.size(), 1);
        QCOMPARE(target.notes, QStringLiteral("two"));
    }
};

QTEST_MAIN(TestDroppedText)
#include "tst_core_droppedtext.moc"
