#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QProcess;

// Two real Syncthing instances on 127.0.0.1 only (no discovery, relays, NAT
// or usage reports), each with its own home in a temporary folder, sharing
// two folders (each a program directory's FILES) as one. Every wait is
// bounded; the destructor stops both instances.
class SyncthingPair {
public:
    SyncthingPair(const QString& folderA, const QString& folderB);
    ~SyncthingPair();
    SyncthingPair(const SyncthingPair&) = delete;
    SyncthingPair& operator=(const SyncthingPair&) = delete;

    // Whether the syncthing program is installed.
    static bool available();
    // Starts both and waits until they are connected; false with why() when
    // they did not come up in time.
    bool start();
    // Pauses or resumes the shared folder on both sides (through the REST
    // interface); false with why() when an instance refused.
    bool setPaused(bool paused);
    const QString& why() const { return why_; }

private:
    struct Instance;
    bool prepare(Instance& instance);
    void writeConfig(const Instance& self, const Instance& peer);
    bool launch(Instance& instance);
    bool waitUntil(Instance& instance, const QString& path,
                   const std::function<bool(const QByteArray&)>& done, int timeoutMs);
    QByteArray request(const Instance& instance, const QByteArray& verb, const QString& path,
                       const QByteArray& body = {}, bool* ok = nullptr);

    QList<std::shared_ptr<Instance>> instances_;
    QString why_;
};
