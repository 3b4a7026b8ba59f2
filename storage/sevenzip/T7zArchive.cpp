#include "storage/sevenzip/T7zArchive.h"

T7zArchive::T7zArchive(const QString& libraryPath) : T7zPlugin(libraryPath) {}

T7zArchive::T7zArchive(std::shared_ptr<const T7zPlugin> loaded) : T7zPlugin(std::move(loaded)) {}
