#pragma once

#include <QtGlobal>

namespace sevenzip {

// A Unix time as a Windows FILETIME: 100-ns ticks since 1601-01-01 UTC (0 for
// times before that).
quint64 fileTimeFromUnix(qint64 seconds, qint64 nanoseconds);

} // namespace sevenzip
