#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

// One program per program directory. Two programs on one folder would share
// TEMP, where each keeps the members of its open card, and each would save
// over the other's cards. The first program holds a lock beside FILES
// (P + "kartoteka.lock", QLockFile: a lock left by a process that has died
// is taken over) and listens on a local socket named after the program
// directory, so that two directories still run side by side. A second start
// finds the lock held, asks the first program through the socket to show its
// window, and ends.
//
// The socket is the user's alone (QLocalServer::UserAccessOption), and the
// one request it answers is "show your window": nothing that arrives through
// it is ever taken as a command or a path.
class ProgramInstance : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kLockFileName = "kartoteka.lock";

    // programDir = P with a trailing "/".
    explicit ProgramInstance(const QString& programDir, QObject* parent = nullptr);
    ~ProgramInstance() override;

    QString lockPath() const { return lockPath_; }
    // The socket's name: derived from the program directory and the user.
    QString serverName() const { return serverName_; }

    // Takes the program directory: true when no living program holds it; it is
    // then held until this object goes, and later starts can wake it. Throws
    // AppError when the lock cannot be made at all.
    bool claim();
    // Asks the program that holds the directory to show its window; false when
    // it did not answer within timeoutMs.
    bool wakeHolder(int timeoutMs = 3000) const;

signals:
    // A second start asked this program to show its window.
    void showRequested();

private:
    void listen();
    void answer(class QLocalSocket* socket);

    QString lockPath_;
    QString serverName_;
    QLockFile lock_;
    QLocalServer server_;
};
