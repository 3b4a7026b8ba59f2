#include "core/ProgramInstance.h"

#include "storage/AppError.h"

#include <QCryptographicHash>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>

namespace {

const QByteArray kShowRequest = QByteArrayLiteral("show\n");
const QByteArray kShownReply = QByteArrayLiteral("shown\n");
// A client that says nothing valid in this time is dropped.
constexpr int kClientPatienceMs = 2000;

QString socketNameFor(const QString& programDir) {
    const QFileInfo dir(programDir);
    const QString canonical = dir.canonicalFilePath();
    const QString path = canonical.isEmpty() ? dir.absoluteFilePath() : canonical;
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(20);
    return QStringLiteral("kartoteka-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

} // namespace

ProgramInstance::ProgramInstance(const QString& programDir, QObject* parent)
    : QObject(parent), lockPath_(programDir + QString::fromLatin1(kLockFileName)),
      serverName_(socketNameFor(programDir)), lock_(lockPath_) {
    // Only a dead holder makes a lock stale, never its age: a program may
    // run for weeks.
    lock_.setStaleLockTime(0);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection())
            answer(socket);
    });
}

ProgramInstance::~ProgramInstance() {
    server_.close();
}

bool ProgramInstance::claim() {
    if (!lock_.tryLock(0)) {
        if (lock_.error() == QLockFile::LockFailedError)
            return false;
        throw AppError(QStringLiteral("Nelze vytvořit zámek programové složky %1.").arg(lockPath_));
    }
    listen();
    return true;
}

void ProgramInstance::listen() {
    // The lock is ours, so a socket of this name is left by a program that died.
    QLocalServer::removeServer(serverName_);
    if (!server_.listen(serverName_))
        qWarning("kartoteka: no wake-up socket: %s", qPrintable(server_.errorString()));
}

void ProgramInstance::answer(QLocalSocket* socket) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kClientPatienceMs, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (socket->bytesAvailable() < kShowRequest.size())
            return;
        const QByteArray request = socket->read(kShowRequest.size());
        if (request == kShowRequest) {
            socket->write(kShownReply);
            socket->flush();
            emit showRequested();
        }
        socket->disconnectFromServer();
    });
}

// Waits in an event loop of its own, so that a holder in this very process
// (as in the tests) answers too.
bool ProgramInstance::wakeHolder(int timeoutMs) const {
    QEventLoop loop;
    QLocalSocket socket;
    bool shown = false;
    QTimer deadline;
    deadline.setSingleShot(true);
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(&socket, &QLocalSocket::connected, &loop, [&socket] { socket.write(kShowRequest); });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (socket.bytesAvailable() < kShownReply.size())
            return;
        shown = socket.read(kShownReply.size()) == kShownReply;
        loop.quit();
    });
    // The holder may be starting and not listen yet: try again until the time is up.
    connect(&socket, &QLocalSocket::errorOccurred, &loop, [&] {
        if (socket.state() != QLocalSocket::UnconnectedState || !deadline.isActive())
            return;
        QTimer::singleShot(50, &loop, [&] {
            if (socket.state() == QLocalSocket::UnconnectedState)
                socket.connectToServer(serverName_);
        });
    });
    deadline.start(timeoutMs);
    socket.connectToServer(serverName_);
    loop.exec();
    socket.abort();
    return shown;
}
