#pragma once

#include <QString>

// Decides whether a line holds the search text: plain substring containment, by
// default without regard to letter case. Upper-casing is Unicode's (so "č"
// matches "Č"). The empty text occurs nowhere.
class TextMatcher {
public:
    TextMatcher(const QString& text, bool caseSensitive);
    bool matches(const QString& line) const;

private:
    QString text_; // upper-cased unless caseSensitive_
    bool caseSensitive_;
};
