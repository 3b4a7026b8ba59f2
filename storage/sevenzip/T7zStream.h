#pragma once

#include "storage/sevenzip/ComObject.h"
#include "storage/sevenzip/OperationError.h"

#include <QString>
#include <memory>

// The stream the library reads and writes: an adapter over an open file
// descriptor. It closes the descriptor on destruction when it owns it.
// Failures return a result code to the library and leave a readable text naming
// the file in `errors`.
class T7zStream final : public sevenzip::ComObject<sevenzip::IInStream, sevenzip::IOutStream,
                                                   sevenzip::IStreamGetSize> {
public:
    T7zStream(int fd, bool ownsFile, const QString& path,
              std::shared_ptr<sevenzip::OperationError> errors);
    ~T7zStream() override;

    sevenzip::HRESULT QueryInterface(const TGUID& iid, void** out) override;
    sevenzip::HRESULT Read(void* data, quint32 size, quint32* processed) override;
    sevenzip::HRESULT Write(const void* data, quint32 size, quint32* processed) override;
    sevenzip::HRESULT Seek(qint64 offset, quint32 origin, quint64* newPosition) override;
    sevenzip::HRESULT SetSize(quint64 size) override;
    sevenzip::HRESULT GetSize(quint64* size) override;

private:
    sevenzip::HRESULT fail(const char* what, int error);

    int fd_;
    bool ownsFile_;
    QString path_;
    std::shared_ptr<sevenzip::OperationError> errors_;
};
