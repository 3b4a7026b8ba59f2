#pragma once

#include <QString>
#include <memory>

class T7zOutArchive;

// A card file as a whole: a Zip archive whose members lie at its root, written
// and read only through the archive library 7z.so. `libraryPath` is the full path
// of 7z.so (AppState::libraryPath()). Every failure raises AppError.

namespace cardarchive {

// The compression level of a card file saved.
inline constexpr quint32 SaveLevel = 2;

// Unpacks the members of the card file into workDir: the items at the root of
// the archive under names that are not hidden, one per name without regard to
// case, within the limits of UnpackLimits. Items in folders and hidden items are
// never used and are not unpacked. Whatever stands under a member's name in
// workDir is replaced. The card file is only read; a card file that is not a
// regular file, is damaged or passes a limit raises AppError naming it, and no
// part of a member stays behind.
void unpackCard(const QString& libraryPath, const QString& cardPath, const QString& workDir);

} // namespace cardarchive

// The save's archive part. Member files are looked up in workDir without regard
// to letter case and stored under their exact names: cardName + ".tbl",
// cardName + ".txt" and, only when that file exists, cardName + "1.bmp".
class CardWriter {
public:
    // Packs the members into cardPath at compression level 2. The archive is
    // written under a temporary name beside the card file and renamed over it only
    // once complete: on failure the old card file is untouched and no temporary
    // file stays. Exactly cardPath is written: a card file whose name differs only
    // in case is another card and stays as it is. A card file that is a symbolic link
    // keeps being one, its target is replaced. The new card file keeps the
    // permission bits of the old one. The temporary file is created exclusively
    // and never through a link; the folder is flushed after the rename. The
    // writer used is kept until the next call replaces it. With a history
    // directory (AppState::historyDir()), the card file replaced is kept there as
    // the card's newest version (KeptCardVersion); a failed save keeps none.
    void packCard(const QString& libraryPath, const QString& workDir, const QString& cardName,
                  const QString& cardPath, const QString& historyDir = {});

private:
    std::shared_ptr<T7zOutArchive> writer_;
};

namespace cardarchive {

// Writes a card file without members (compression level 3), replacing path; as
// safe as PackCard. A new card file has no history: nothing is kept.
void createEmptyCardFile(const QString& libraryPath, const QString& path);

// The temporary name under which the archive for cardPath is written: hidden, in
// the same directory, unique to this process: "." + file name + ".tmp-" + pid.
QString temporaryCardPath(const QString& cardPath);

} // namespace cardarchive
