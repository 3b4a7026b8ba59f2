#include "storage/sevenzip/OperationError.h"

namespace sevenzip {

void OperationError::record(const QString& text) {
    std::lock_guard lock(mutex_);
    if (text_.isEmpty())
        text_ = text;
}

bool OperationError::isSet() const {
    std::lock_guard lock(mutex_);
    return !text_.isEmpty();
}

QString OperationError::text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

void OperationError::clear() {
    std::lock_guard lock(mutex_);
    text_.clear();
}

} // namespace sevenzip
