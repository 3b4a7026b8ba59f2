#include "storage/WorkDir.h"

#include <QFile>
#include <cstdio>
#include <ftw.h>

namespace {

// Called deepest entries first (FTW_DEPTH); the working directory itself, at
// level 0, stays. The walk goes on past entries that cannot be deleted.
int removeBelowRoot(const char* path, const struct stat*, int, struct FTW* position) {
    if (position->level > 0)
        std::remove(path);
    return 0;
}

} // namespace

namespace workdir {

void ClearWorkDir(const QString& workDir) {
    // An empty path would name the current directory.
    if (workDir.isEmpty())
        return;
    // FTW_PHYS: links are removed as links and never followed, FTW_MOUNT: the
    // walk stays on the working directory's file system.
    ::nftw(QFile::encodeName(workDir).constData(), removeBelowRoot, 16,
           FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
}

} // namespace workdir
