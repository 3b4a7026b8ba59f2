#include "core/TextMatcher.h"

TextMatcher::TextMatcher(const QString& text, bool caseSensitive)
    : text_(caseSensitive ? text : text.toUpper()), caseSensitive_(caseSensitive) {}

bool TextMatcher::matches(const QString& line) const {
    if (text_.isEmpty())
        return false;
    return caseSensitive_ ? line.contains(text_) : line.toUpper().contains(text_);
}
