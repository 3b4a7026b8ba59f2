#pragma once

#include "storage/sevenzip/ComPtr.h"
#include "storage/sevenzip/T7zPlugin.h"

// A library reference bound to one archive format (ZipFormatId in this program).
class T7zArchive : public T7zPlugin {
public:
    explicit T7zArchive(const QString& libraryPath);
    explicit T7zArchive(std::shared_ptr<const T7zPlugin> loaded);

    void SetFormat(const TGUID& classId) { classId_ = classId; }
    const TGUID& getFormat() const { return classId_; }

protected:
    // A new handler of the archive's format offering interface iid.
    template <class Interface> sevenzip::ComPtr<Interface> createHandler(const TGUID& iid) const {
        return sevenzip::ComPtr<Interface>::adopt(
            static_cast<Interface*>(createObject(classId_, iid)));
    }

private:
    TGUID classId_{};
};
