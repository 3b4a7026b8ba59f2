#pragma once

#include <QString>

namespace sevenzip {

// Why the file at path cannot be a complete ELF shared object for this program
// (wrong magic, class, byte order, machine or type, or headers and loadable
// segments that reach past the end of the file); empty when it can. The dynamic
// loader maps such a file without these checks and then crashes on it (SIGBUS
// on a truncated copy, SIGSEGV on broken program headers), so the binding looks
// first. The reason is English, like the loading error it follows.
QString sharedObjectProblem(const QString& path);

} // namespace sevenzip
