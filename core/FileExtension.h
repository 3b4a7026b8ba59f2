#pragma once

#include <QString>

namespace fileextension {

// The extension of the file name in path, dot included and upper-cased (".JPG"),
// by which dropped and chosen files are told apart; empty when the name has no dot.
QString upperCaseExtension(const QString& path);

} // namespace fileextension
