#pragma once

#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/T7zStream.h"

#include <QString>

// One item queued for writing into an archive, with the properties reported to
// the library for it.
struct T7zBatchItem {
    enum Kind : qint32 { FromStream = 0, FromFile = 1 };

    qint32 SourceKind = FromFile;
    sevenzip::ComPtr<T7zStream> SourceStream; // the data of a stream item
    quint32 FileAttributes = 0;
    quint64 CreateTime = 0; // FILETIME, UTC
    quint64 WriteTime = 0;  // FILETIME, UTC
    QString ArchiveName;    // path and name inside the archive
    bool IsDirectory = false;
    bool IsDeletion = false;
    QString SourcePath; // the file of a file item
    bool OwnsStream = true;
    // 64 bits: the library decides on Zip64 records from this size, so a
    // truncated value would misdescribe files of 4 GiB and more.
    quint64 ByteSize = 0;
};
