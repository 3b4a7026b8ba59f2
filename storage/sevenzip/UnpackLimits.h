#pragma once

#include <QString>
#include <QtGlobal>

// How much one archive may unpack, on disk or in memory. A real card holds two
// small text members and one 320 × 240 bitmap; the limits lie far above that and
// only stop archives built to flood the disk or the memory ("zip bombs").
struct UnpackLimits {
    quint32 maxItems = 1000;
    quint64 maxTextBytes = quint64(64) << 20;     // any member but a picture
    quint64 maxPictureBytes = quint64(256) << 20; // a member whose name ends in ".bmp"
    quint64 maxTotalBytes = quint64(384) << 20;   // all unpacked members together

    // The limit of one item, by its name.
    quint64 limitFor(const QString& itemPath) const {
        return itemPath.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) ? maxPictureBytes
                                                                              : maxTextBytes;
    }
};
