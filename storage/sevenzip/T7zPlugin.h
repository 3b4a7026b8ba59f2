#pragma once

#include "storage/sevenzip/ModuleApi.h"

#include <QString>
#include <memory>

// One reference to the archive library 7z.so: loads it on construction and
// unloads it on destruction, so every reader and writer keeps the library
// loaded for as long as it lives. Throws AppError when the file cannot be
// loaded or is not the 7-Zip format library.
class T7zPlugin {
public:
    explicit T7zPlugin(const QString& libraryPath);
    // A reference to a library another plugin has loaded and checked: it shares
    // that plugin's loading and export look-ups, so the many readers of one
    // search load the library once. The plugin may be shared between threads.
    explicit T7zPlugin(std::shared_ptr<const T7zPlugin> loaded);
    virtual ~T7zPlugin();
    T7zPlugin(const T7zPlugin&) = delete;
    T7zPlugin& operator=(const T7zPlugin&) = delete;

protected:
    const sevenzip::ModuleApi& module() const { return module_; }
    // A new library object of class classId offering interface iid, holding one
    // reference for the caller. Throws AppError when the library refuses.
    void* createObject(const TGUID& classId, const TGUID& iid) const;

private:
    void resolveExports(const QString& libraryName);
    bool usesThisBinaryInterface() const;

    void* handle_ = nullptr; // null when the library is shared from loaded_
    sevenzip::ModuleApi module_;
    std::shared_ptr<const T7zPlugin> loaded_;
};
