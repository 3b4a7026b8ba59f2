#include "storage/sevenzip/FileTime.h"

namespace sevenzip {

quint64 fileTimeFromUnix(qint64 seconds, qint64 nanoseconds) {
    constexpr qint64 ticksPerSecond = 10'000'000;
    constexpr qint64 unixEpochTicks = 116'444'736'000'000'000; // 1970-01-01 as FILETIME
    const qint64 ticks = seconds * ticksPerSecond + nanoseconds / 100 + unixEpochTicks;
    return ticks < 0 ? 0 : quint64(ticks);
}

} // namespace sevenzip
