#pragma once
// A read-only list of one field over a table cursor. When the records of the
// view may have changed it reads their row ids from the index in one query;
// the values are read when rows are first shown, a block at a time, and kept
// until the view changes, never per paint or scroll step. So the list stays
// fluid, and switching views costs little more than counting, with a whole
// database. Its current row and the cursor's current record follow each other.

#include <QAbstractTableModel>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QTableView>
#include <vector>

namespace data {
class DataSource;
class Field;
class Table;
} // namespace data

namespace controls {

class DbGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DbGridModel(data::DataSource *source, const QString &fieldName, const QString &title,
                QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Row of the cursor's current record, -1 when there is none.
    int currentRow() const { return m_currentRow; }
    qint64 rowIdAt(int row) const;
    int rowOf(qint64 rowId) const;
    // Makes the record of this row current; false when it is gone.
    bool moveCursorTo(int row);
    // The next change of the view is fetched anew even when it looks alike.
    void invalidate() { m_stale = true; }
    // Number of whole-view fetches (of row ids) so far.
    int fetchCount() const { return m_fetchCount; }
    // Number of value blocks read since the last view change.
    int blocksRead() const { return m_blocksRead; }

signals:
    void currentRowChanged(int row);

private:
    void viewChanged();
    void recordChanged();
    void reload();
    data::Table *table() const;

    QPointer<data::DataSource> m_source;
    QString m_fieldName;
    QString m_title;
    const QString &valueAt(int row) const;

    std::vector<qint64> m_rowIds;
    // Row ids ascend in most views (numbered in name order): then a row is
    // found by bisection, otherwise through a hash made on first need.
    bool m_rowIdsAscending = true;
    mutable QHash<qint64, int> m_rowOfId;
    mutable std::vector<QString> m_values;
    mutable std::vector<bool> m_blockRead;
    mutable int m_blocksRead = 0;
    QString m_indexName;
    int m_currentRow = -1;
    bool m_stale = true;
    int m_fetchCount = 0;
};

// The grid: title row, record indicator, lines, always-visible selection,
// word-wrapped cells, horizontal scroll bar; selecting a row moves the cursor.
class DbGrid : public QTableView {
    Q_OBJECT
public:
    DbGrid(data::DataSource *source, const QString &fieldName, const QString &title, int displayChars,
           QWidget *parent = nullptr);
    DbGridModel *gridModel() const { return m_model; }

private:
    void followCursor(int row);
    void rowChosen(const QModelIndex &current);

    DbGridModel *m_model;
    bool m_following = false;
};

} // namespace controls
