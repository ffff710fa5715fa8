#pragma once
// A table cursor: the program's view of one table file through one index,
// with its own current record, range and record filter. Cursors on the same
// file share one connection, so a cursor sees what another posted at its
// next move or refresh.

#include "DatabaseError.h"
#include "Schema.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace data {

class Connection;
class Table;

enum class TableState { Inactive, Browse, Edit, Insert, SetKey };

// One field of the current record (or of the key buffer in key mode).
class Field {
public:
    const QString &fieldName() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    int index() const { return m_index; }

    // Reads of a cursor with no current record give 0, "" and null.
    bool isNull() const;
    int asInteger() const;          // throws for a text that is no whole number
    QString asString() const;
    QByteArray asBytes() const;     // picture bytes
    QVariant value() const;

    void setAsInteger(int value);
    void setAsString(const QString &value);
    void setAsBytes(const QByteArray &value);
    void clear();                   // null

    // Code page translation of text fields. Our store keeps UTF-8 and never
    // converts, so text always travels unchanged; the switch is kept so the
    // windows can state what they rely on.
    bool translate() const { return m_translate; }
    void setTranslate(bool on) { m_translate = on; }

private:
    friend class Table;
    Field(Table *table, QString name, FieldKind kind, int index)
        : m_table(table), m_name(std::move(name)), m_kind(kind), m_index(index) {}
    Table *m_table;
    QString m_name;
    FieldKind m_kind;
    int m_index;
    bool m_translate = true;
};

// What a data source tells the controls bound to it.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;
    void setDataSet(Table *table);
    Table *dataSet() const { return m_table; }

signals:
    // The current record moved or its data changed (field empty), or one
    // field of it was written (field set). Not sent while controls are disabled.
    void dataChange(const data::Field *field);
    // The records of the view may differ (open, index, range, post, refresh):
    // a list shows them anew. Followed by a dataChange.
    void dataSetChange();
    // Edit, insert, post, cancel, open, close.
    void stateChange();
    // A post is about to write the record: bound editors store their content.
    void updateData();

private:
    friend class Table;
    QPointer<Table> m_table;
};

class Table : public QObject {
    Q_OBJECT
public:
    explicit Table(QObject *parent = nullptr);
    ~Table() override;   // closes without posting, like close()

    // --- setup (while closed) ---
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    const QString &databaseName() const { return m_databaseName; }
    void setTableName(const QString &name);
    const QString &tableName() const { return m_tableName; }
    // After-open notification, e.g. DisableFieldTranslation.
    void setAfterOpen(std::function<void(Table &)> handler) { m_afterOpen = std::move(handler); }

    // --- open / close ---
    void open();
    // The browse-mode check runs first; a pending change is then stored.
    void close();
    bool active() const { return m_state != TableState::Inactive; }
    TableState state() const { return m_state; }
    QString filePath() const;

    // --- index, range, record filter ---
    void setIndexName(const QString &indexName);   // drops the range; first record
    const QString &indexName() const { return m_indexName; }
    QStringList indexFields() const { return m_keyColumns; }
    void setRange(const QVariantList &startKey, const QVariantList &endKey); // inclusive; first record
    void cancelRange();
    // "X_SEL = 0" and the like: one field, "=", an integer or a quoted text.
    void setFilter(const QString &expression);
    const QString &filter() const { return m_filterText; }
    void setFiltered(bool on);
    bool filtered() const { return m_filtered; }

    // --- moving ---
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_rowid == 0 && m_state != TableState::Insert; }
    // Exact search on the leading key fields: found -> current; not found ->
    // the current record stays and false is returned.
    bool findKey(const QVariantList &keyValues);
    // First record whose key is not less than the values; when there is
    // none, the last record of the view with eof set.
    void findNearest(const QVariantList &keyValues);
    // Key mode: setKey(), fieldByName(..).setAsInteger(..), gotoKey().
    void setKey();
    bool gotoKey();

    // Records within range and record filter.
    int recordCount() const;

    // Re-reads the current record (after another cursor changed the file).
    void refresh();

    // --- fields ---
    Field &fieldByName(const QString &name);
    Field *findField(const QString &name);
    const std::vector<std::unique_ptr<Field>> &fields() const { return m_fields; }

    // --- editing ---
    void edit();
    void insert();
    void post();
    void cancel();
    bool modified() const { return m_modified; }
    // Posts a modified pending edit or insert, drops an unmodified one.
    void checkBrowseMode();
    // A bound editor changed its content: the record now counts as modified.
    void setModified();

    // --- bound controls ---
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disableCount > 0; }

    // --- whole-view access for lists ---
    // SQLite row id of the current record, 0 when there is none.
    qint64 currentRowId() const { return m_rowid; }
    // Makes the record with this row id current if it lies in the view.
    bool gotoRowId(qint64 rowid);
    // The row ids and the given columns of every record of the view, in
    // index order: one query, for lists that show the whole view.
    struct ViewRow {
        qint64 rowid;
        QVariantList values;
    };
    std::vector<ViewRow> fetchView(const QStringList &columns) const;
    // The row ids of the view in index order, read from the index alone.
    std::vector<qint64> fetchRowIds() const;
    // One column of the records with these row ids, in the same order (null
    // for a record that is gone): a list fetches what it shows, block by block.
    QVariantList fetchColumn(const QString &column, const qint64 *rowIds, int count) const;
    // Number of SQL statements stepped by this cursor: tests and the
    // benchmark count key lookups with it.
    quint64 statementCount() const { return m_statementCount; }
    // Virtual machine steps SQLite spent in this cursor's moves: a move that
    // seeks costs a few dozen, one that scans costs thousands.
    quint64 moveCost() const { return m_moveCost; }

