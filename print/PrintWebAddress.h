#pragma once

#include <QString>

// The project's web site as printing uses it: the host name in the page footer
// and the list header, the site for the help page.
namespace printweb {
inline QString host() {
    return QStringLiteral("kartoteka.pelvarin.cz");
}
inline QString site() {
    return QStringLiteral("https://") + host();
}
} // namespace printweb
