#pragma once

#include "storage/CardHistory.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Versions of a card read through 7z.so into memory only, never into the
// working directory, where the open card's unsaved member files live.
//
// A version holds the members of the name the card had when it was saved
// (an earlier name, after a rename): the members read are those of the name
// of the version's table member, or of its notes member, or of its picture
// member, in that order, found at the archive's root without regard to case.

struct CardVersionContent {
    QStringList table;
    QString notes;
    QByteArray picture; // the picture member's bytes (a BMP file); empty without one
};

namespace cardversionreader {

// The table, notes and picture of the version at versionPath. Throws AppError
// when the version is no readable card file.
CardVersionContent readCardVersion(const QString& libraryPath, const QString& versionPath);

} // namespace cardversionreader

// One line of the version list: a version, whether it can be read and its row
// count, or why it cannot be read.
struct CardVersionSummary {
    CardVersion version;
    bool readable = false;
    int rows = 0;
    QString problem; // the reading error of an unreadable version
};

namespace cardversionreader {

// The versions in the history folder, newest first, each read for its row
// count alone (its table member). A damaged version is listed as unreadable
// with its error; it does not stop the listing.
QList<CardVersionSummary> summarizeCardVersions(const QString& libraryPath, const QString& folder);

} // namespace cardversionreader
