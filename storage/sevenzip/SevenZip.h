#pragma once

// The binding of the 7-Zip archive library 7z.so: everything the rest of the
// program uses to read and write card files.

#include "storage/sevenzip/ArchiveFunctions.h"
#include "storage/sevenzip/ComTypes.h"
#include "storage/sevenzip/T7zArchive.h"
#include "storage/sevenzip/T7zBatchItem.h"
#include "storage/sevenzip/T7zInArchive.h"
#include "storage/sevenzip/T7zOutArchive.h"
#include "storage/sevenzip/T7zPlugin.h"
#include "storage/sevenzip/T7zStream.h"
