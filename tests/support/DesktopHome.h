#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

// A user's home of its own for one test: HOME and XDG_DATA_HOME point into a
// temporary folder (the data home not yet created, as on a fresh account), so
// that deleted cards go to a trash the test can read and never to the real
// user's. The old values come back when it goes.
class DesktopHome {
public:
    DesktopHome() : oldHome_(qgetenv("HOME")), oldDataHome_(qgetenv("XDG_DATA_HOME")) {
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_HOME", dataHome().toUtf8());
    }
    ~DesktopHome() {
        restore("HOME", oldHome_);
        restore("XDG_DATA_HOME", oldDataHome_);
    }

    QString path() const { return home_.path() + u'/'; }
    QString dataHome() const { return path() + QStringLiteral("data"); }
    QString trashFile(const QString& name) const {
        return dataHome() + QStringLiteral("/Trash/files/") + name;
    }
    QString trashInfo(const QString& name) const {
        return dataHome() + QStringLiteral("/Trash/info/") + name + QStringLiteral(".trashinfo");
    }
    QStringList trashFiles() const {
        return QDir(dataHome() + QStringLiteral("/Trash/files")).entryList(QDir::Files, QDir::Name);
    }

private:
    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir home_;
    QByteArray oldHome_;
    QByteArray oldDataHome_;
};
