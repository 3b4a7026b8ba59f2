#include "storage/sevenzip/T7zArchive.h"

T7zArchive::T7zArchive(const QString& libraryPath) : T7zPlugin(libraryPath) {}
