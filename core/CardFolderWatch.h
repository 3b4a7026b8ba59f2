#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Watches the card folder for other programs' changes: the folder itself (a
// card file replaced by rename, as sync tools do, stops being watched as a
// file, the folder sees its new name) and, for writes in place, one card file.
// A burst of changes (a sync tool bringing a thousand cards) is reported once:
// `changed` follows a moment of quiet after the last change, and never later
// than kLatestMs after the first, so a long burst still shows as it goes.
class CardFolderWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 150;
    static constexpr int kLatestMs = 600;

    explicit CardFolderWatch(QObject* parent = nullptr);

    // Watches directory instead of the one watched until now.
    void watchFolder(const QString& directory);
    // Also watches the file at path (the open card's), instead of the one
    // watched until now; an empty path watches no file.
    void watchFile(const QString& path);
    // Whether a change waits to be reported.
    bool pending() const { return timer_.isActive(); }

signals:
    void changed();

private:
    void noteChange();

    QFileSystemWatcher watcher_;
    QString folder_;
    QString file_;
    QTimer timer_;
    QElapsedTimer sinceFirst_;
};
