#pragma once

#include <QString>
#include <mutex>

namespace sevenzip {

// The first readable error met by callbacks and streams during one library
// call. The library only sees a result code; the binding throws this text
// instead, since it names the file or item that failed. Streams may report
// from the library's worker threads.
class OperationError {
public:
    void record(const QString& text);
    bool isSet() const;
    QString text() const;
    void clear();

private:
    mutable std::mutex mutex_;
    QString text_;
};

} // namespace sevenzip
