#pragma once

#include <QAbstractTableModel>
#include <QStringList>

// The rows of the card table as the list of "key=value" lines it is stored as.
// A line without "=" shows whole in the key column and stays verbatim until it
// is edited. An empty table shows one blank row; typing into it makes the
// first line.
class KeyValueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit KeyValueModel(QObject* parent = nullptr);

    const QStringList& lines() const { return lines_; }
    void setLines(const QStringList& lines);
    void insertLine(int index, const QString& line);
    void deleteLine(int index);

    QStringList TitleCaptions() const { return titles_; }
    void setTitleCaptions(const QStringList& titles);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    void linesChanging();
    void linesChanged();
    // A key was refused because a key cannot hold "=" (it separates key and value).
    void keyRefused(const QString& key);

private:
    void replaceLine(int index, const QString& line);

    QStringList lines_;
    QStringList titles_;
};
