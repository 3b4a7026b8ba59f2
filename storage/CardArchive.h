#pragma once

#include <QString>
#include <memory>

class T7zOutArchive;

// A card file as a whole: a Zip archive whose members lie at its root, written
// and read only through the archive library 7z.so. `libraryPath` is the full path
// of 7z.so (AppState::libraryPath()). Every failure raises AppError.

// Unpacks every member of the card file into workDir (members in folders go to
// sub-folders). The card file is only read.
void UnpackCard(const QString& libraryPath, const QString& cardPath, const QString& workDir);

// The save's archive part. Member files are looked up in workDir without regard
// to letter case and stored under their exact names: cardName + ".tbl",
// cardName + ".txt" and, only when that file exists, cardName + "1.bmp".
class CardWriter {
public:
    // Packs the members into cardPath at compression level 2. The archive is
    // written under a temporary name beside the card file and renamed over it only
    // once complete: on failure the old card file is untouched and no temporary
    // file stays. An existing card file whose name differs from cardPath only in
    // case is replaced under its own name. The writer used is kept until the next
    // call replaces it. With a history directory (AppState::historyDir()), the
    // card file replaced is kept there as the card's newest version
    // (KeptCardVersion); a failed save keeps none.
    void PackCard(const QString& libraryPath, const QString& workDir, const QString& cardName,
                  const QString& cardPath, const QString& historyDir = {});

private:
    std::shared_ptr<T7zOutArchive> writer_;
};

// Writes a card file without members (compression level 3), replacing path; as
// safe as PackCard. A new card file has no history: nothing is kept.
void CreateEmptyCardFile(const QString& libraryPath, const QString& path);

// The temporary name under which the archive for cardPath is written: hidden, in
// the same directory, unique to this process.
QString TemporaryCardPath(const QString& cardPath);
