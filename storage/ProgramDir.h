#pragma once

#include <QString>

// The directory of the running executable, with a trailing "/".
QString executableDirectory();
