#include "storage/MoveToTrash.h"
#include "tests/support/DesktopHome.h"

#include <QFile>
#include <QUrl>
#include <QtTest>

namespace {

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The original path a .trashinfo file records (percent-encoded, as the
// freedesktop trash writes it).
QString TrashedFrom(const QString& infoPath) {
    QFile info(infoPath);
    if (!info.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : info.readAll().split('\n')) {
        if (line.startsWith("Path="))
            return QUrl::fromPercentEncoding(line.mid(5));
    }
    return {};
}

} // namespace

// Deleting a card file into the user's trash, and deleting it for good where
// there is no trash.
class TestStorageTrash : public QObject {
    Q_OBJECT

    std::unique_ptr<DesktopHome> home_;
    QString oldCurrent_;

    QString card(const QString& name) const { return home_->path() + "Kartoteka/FILES/" + name; }
    // Qt makes a trash in the current directory when it finds no data home.
    QStringList strayInCurrentDirectory() const {
        return QDir(home_->path() + "current").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        home_ = std::make_unique<DesktopHome>();
        oldCurrent_ = QDir::currentPath();
        QDir().mkpath(home_->path() + "current");
        QDir::setCurrent(home_->path() + "current");
    }
    void cleanup() {
        QDir::setCurrent(oldCurrent_);
        home_.reset();
    }

    void cardGoesToTrashWithItsOrigin() {
        const QString path = WriteFile(card(QStringLiteral("Čajové směsi.krt")), "card bytes");
        trash::moveToTrash(path);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(home_->trashFiles(), QStringList{QStringLiteral("Čajové směsi.krt")});
        QCOMPARE(Bytes(home_->trashFile(QStringLiteral("Čajové směsi.krt"))), "card bytes");
        QCOMPARE(TrashedFrom(home_->trashInfo(QStringLiteral("Čajové směsi.krt"))), path);
        QCOMPARE(strayInCurrentDirectory(), QStringList());
    }

    // A card made again under the same name and deleted again does not
    // replace the first one in the trash.
    void sameNameTwiceKeepsBoth() {
        trash::moveToTrash(WriteFile(card(QStringLiteral("Karta.krt")), "first"));
        trash::moveToTrash(WriteFile(card(QStringLiteral("Karta.krt")), "second"));
        const QStringList trashed = home_->trashFiles();
        QCOMPARE(trashed.size(), 2);
        QByteArrayList contents;
        for (const QString& name : trashed) {
            contents << Bytes(home_->trashFile(name));
            QCOMPARE(TrashedFrom(home_->trashInfo(name)), card(QStringLiteral("Karta.krt")));
        }
        std::sort(contents.begin(), contents.end());
        QCOMPARE(contents, QByteArrayList({"first", "second"}));
    }

    // A file stands where the data home should be: no trash can be made there.
    void withoutTrashTheCardIsDeleted() {
        WriteFile(home_->dataHome(), "not a folder");
        const QString path = WriteFile(card(QStringLiteral("Karta.krt")), "card");
        trash::moveToTrash(path);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(strayInCurrentDirectory(), QStringList());
    }

    void folderAtThePathStays() {
        const QString path = card(QStringLiteral("Karta.krt"));
        WriteFile(path + "/inside", "x");
        trash::moveToTrash(path);
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(home_->trashFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestStorageTrash)
#include "tst_storage_trash.moc"
