#pragma once

#include "core/LineMerge.h"
#include "storage/CardVersionReader.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QStringList>
#include <optional>

// Joins two versions of one card, "mine" (the editor's) and "theirs" (one
// written by another program or computer), against the version both came
// from (the base), when it is known.
//
// Table rows are told apart by their key (the text before "="; a line without
// "=" by the whole line; a repeated key by its occurrence). A row added,
// removed or changed on one side only is taken; so is the order of the rows
// when only one side reordered them. Notes are joined line by line
// (linemerge::merge), the picture as a whole. Whatever both sides changed,
// differently, is a conflict: it is never guessed, the user picks a side for
// each (joined()). Without a base, every difference is a conflict.
enum class JoinSide { Mine, Theirs };

struct JoinConflict {
    enum class Part { Row, Order, Notes, Picture };
    Part part = Part::Row;
    QString label;      // the row's key, or what the part is, for the user
    QStringList mine;   // my side's lines; empty when my side has none
    QStringList theirs; // their side's lines
};

class CardJoin {
public:
    CardJoin(const std::optional<CardVersionContent>& base, const CardVersionContent& mine,
             const CardVersionContent& theirs);

    const QList<JoinConflict>& conflicts() const { return conflicts_; }
    // The joined card, with picks[i] taken for conflicts()[i] (Mine where
    // picks is shorter).
    CardVersionContent joined(const QList<JoinSide>& picks) const;

private:
    struct RowChoice {
        std::optional<QString> line; // the row's line; none when the row goes
        int conflict = -1;           // the conflict deciding it, -1 when agreed
        std::optional<QString> mine;
        std::optional<QString> theirs;
    };
    void joinRows(const std::optional<CardVersionContent>& base, const CardVersionContent& mine,
                  const CardVersionContent& theirs);
    void joinOrder(const std::optional<QStringList>& base);
    void joinNotes(const std::optional<CardVersionContent>& base, const CardVersionContent& mine,
                   const CardVersionContent& theirs);
    void joinPicture(const std::optional<CardVersionContent>& base, const CardVersionContent& mine,
                     const CardVersionContent& theirs);
    int addConflict(JoinConflict conflict);
    QStringList joinedTable(const QList<JoinSide>& picks) const;

    QList<JoinConflict> conflicts_;
    QHash<QString, RowChoice> rows_;
    QStringList mineOrder_;  // row identities in my order
    QStringList theirOrder_; // and in theirs
    int orderConflict_ = -1;
    JoinSide orderFrom_ = JoinSide::Mine; // when agreed
    QList<linemerge::Chunk> notes_;
    QList<int> notesConflicts_; // per chunk: its conflict, or -1
    QByteArray picture_;
    int pictureConflict_ = -1;
    QByteArray minePicture_;
    QByteArray theirPicture_;
};
