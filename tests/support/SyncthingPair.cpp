#include "tests/support/SyncthingPair.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QUuid>
#include <functional>
#include <unistd.h>

namespace {

constexpr int kStartMs = 30000;
constexpr int kConnectMs = 60000;
constexpr int kRequestMs = 10000;
const QString kFolderId = QStringLiteral("kartoteka");

// A port nobody listens on at this moment.
int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

struct SyncthingPair::Instance {
    QString folder;
    QTemporaryDir home;
    QString deviceId;
    QString apiKey;
    int listenPort = 0;
    int guiPort = 0;
    std::unique_ptr<QProcess> process;
};

SyncthingPair::SyncthingPair(const QString& folderA, const QString& folderB) {
    for (const QString& folder : {folderA, folderB}) {
        auto instance = std::make_shared<Instance>();
        instance->folder = folder;
        instances_.append(instance);
    }
}

SyncthingPair::~SyncthingPair() {
    for (const auto& instance : instances_) {
        if (!instance->process || instance->process->state() == QProcess::NotRunning)
            continue;
        instance->process->terminate();
        if (!instance->process->waitForFinished(10000)) {
            instance->process->kill();
            instance->process->waitForFinished(5000);
        }
    }
}

bool SyncthingPair::available() {
    return !QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty();
}

bool SyncthingPair::start() {
    for (int i = 0; i < instances_.size(); ++i) {
        if (!prepare(*instances_[i]))
            return false;
    }
    writeConfig(*instances_[0], *instances_[1]);
    writeConfig(*instances_[1], *instances_[0]);
    for (const auto& instance : instances_) {
        if (!launch(*instance))
            return false;
    }
    for (int i = 0; i < instances_.size(); ++i) {
        const QString peer = instances_[1 - i]->deviceId;
        const bool connected = waitUntil(
            *instances_[i], QStringLiteral("/rest/system/connections"),
            [&peer](const QByteArray& reply) {
                const QRegularExpression linked(
                    QStringLiteral("\"%1\"\\s*:\\s*\\{[^}]*\"connected\"\\s*:\\s*true").arg(peer));
                return linked.match(QString::fromUtf8(reply)).hasMatch();
            },
            kConnectMs);
        if (!connected) {
            why_ = QStringLiteral("the two Syncthing instances did not connect");
            return false;
        }
    }
    return true;
}

bool SyncthingPair::prepare(Instance& instance) {
    QProcess generate;
    generate.setProcessChannelMode(QProcess::MergedChannels);
    generate.start(QStringLiteral("syncthing"),
                   {QStringLiteral("generate"), QStringLiteral("--home=") + instance.home.path(),
                    QStringLiteral("--no-default-folder"), QStringLiteral("--skip-port-probing")});
    if (!generate.waitForFinished(kStartMs) || generate.exitCode() != 0) {
        why_ = QStringLiteral("syncthing generate failed: ") + generate.readAll();
        return false;
    }
    const QRegularExpressionMatch id =
        QRegularExpression(QStringLiteral("Device ID:\\s+([A-Z0-9-]{63})"))
            .match(QString::fromUtf8(generate.readAll()));
    if (!id.hasMatch()) {
        why_ = QStringLiteral("syncthing generate named no device");
        return false;
    }
    instance.deviceId = id.captured(1);
    instance.apiKey = QUuid::createUuid().toString(QUuid::Id128);
    instance.listenPort = freePort();
    instance.guiPort = freePort();
    QDir().mkpath(instance.folder + QStringLiteral("/.stfolder"));
    // The program's own temporary card files are no business of the sync.
    QFile ignore(instance.folder + QStringLiteral("/.stignore"));
    if (ignore.open(QIODevice::WriteOnly))
        ignore.write("(?d).*.tmp-*\n");
    return true;
}

void SyncthingPair::writeConfig(const Instance& self, const Instance& peer) {
    const auto device = [](const Instance& instance, const char* name) {
        return QStringLiteral("  <device id=\"%1\" name=\"%2\" compression=\"metadata\" "
                              "introducer=\"false\"><address>tcp://127.0.0.1:%3</address>"
                              "</device>\n")
            .arg(instance.deviceId, QString::fromLatin1(name))
            .arg(instance.listenPort);
    };
    QString config;
    config += QStringLiteral("<configuration version=\"36\">\n");
    config += QStringLiteral("  <folder id=\"%1\" label=\"FILES\" path=\"%2\" type=\"sendreceive\" "
                             "rescanIntervalS=\"2\" fsWatcherEnabled=\"true\" "
                             "fsWatcherDelayS=\"1\" ignorePerms=\"false\">\n"
                             "    <device id=\"%3\"></device>\n    <device id=\"%4\"></device>\n"
                             "    <maxConflicts>10</maxConflicts>\n  </folder>\n")
                  .arg(kFolderId, escaped(self.folder), self.deviceId, peer.deviceId);
    config += device(self, "a") + device(peer, "b");
    config += QStringLiteral("  <gui enabled=\"true\" tls=\"false\"><address>127.0.0.1:%1</address>"
                             "<apikey>%2</apikey></gui>\n")
                  .arg(self.guiPort)
                  .arg(self.apiKey);
    config += QStringLiteral(
                  "  <options>\n    <listenAddress>tcp://127.0.0.1:%1</listenAddress>\n"
                  "    <globalAnnounceServer></globalAnnounceServer>\n"
                  "    <globalAnnounceEnabled>false</globalAnnounceEnabled>\n"
                  "    <localAnnounceEnabled>false</localAnnounceEnabled>\n"
                  "    <relaysEnabled>false</relaysEnabled>\n    <natEnabled>false</natEnabled>\n"
                  "    <stunServer></stunServer>\n    <urAccepted>-1</urAccepted>\n"
                  "    <crashReportingEnabled>false</crashReportingEnabled>\n"
                  "    <autoUpgradeIntervalH>0</autoUpgradeIntervalH>\n"
                  "    <reconnectionIntervalS>1</reconnectionIntervalS>\n"
                  "    <startBrowser>false</startBrowser>\n  </options>\n")
                  .arg(self.listenPort);
    config += QStringLiteral("</configuration>\n");
    QFile file(self.home.path() + QStringLiteral("/config.xml"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(config.toUtf8());
}

bool SyncthingPair::launch(Instance& instance) {
    instance.process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("STNODEFAULTFOLDER"), QStringLiteral("1"));
    environment.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("STNORESTART"), QStringLiteral("1"));
    instance.process->setProcessEnvironment(environment);
    instance.process->setProcessChannelMode(QProcess::MergedChannels);
    // A process group of its own: a terminal's Ctrl+C on the tests is not its.
    instance.process->setChildProcessModifier([] { ::setpgid(0, 0); });
    instance.process->start(QStringLiteral("syncthing"),
                            {QStringLiteral("serve"),
                             QStringLiteral("--home=") + instance.home.path(),
                             QStringLiteral("--no-browser"), QStringLiteral("--no-restart"),
                             QStringLiteral("--no-upgrade")});
    if (!instance.process->waitForStarted(kStartMs)) {
        why_ = QStringLiteral("syncthing did not start");
        return false;
    }
    if (!waitUntil(
            instance, QStringLiteral("/rest/system/ping"),
            [](const QByteArray& reply) { return reply.contains("pong"); }, kStartMs)) {
        why_ = QStringLiteral("syncthing did not answer: ") + instance.process->readAll();
        return false;
    }
    return true;
}

bool SyncthingPair::waitUntil(Instance& instance, const QString& path,
                              const std::function<bool(const QByteArray&)>& done, int timeoutMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < timeoutMs) {
        bool ok = false;
        const QByteArray reply = request(instance, "GET", path, {}, &ok);
        if (ok && done(reply))
            return true;
        if (instance.process->state() == QProcess::NotRunning)
            return false;
        QEventLoop pause;
        QTimer::singleShot(200, &pause, &QEventLoop::quit);
        pause.exec();
    }
    return false;
}

QByteArray SyncthingPair::request(const Instance& instance, const QByteArray& verb,
                                  const QString& path, const QByteArray& body, bool* ok) {
    QNetworkAccessManager network;
    QNetworkRequest call(
        QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(instance.guiPort).arg(path)));
    call.setRawHeader("X-API-Key", instance.apiKey.toLatin1());
    call.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json"));
    call.setTransferTimeout(kRequestMs);
    QNetworkReply* reply = network.sendCustomRequest(call, verb, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    if (ok)
        *ok = reply->error() == QNetworkReply::NoError;
    const QByteArray answer = reply->readAll();
    reply->deleteLater();
    return answer;
}

bool SyncthingPair::setPaused(bool paused) {
    const QByteArray body = paused ? "{\"paused\": true}" : "{\"paused\": false}";
    for (const auto& instance : instances_) {
        bool ok = false;
        request(*instance, "PATCH", QStringLiteral("/rest/config/folders/") + kFolderId, body, &ok);
        if (!ok) {
            why_ = QStringLiteral("the folder could not be paused or resumed");
            return false;
        }
    }
    return true;
}
