#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// How a version of a card file is named in its history folder: after the
// moment the card file was replaced, in UTC to the millisecond
// ("20261208-141503-027.krt"). Should two saves fall in the same millisecond,
// the later one takes a counter ("20261208-141503-027-1.krt").
namespace cardversionname {

struct Stamp {
    QDateTime savedUtc;
    int sequence = 0; // 0 for the first version of its millisecond

    // Newer: a later moment, or the same moment with a higher counter.
    bool newerThan(const Stamp& other) const;
};

QString make(const QDateTime& savedUtc, int sequence);
// The stamp of a version's file name; nothing for any other name (a file
// being copied in, say), which then counts as no version.
std::optional<Stamp> parse(const QString& fileName);

} // namespace cardversionname
