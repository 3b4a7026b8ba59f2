#include "core/CardFolderModel.h"
#include "core/SyncConflictNames.h"
#include "tests/support/TestProgramDir.h"

#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QtTest>
#include <cstdio>

namespace {

void touch(const QString& path, const QByteArray& bytes = "PK") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A card folder followed by a model, as the card list follows FILES.
struct Folder {
    Folder() {
        dir.makeDirectories();
        for (const char* name : {"Bára.krt", "Cyril.krt", "Eva.krt"})
            touch(path(QString::fromUtf8(name)));
        model.setDirectory(dir.cardDir(), QStringLiteral("*.krt"));
    }
    QString path(const QString& name) const { return dir.cardDir() + name; }
    // Waits until the model has applied every change made so far.
    bool settled(int listingsBefore) {
        return QTest::qWaitFor(
            [&] { return model.listingsApplied() > listingsBefore && !model.busy(); }, 10000);
    }

    TestProgramDir dir;
    CardFolderModel model;
};

} // namespace

// The card list's entries without a window: which files are cards, conflict
// copies or a sync tool's temporary files, and how the list follows what
// other programs do in the folder.
class TestCardFolder : public QObject {
    Q_OBJECT
private slots:
    void conflictOwner_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("owner");
        QTest::newRow("Syncthing") << "Karta.sync-conflict-20261208-120000-ABCDEFG.krt"
                                   << "Karta.krt";
        QTest::newRow("Syncthing, name with dots")
            << "Jan.Novák.sync-conflict-20261208-120000-ABCDEFG.KRT"
            << "Jan.Novák.KRT";
        QTest::newRow("Nextcloud") << "Karta (conflicted copy 2026-12-08 120000).krt"
                                   << "Karta.krt";
        QTest::newRow("Dropbox") << "Karta (Jan's conflicted copy 2026-12-08).krt"
                                 << "Karta.krt";
        QTest::newRow("card named with brackets") << "Karta (1).krt"
                                                  << "";
        QTest::newRow("card named sync-conflict") << "sync-conflict.krt"
                                                  << "";
        QTest::newRow("Syncthing pattern without its date") << "Karta.sync-conflict-x.krt"
                                                            << "";
        QTest::newRow("plain card") << "Karta.krt"
                                    << "";
    }
    void conflictOwner() {
        QFETCH(QString, fileName);
        QFETCH(QString, owner);
        QCOMPARE(syncnames::conflictOwner(fileName), owner);
    }

    void syncTemporaries_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("temporary");
        QTest::newRow("Syncthing") << ".syncthing.Karta.krt.tmp" << true;
        QTest::newRow("Syncthing on Windows") << "~syncthing~Karta.krt.tmp" << true;
        QTest::newRow("Nextcloud") << ".Karta.krt.~1a2b" << true;
        QTest::newRow("partial download") << "Karta.krt.part" << true;
        QTest::newRow("card") << "Karta.krt" << false;
        QTest::newRow("card with a tilde") << "Karta~1.krt" << false;
    }
    void syncTemporaries() {
        QFETCH(QString, fileName);
        QFETCH(bool, temporary);
        QCOMPARE(syncnames::isSyncTemporary(fileName), temporary);
    }

    // Conflict copies are set aside under their card; one whose card is
    // missing is a card of its own. Temporary files are never listed.
    void listingSetsConflictCopiesAside() {
        Folder f;
        const QStringList extra = {
            QStringLiteral("Eva.sync-conflict-20261208-120000-ABCDEFG.krt"),
            QStringLiteral("Eva (conflicted copy 2026-12-08 120000).krt"),
            QStringLiteral("Zbyněk.sync-conflict-20261208-120000-ABCDEFG.krt"),
            QStringLiteral("~syncthing~Eva.krt.tmp"),
            QStringLiteral(".syncthing.Eva.krt.tmp"),
            QStringLiteral("Eva.krt.part"),
        };
        for (const QString& name : extra)
            touch(f.path(name));
        const CardFolderListing listing =
            cardfolder::read(f.dir.cardDir(), QStringLiteral("*.krt"));
        QCOMPARE(listing.names,
                 QStringList({QStringLiteral("Bára.krt"), QStringLiteral("Cyril.krt"),
                              QStringLiteral("Eva.krt"), extra[2]}));
        QCOMPARE(listing.conflictCopies.value(QStringLiteral("Eva.krt")),
                 QStringList({extra[1], extra[0]}));
        QCOMPARE(listing.conflictCopies.size(), 1);
    }

    // Cards added, removed and renamed by another program show in the list;
    // a view's selection stays on its card meanwhile.
    void followsOtherProgramsChanges() {
        Folder f;
        QItemSelectionModel selection(&f.model);
        selection.setCurrentIndex(f.model.index(1), QItemSelectionModel::ClearAndSelect);
        QSignalSpy changes(&f.model, &CardFolderModel::cardsChanged);

        touch(f.path(QStringLiteral("Adam.krt")));
        QVERIFY(QFile::remove(f.path(QStringLiteral("Eva.krt"))));
        QVERIFY(
            QFile::rename(f.path(QStringLiteral("Bára.krt")), f.path(QStringLiteral("Dana.krt"))));
        QTRY_COMPARE(f.model.names(),
                     QStringList({QStringLiteral("Adam.krt"), QStringLiteral("Cyril.krt"),
                                  QStringLiteral("Dana.krt")}));
        QCOMPARE(selection.currentIndex().data().toString(), QStringLiteral("Cyril.krt"));
        QVERIFY(selection.isRowSelected(1, {}));

        QStringList added;
        QStringList removed;
        for (const QList<QVariant>& signal : changes) {
            const auto change = signal.first().value<CardFolderChange>();
            added += change.added;
            removed += change.removed;
        }
        added.sort();
        removed.sort();
        QCOMPARE(added, QStringList({QStringLiteral("Adam.krt"), QStringLiteral("Dana.krt")}));
        QCOMPARE(removed, QStringList({QStringLiteral("Bára.krt"), QStringLiteral("Eva.krt")}));
    }

    // A card file replaced by rename, as sync tools write, is reported by name.
    void replacedCardFileIsReported() {
        Folder f;
        const int before = f.model.listingsApplied();
        QSignalSpy changes(&f.model, &CardFolderModel::cardsChanged);
        touch(f.path(QStringLiteral(".syncthing.Eva.krt.tmp")), "PK new");
        QCOMPARE(std::rename(QFile::encodeName(f.path(QStringLiteral(".syncthing.Eva.krt.tmp"))),
                             QFile::encodeName(f.path(QStringLiteral("Eva.krt")))),
                 0);
        QVERIFY(f.settled(before));
        QStringList replaced;
        for (const QList<QVariant>& signal : changes)
            replaced += signal.first().value<CardFolderChange>().replaced;
        QCOMPARE(replaced, QStringList{QStringLiteral("Eva.krt")});
    }

    // A sync tool bringing a thousand cards costs one reading of the folder.
    void burstIsReadOnce() {
        Folder f;
        const int before = f.model.listingsApplied();
        for (int i = 0; i < 1000; ++i)
            touch(f.path(QStringLiteral("Nová %1.krt").arg(i, 4, 10, QChar(u'0'))));
        QVERIFY(f.settled(before));
        QCOMPARE(f.model.listingsApplied(), before + 1);
        QCOMPARE(f.model.rowCount(), 1003);
        QVERIFY(f.model.lastResetKeepsSelection());
    }

    void conflictCopyMarksItsCard() {
        Folder f;
        const QString copy = QStringLiteral("Cyril (conflicted copy 2026-12-08 120000).krt");
        touch(f.path(copy));
        QTRY_COMPARE(f.model.conflictCopiesOf(QStringLiteral("Cyril.krt")), QStringList{copy});
        const QModelIndex cyril = f.model.index(f.model.indexOf(QStringLiteral("Cyril.krt")));
        QCOMPARE(cyril.data(CardFolderModel::ConflictCopiesRole).toStringList(), QStringList{copy});
        QVERIFY(
            cyril.data(Qt::ToolTipRole).toString().contains(QStringLiteral("Vyřešit konflikt")));
        QVERIFY(!f.model.index(0).data(Qt::ToolTipRole).isValid());
        QCOMPARE(f.model.rowCount(), 3);

        // Its card gone, the copy is a card of its own.
        QVERIFY(QFile::remove(f.path(QStringLiteral("Cyril.krt"))));
        QTRY_VERIFY(f.model.names().contains(copy));
        QVERIFY(f.model.conflictCopiesOf(QStringLiteral("Cyril.krt")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCardFolder)
#include "tst_core_cardfolder.moc"