signals:
    void afterOpenSignal();

private:
    friend class Field;
    // Closes and drops a pending edit or insert without storing it.
    void closeDiscarding();
    friend class DataSource;

    struct Stmt;        // a use of a prepared statement
    struct StmtCache;   // prepared statements of this cursor, by SQL text
    sqlite3_stmt *prepare(const QString &sql) const;
    void postRecord(bool askEditors);

    void requireActive(const char *operation) const;
    void requireBrowse(const char *operation) const;
    QString tableLabel() const;
    [[noreturn]] void fail(const QString &message) const;
    [[noreturn]] void failSql(const QString &what) const;

    // SQL pieces over the current index, range and filter.
    QString orderColumns(bool descending) const;
    // Range and filter as SQL with ?-parameters. A seek that already has a
    // tighter bound on one side leaves the range's bound on that side out:
    // SQLite uses only one lower (upper) bound of a row-value range to seek
    // in the index, and the range start would make every move a scan from it.
    enum RangeSides { BothEnds, EndOnly, StartOnly };
    QString viewCondition(RangeSides sides = BothEnds) const;
    void bindView(sqlite3_stmt *stmt, int &pos, RangeSides sides = BothEnds) const;
    QString selectList() const;

    bool loadRow(sqlite3_stmt *stmt);     // fills the buffer from a stepped row
    void clearBuffer();
    // Statement slots of the current view, prepared once per view.
    enum Slot { SlotFirst = 1, SlotLast, SlotAfter, SlotBefore, SlotFindKey = 16, SlotNearest = 32 };
    bool seek(int slot, const std::function<QString()> &where, const QVariantList &params, bool descending,
              RangeSides sides = BothEnds);
    void viewChanged();
    QString keyTupleWithRowId() const;
    bool seekFrom(const QVariantList &key, bool forward);
    void seekEnd(bool atStart);
    void goToLast();   // the last record, with EOF set
    void step(bool forward);
    bool readByRowId(qint64 rowid);
    bool rowInView(qint64 rowid) const;
    void repositionNear(const QVariantList &oldKey);
    QVariantList currentKey() const;
    QVariant fieldValue(int index) const;
    void setFieldValue(int index, const QVariant &value);
    void loadLazy(int index) const;
    QVariant keyFieldValue(const Field &f) const;

    void notifyData(const Field *field = nullptr);
    void notifyDataSet();
    void notifyState();
    void attach(DataSource *source);
    void detach(DataSource *source);

    QString m_databaseName = QStringLiteral("Tourbuch");
    QString m_tableName;
    QString m_sqlTable;
    std::function<void(Table &)> m_afterOpen;
    std::shared_ptr<Connection> m_conn;
    const TableDef *m_def = nullptr;

    TableState m_state = TableState::Inactive;
    std::vector<std::unique_ptr<Field>> m_fields;
    QStringList m_columnNames;

    QString m_indexName;
    QStringList m_keyColumns;
    QVariantList m_rangeStart, m_rangeEnd;
    bool m_hasRange = false;
    QString m_filterText;
    QString m_filterColumn;
    QVariant m_filterValue;
    bool m_filtered = false;

    // current record
    qint64 m_rowid = 0;
    mutable QVariantList m_values;        // by field index
    mutable std::vector<bool> m_loaded;   // lazy columns read yet
    bool m_eof = true;
    bool m_bof = true;
    bool m_modified = false;
    QVariantList m_savedValues;           // buffer before edit/insert
    std::vector<bool> m_savedLoaded;
    qint64 m_savedRowid = 0;
    std::vector<bool> m_changed;          // written since edit/insert
    QVariantList m_keyBuffer;             // key mode
    TableState m_stateBeforeKey = TableState::Browse;

    int m_disableCount = 0;
    bool m_pendingNotify = false;
    QList<QPointer<DataSource>> m_sources;
    mutable quint64 m_statementCount = 0;
    quint64 m_moveCost = 0;
    mutable std::unique_ptr<StmtCache> m_stmtCache;
    std::unique_ptr<StmtCache> m_viewStmts;
    std::vector<int> m_keyFieldIndex;   // field index of each key column
    // The row ids of the views last read, each valid while the file is
    // unchanged: switching back and forth between two views reads neither
    // again, and counting a view read before costs nothing.
    struct ViewIds {
        QString view;
        qint64 fileChanges;
        std::vector<qint64> ids;
    };
    mutable std::vector<ViewIds> m_viewIds;
    QString viewKey() const;
    qint64 fileChanges() const;
    const ViewIds *cachedView(const std::vector<ViewIds> &cache) const;
};

// The table's bound controls detached for the length of a scope: only the
// record reached at the end is shown and notified, once.
class ControlsDisabled {
public:
    explicit ControlsDisabled(Table &table) : m_table(table) { m_table.disableControls(); }
    ~ControlsDisabled() { m_table.enableControls(); }
    ControlsDisabled(const ControlsDisabled &) = delete;
    ControlsDisabled &operator=(const ControlsDisabled &) = delete;

private:
    Table &m_table;
};

// Switches off code page translation for every string and memo field of a
// freshly opened table, so field text is shown, printed and stored as it is.
void DisableFieldTranslation(Table &table);

} // namespace data
