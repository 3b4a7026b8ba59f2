#include "core/CardJoin.h"

#include <QSet>

namespace {

// Each row's identity: its key (or, without "=", its whole line) and which
// occurrence of that key it is, so that repeated keys stay apart.
QStringList identities(const QStringList& table) {
    QStringList ids;
    QHash<QString, int> seen;
    for (const QString& line : table) {
        const qsizetype equals = line.indexOf(u'=');
        const QString key =
            equals < 0 ? QStringLiteral("l:") + line : QStringLiteral("k:") + line.left(equals);
        ids.append(key + u'#' + QString::number(seen[key]++));
    }
    return ids;
}

QHash<QString, QString> linesById(const QStringList& table, const QStringList& ids) {
    QHash<QString, QString> lines;
    for (qsizetype i = 0; i < table.size(); ++i)
        lines.insert(ids[i], table[i]);
    return lines;
}

std::optional<QString> lineOf(const QHash<QString, QString>& lines, const QString& id) {
    const auto found = lines.constFind(id);
    return found == lines.cend() ? std::nullopt : std::optional<QString>(found.value());
}

QStringList linesOrNone(const std::optional<QString>& line) {
    return line ? QStringList{*line} : QStringList{};
}

// What the user sees of a row: its key, or its line when it has no "=".
QString rowLabel(const QString& id) {
    return id.mid(2, id.lastIndexOf(u'#') - 2);
}

// The ids of `order` that are also in `others`, in the order of `order`.
QStringList commonInOrder(const QStringList& order, const QStringList& others) {
    const QSet<QString> other(others.cbegin(), others.cend());
    QStringList common;
    for (const QString& id : order) {
        if (other.contains(id))
            common.append(id);
    }
    return common;
}

QStringList notesLines(const QString& notes) {
    if (notes.isEmpty())
        return {};
    QString text = notes;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text.split(u'\n');
}

} // namespace

CardJoin::CardJoin(const std::optional<CardVersionContent>& base, const CardVersionContent& mine,
                   const CardVersionContent& theirs) {
    joinRows(base, mine, theirs);
    std::optional<QStringList> baseOrder;
    if (base)
        baseOrder = identities(base->table);
    joinOrder(baseOrder);
    joinNotes(base, mine, theirs);
    joinPicture(base, mine, theirs);
}

int CardJoin::addConflict(JoinConflict conflict) {
    conflicts_.append(std::move(conflict));
    return int(conflicts_.size() - 1);
}

void CardJoin::joinRows(const std::optional<CardVersionContent>& base,
                        const CardVersionContent& mine, const CardVersionContent& theirs) {
    mineOrder_ = identities(mine.table);
    theirOrder_ = identities(theirs.table);
    const QHash<QString, QString> mineLines = linesById(mine.table, mineOrder_);
    const QHash<QString, QString> theirLines = linesById(theirs.table, theirOrder_);
    QHash<QString, QString> baseLines;
    QStringList all = mineOrder_ + theirOrder_;
    if (base) {
        const QStringList baseIds = identities(base->table);
        baseLines = linesById(base->table, baseIds);
        all += baseIds;
    }
    for (const QString& id : all) {
        if (rows_.contains(id))
            continue;
        RowChoice row;
        row.mine = lineOf(mineLines, id);
        row.theirs = lineOf(theirLines, id);
        const std::optional<QString> was = base ? lineOf(baseLines, id) : std::nullopt;
        if (row.mine == row.theirs) {
            row.line = row.mine;
        } else if (base && row.mine == was) {
            row.line = row.theirs;
        } else if (base && row.theirs == was) {
            row.line = row.mine;
        } else {
            row.conflict = addConflict({JoinConflict::Part::Row, rowLabel(id),
                                        linesOrNone(row.mine), linesOrNone(row.theirs)});
        }
        rows_.insert(id, row);
    }
}

// The order of the rows comes from the side that changed it; when both did,
// differently, the user picks one.
void CardJoin::joinOrder(const std::optional<QStringList>& base) {
    const QStringList mineCommon = commonInOrder(mineOrder_, theirOrder_);
    const QStringList theirCommon = commonInOrder(theirOrder_, mineOrder_);
    if (mineCommon == theirCommon)
        return;
    if (base) {
        const bool mineMoved = commonInOrder(mineOrder_, *base) != commonInOrder(*base, mineOrder_);
        const bool theirsMoved =
            commonInOrder(theirOrder_, *base) != commonInOrder(*base, theirOrder_);
        if (!mineMoved || !theirsMoved) {
            orderFrom_ = mineMoved ? JoinSide::Mine : JoinSide::Theirs;
            return;
        }
    }
    QStringList mineKeys;
    QStringList theirKeys;
    for (const QString& id : mineCommon)
        mineKeys.append(rowLabel(id));
    for (const QString& id : theirCommon)
        theirKeys.append(rowLabel(id));
    orderConflict_ = addConflict(
        {JoinConflict::Part::Order, QStringLiteral("Pořadí řádků"), mineKeys, theirKeys});
}

