#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Catches the web pages and files the program asks the desktop to open, so that
// no browser starts: while it lives, every address of its schemes is recorded.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList& schemes = {QStringLiteral("https")})
        : schemes_(schemes) {
        for (const QString& scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened; // in order

public slots:
    void open(const QUrl& url) { opened << url; }

private:
    QStringList schemes_;
};