void CardJoin::joinNotes(const std::optional<CardVersionContent>& base,
                         const CardVersionContent& mine, const CardVersionContent& theirs) {
    std::optional<QStringList> baseLines;
    if (base)
        baseLines = notesLines(base->notes);
    notes_ = linemerge::merge(baseLines, notesLines(mine.notes), notesLines(theirs.notes));
    for (const linemerge::Chunk& chunk : notes_) {
        notesConflicts_.append(
            chunk.conflict
                ? addConflict({JoinConflict::Part::Notes,
                               QStringLiteral("Poznámky, řádek %1").arg(chunk.mineLine + 1),
                               chunk.mine, chunk.theirs})
                : -1);
    }
}

void CardJoin::joinPicture(const std::optional<CardVersionContent>& base,
                           const CardVersionContent& mine, const CardVersionContent& theirs) {
    minePicture_ = mine.picture;
    theirPicture_ = theirs.picture;
    if (mine.picture == theirs.picture || (base && theirs.picture == base->picture)) {
        picture_ = mine.picture;
    } else if (base && mine.picture == base->picture) {
        picture_ = theirs.picture;
    } else {
        const auto described = [](const QByteArray& picture) {
            return QStringList{picture.isEmpty() ? QStringLiteral("(bez obrázku)")
                                                 : QStringLiteral("(obrázek)")};
        };
        pictureConflict_ = addConflict({JoinConflict::Part::Picture, QStringLiteral("Obrázek"),
                                        described(mine.picture), described(theirs.picture)});
    }
}

CardVersionContent CardJoin::joined(const QList<JoinSide>& picks) const {
    const auto pick = [&picks](int conflict) {
        return conflict < picks.size() ? picks[conflict] : JoinSide::Mine;
    };
    CardVersionContent card;
    card.table = joinedTable(picks);
    QStringList notes;
    for (qsizetype i = 0; i < notes_.size(); ++i) {
        const linemerge::Chunk& chunk = notes_[i];
        if (!chunk.conflict)
            notes += chunk.lines;
        else
            notes += pick(notesConflicts_[i]) == JoinSide::Mine ? chunk.mine : chunk.theirs;
    }
    card.notes = notes.join(QStringLiteral("\r\n"));
    if (pictureConflict_ < 0)
        card.picture = picture_;
    else
        card.picture = pick(pictureConflict_) == JoinSide::Mine ? minePicture_ : theirPicture_;
    return card;
}

// The rows kept, in the order of the side the order comes from; a row only
// the other side has goes after the row it follows there.
QStringList CardJoin::joinedTable(const QList<JoinSide>& picks) const {
    const auto pick = [&picks](int conflict) {
        return conflict < picks.size() ? picks[conflict] : JoinSide::Mine;
    };
    QHash<QString, QString> kept;
    for (auto it = rows_.cbegin(); it != rows_.cend(); ++it) {
        const RowChoice& row = it.value();
        const std::optional<QString> line =
            row.conflict < 0 ? row.line
                             : (pick(row.conflict) == JoinSide::Mine ? row.mine : row.theirs);
        if (line)
            kept.insert(it.key(), *line);
    }
    const JoinSide from = orderConflict_ < 0 ? orderFrom_ : pick(orderConflict_);
    const QStringList& primary = from == JoinSide::Mine ? mineOrder_ : theirOrder_;
    const QStringList& secondary = from == JoinSide::Mine ? theirOrder_ : mineOrder_;

    QStringList order;
    for (const QString& id : primary) {
        if (kept.contains(id))
            order.append(id);
    }
    QString previous;
    for (const QString& id : secondary) {
        if (kept.contains(id) && !order.contains(id))
            order.insert(previous.isEmpty() ? 0 : order.indexOf(previous) + 1, id);
        if (order.contains(id))
            previous = id;
    }
    QStringList table;
    for (const QString& id : order)
        table.append(kept.value(id));
    return table;
}
