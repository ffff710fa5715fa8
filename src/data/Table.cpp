#include "Table.h"

#include "Session.h"

#include <QDir>
#include <QRegularExpression>
#include <cstring>
#include <limits>
#include <sqlite3.h>

namespace data {

namespace {

QString quoted(const QString &identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QVariant columnValue(sqlite3_stmt *stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(stmt, col)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, col)));
    }
    case SQLITE_BLOB: {
        const auto *blob = static_cast<const char *>(sqlite3_column_blob(stmt, col));
        return QVariant(QByteArray(blob, sqlite3_column_bytes(stmt, col)));
    }
    default: return QVariant();
    }
}

void bindValue(sqlite3_stmt *stmt, int pos, const QVariant &v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(stmt, pos);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool: sqlite3_bind_int64(stmt, pos, v.toLongLong()); break;
    case QMetaType::Double: sqlite3_bind_double(stmt, pos, v.toDouble()); break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob64(stmt, pos, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray t = v.toString().toUtf8();
        sqlite3_bind_text64(stmt, pos, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

bool isLazy(FieldKind k) { return k == FieldKind::Memo || k == FieldKind::Graphic; }

} // namespace

// A prepared statement of a cursor; reset when the use ends, so the cached
// statement holds no read lock between moves.
struct Table::Stmt {
    sqlite3_stmt *s;
    explicit Stmt(sqlite3_stmt *stmt) : s(stmt) {}
    ~Stmt()
    {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;
};

// ---------------------------------------------------------------- Field

bool Field::isNull() const
{
    return m_table->fieldValue(m_index).isNull();
}

QVariant Field::value() const
{
    return m_table->fieldValue(m_index);
}

int Field::asInteger() const
{
    const QVariant v = m_table->fieldValue(m_index);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int)
        return int(v.toLongLong());
    if (v.typeId() == QMetaType::Double)
        return int(v.toDouble());
    bool ok = false;
    const QString text = v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        throw DatabaseError(QStringLiteral("\"%1\" ist kein gültiger ganzzahliger Wert für das Feld \"%2\" "
                                           "der Tabelle \"%3\".")
                                .arg(text, m_name, m_table->tableLabel()));
    return n;
}

QString Field::asString() const
{
    const QVariant v = m_table->fieldValue(m_index);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QByteArray Field::asBytes() const
{
    const QVariant v = m_table->fieldValue(m_index);
    if (v.isNull())
        return QByteArray();
    if (v.typeId() == QMetaType::QByteArray)
        return v.toByteArray();
    return v.toString().toUtf8();
}

void Field::setAsInteger(int value)
{
    if (m_kind == FieldKind::Integer)
        m_table->setFieldValue(m_index, QVariant(qlonglong(value)));
    else
        m_table->setFieldValue(m_index, QVariant(QString::number(value)));
}

void Field::setAsString(const QString &value)
{
    if (m_kind == FieldKind::Integer) {
        if (value.trimmed().isEmpty()) {
            clear();
            return;
        }
        bool ok = false;
        const int n = value.trimmed().toInt(&ok);
        if (!ok)
            throw DatabaseError(QStringLiteral("\"%1\" ist kein gültiger ganzzahliger Wert für das Feld \"%2\" "
                                               "der Tabelle \"%3\".")
                                    .arg(value, m_name, m_table->tableLabel()));
        m_table->setFieldValue(m_index, QVariant(qlonglong(n)));
        return;
    }
    // Rich text and strings keep an empty text as null, as "no text".
    if (value.isEmpty() && m_kind == FieldKind::Memo)
        m_table->setFieldValue(m_index, QVariant());
    else
        m_table->setFieldValue(m_index, QVariant(value));
}

void Field::setAsBytes(const QByteArray &value)
{
    m_table->setFieldValue(m_index, value.isEmpty() ? QVariant() : QVariant(value));
}

void Field::clear()
{
    m_table->setFieldValue(m_index, QVariant());
}

// ---------------------------------------------------------------- DataSource

DataSource::DataSource(QObject *parent) : QObject(parent) {}

DataSource::~DataSource()
{
    if (m_table)
        m_table->detach(this);
}

void DataSource::setDataSet(Table *table)
{
    if (m_table == table)
        return;
    if (m_table)
        m_table->detach(this);
    m_table = table;
    if (m_table)
        m_table->attach(this);
}

// ---------------------------------------------------------------- Table

Table::Table(QObject *parent) : QObject(parent) {}

Table::~Table()
{
    // Bound controls hear nothing more: they may be half destroyed already.
    for (const auto &source : std::as_const(m_sources))
        if (source)
            source->m_table = nullptr;
    m_sources.clear();
    closeDiscarding();
}

void Table::setTableName(const QString &name)
{
    if (active())
        fail(QStringLiteral("Der Tabellenname kann nur bei geschlossener Tabelle \"%1\" geändert werden.")
                 .arg(tableLabel()));
    m_tableName = name;
}

QString Table::tableLabel() const
{
    return tableNameOf(m_tableName);
}

void Table::fail(const QString &message) const
{
    throw DatabaseError(message);
}

void Table::failSql(const QString &what) const
{
    const QString detail = m_conn ? sqliteMessage(m_conn->handle()) : QString();
    throw DatabaseError(QStringLiteral("Fehler beim %1 in Tabelle \"%2\": %3").arg(what, tableLabel(), detail));
}

QString Table::filePath() const
{
    return m_conn ? m_conn->filePath() : Session::instance().tableFilePath(m_databaseName, m_tableName);
}

void Table::requireActive(const char *operation) const
{
    if (!active())
        fail(QStringLiteral("Die Tabelle \"%1\" ist nicht geöffnet (%2).")
                 .arg(tableLabel(), QString::fromLatin1(operation)));
}

void Table::requireBrowse(const char *operation) const
{
    requireActive(operation);
    if (m_state != TableState::Browse)
        fail(QStringLiteral("Die Tabelle \"%1\" wird gerade bearbeitet (%2).")
                 .arg(tableLabel(), QString::fromLatin1(operation)));
}

// --- statements

struct Table::StmtCache {
    QHash<QString, sqlite3_stmt *> stmts;
    StmtCache() = default;
    StmtCache(const StmtCache &) = delete;
    StmtCache &operator=(const StmtCache &) = delete;
    ~StmtCache()
    {
        for (sqlite3_stmt *s : std::as_const(stmts))
            sqlite3_finalize(s);
    }
};

// Cached per cursor: the SQL text depends only on index, range and filter,
// so a move costs one step of an already prepared statement.
sqlite3_stmt *Table::prepare(const QString &sql) const
{
    if (!m_stmtCache)
        m_stmtCache = std::make_unique<StmtCache>();
    sqlite3_stmt *&stmt = m_stmtCache->stmts[sql];
    if (!stmt) {
        const QByteArray utf8 = sql.toUtf8();
        if (sqlite3_prepare_v3(m_conn->handle(), utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                               &stmt, nullptr)
            != SQLITE_OK) {
            stmt = nullptr;
            m_stmtCache->stmts.remove(sql);
            return nullptr;
        }
    }
    ++m_statementCount;
    return stmt;
}

// --- open / close

void Table::open()
{
    if (active())
        return;
    const QString path = Session::instance().tableFilePath(m_databaseName, m_tableName);
    const QString label = tableLabel();
    m_conn = Session::instance().connect(path, label);
    m_sqlTable = label;
    m_def = findTableDef(label);

    try {
        // The columns of the table as stored.
        sqlite3 *db = m_conn->handle();
        sqlite3_stmt *info = nullptr;
        const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_sqlTable)).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &info, nullptr) != SQLITE_OK)
            failSql(QStringLiteral("Öffnen"));
        m_fields.clear();
        m_columnNames.clear();
        int idx = 0;
        while (sqlite3_step(info) == SQLITE_ROW) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 1)));
            const QString type = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(info, 2)))
                                     .toUpper();
            FieldKind kind = FieldKind::String;
            if (const ColumnDef *c = m_def ? m_def->column(name) : nullptr)
                kind = c->kind;
            else if (type.contains(QLatin1String("INT")))
                kind = FieldKind::Integer;
            else if (type.contains(QLatin1String("BLOB")))
                kind = FieldKind::Graphic;
            m_fields.push_back(std::unique_ptr<Field>(new Field(this, name, kind, idx++)));
            m_columnNames << name;
        }
        sqlite3_finalize(info);
        if (m_fields.empty())
            fail(QStringLiteral("Die Datei \"%1\" ist keine gültige Tabellendatei: sie enthält die Tabelle \"%2\" "
                                "nicht.")
                     .arg(QDir::toNativeSeparators(path), label));

        m_state = TableState::Browse;
        const QString wantedIndex = m_indexName;
        m_indexName.clear();
        m_keyColumns.clear();
        if (!wantedIndex.isEmpty())
            setIndexName(wantedIndex);     // also validates it
        if (m_filtered && !m_filterText.isEmpty())
            setFilter(m_filterText);       // validates the column
        clearBuffer();
        first();
    } catch (...) {
        m_state = TableState::Inactive;
        m_fields.clear();
        m_columnNames.clear();
        m_stmtCache.reset();
        viewChanged();
        m_conn.reset();
        throw;
    }
    notifyState();
    notifyDataSet();
    if (m_afterOpen)
        m_afterOpen(*this);
    emit afterOpenSignal();
}

void Table::close()
{
    if (!active())
        return;
    try {
        checkBrowseMode();
    } catch (...) {
        closeDiscarding();
        throw;
    }
    closeDiscarding();
}

void Table::closeDiscarding()
{
    if (!active())
        return;
    m_stmtCache.reset();
    viewChanged();
    m_viewIds.clear();
    m_state = TableState::Inactive;
    m_conn.reset();
    m_fields.clear();
    m_columnNames.clear();
    m_rowid = 0;
    m_values.clear();
    m_loaded.clear();
    m_changed.clear();
    m_modified = false;
    m_eof = m_bof = true;
    m_hasRange = false;
    viewChanged();
    m_disableCount = 0;
    notifyState();
    notifyDataSet();
}

// --- index, range, filter

void Table::setIndexName(const QString &indexName)
{
    if (!active()) {
        m_indexName = indexName;
        m_hasRange = false;
        viewChanged();
        return;
    }
    checkBrowseMode();
    QStringList columns;
    QString canonical;
    if (!indexName.isEmpty()) {
        sqlite3 *db = m_conn->handle();
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 COLLATE NOCASE "
                           "AND name = ?2 COLLATE NOCASE",
                           -1, &stmt, nullptr);
        const QByteArray t = m_sqlTable.toUtf8(), n = indexName.toUtf8();
        sqlite3_bind_text(stmt, 1, t.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, n.constData(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) == SQLITE_ROW)
            canonical = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        if (canonical.isEmpty())
            fail(QStringLiteral("Der Index \"%1\" existiert nicht in Tabelle \"%2\".").arg(indexName, tableLabel()));
        const QByteArray pragma = QStringLiteral("PRAGMA index_info(%1)").arg(quoted(canonical)).toUtf8();
        sqlite3_prepare_v2(db, pragma.constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            columns << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2)));
        sqlite3_finalize(stmt);
        for (const QString &c : columns)
            if (!findField(c))
                fail(QStringLiteral("Der Index \"%1\" der Tabelle \"%2\" ist ungültig.").arg(indexName, tableLabel()));
    }
    m_indexName = canonical;
    m_keyColumns = columns;
    m_hasRange = false;
    viewChanged();
    first();
    notifyDataSet();
}

void Table::setRange(const QVariantList &startKey, const QVariantList &endKey)
{
    requireActive("SetRange");
    checkBrowseMode();
    if (startKey.size() > m_keyColumns.size() || endKey.size() > m_keyColumns.size())
        fail(QStringLiteral("Der Bereich hat mehr Werte als der Index \"%1\" der Tabelle \"%2\" Felder.")
                 .arg(m_indexName, tableLabel()));
    m_rangeStart = startKey;
    m_rangeEnd = endKey;
    m_hasRange = true;
    viewChanged();
    first();
    notifyDataSet();
}

void Table::cancelRange()
{
    requireActive("CancelRange");
    checkBrowseMode();
    m_hasRange = false;
    viewChanged();
    first();
    notifyDataSet();
}

void Table::setFilter(const QString &expression)
{
    const QString text = expression.trimmed();
    QString column;
    QVariant value;
    if (!text.isEmpty()) {
        const int eq = text.indexOf(QLatin1Char('='));
        column = eq > 0 ? text.left(eq).trimmed() : QString();
        const QString rhs = eq > 0 ? text.mid(eq + 1).trimmed() : QString();
        bool ok = false;
        const int n = rhs.toInt(&ok);
        if (ok)
            value = qlonglong(n);
        else if (rhs.size() >= 2 && rhs.startsWith(QLatin1Char('\'')) && rhs.endsWith(QLatin1Char('\'')))
            value = rhs.mid(1, rhs.size() - 2);
        static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        if (column.isEmpty() || !value.isValid() || !identifier.match(column).hasMatch())
            fail(QStringLiteral("Der Filterausdruck \"%1\" für Tabelle \"%2\" ist ungültig.")
                     .arg(expression, tableLabel()));
        if (active() && !findField(column))
            fail(QStringLiteral("Das Feld \"%1\" im Filterausdruck existiert nicht in Tabelle \"%2\".")
                     .arg(column, tableLabel()));
    }
    if (active())
        checkBrowseMode();
    m_filterText = expression;
    m_filterColumn = column;
    m_filterValue = value;
    viewChanged();
    if (active() && m_filtered) {
        first();
        notifyDataSet();
    }
}

void Table::setFiltered(bool on)
{
    if (m_filtered == on)
        return;
    if (active())
        checkBrowseMode();
    m_filtered = on;
    viewChanged();
    if (active()) {
        if (on && !m_filterText.isEmpty())
            setFilter(m_filterText);
        first();
        notifyDataSet();
    }
}

// --- SQL pieces

QString Table::selectList() const
{
    QStringList cols{QStringLiteral("rowid")};
    for (const auto &f : m_fields)
        cols << (isLazy(f->kind()) ? QStringLiteral("NULL") : quoted(f->fieldName()));
    return cols.join(QStringLiteral(", "));
}

QString Table::orderColumns(bool descending) const
{
    QStringList cols;
    const QString dir = descending ? QStringLiteral(" DESC") : QString();
    for (const QString &k : m_keyColumns)
        cols << quoted(k) + dir;
    cols << QStringLiteral("rowid") + dir;
    return cols.join(QStringLiteral(", "));
}

static QString tuple(const QStringList &cols, int n)
{
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << quoted(cols[i]);
    return n == 1 ? parts.first() : QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

static QString placeholders(int n)
{
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << QStringLiteral("?");
    return n == 1 ? parts.first() : QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString Table::viewCondition(RangeSides sides) const
{
    QStringList conds;
    if (m_hasRange) {
        if (!m_rangeStart.isEmpty() && sides != EndOnly)
            conds << tuple(m_keyColumns, int(m_rangeStart.size())) + QStringLiteral(" >= ")
                         + placeholders(int(m_rangeStart.size()));
        if (!m_rangeEnd.isEmpty() && sides != StartOnly)
            conds << tuple(m_keyColumns, int(m_rangeEnd.size())) + QStringLiteral(" <= ")
                         + placeholders(int(m_rangeEnd.size()));
    }
    if (m_filtered && !m_filterColumn.isEmpty())
        conds << quoted(m_filterColumn) + QStringLiteral(" = ?");
    return conds.isEmpty() ? QStringLiteral("1") : conds.join(QStringLiteral(" AND "));
}

void Table::bindView(sqlite3_stmt *stmt, int &pos, RangeSides sides) const
{
    auto bindKey = [&](const QVariantList &values) {
        for (int i = 0; i < values.size(); ++i) {
            const Field *f = const_cast<Table *>(this)->findField(m_keyColumns[i]);
            QVariant v = values[i];
            if (f && f->kind() == FieldKind::Integer && !v.isNull())
                v = QVariant(v.toLongLong());
            bindValue(stmt, pos++, v);
        }
    };
    if (m_hasRange) {
        if (sides != EndOnly)
            bindKey(m_rangeStart);
        if (sides != StartOnly)
            bindKey(m_rangeEnd);
    }
    if (m_filtered && !m_filterColumn.isEmpty())
        bindValue(stmt, pos++, m_filterValue);
}

// --- buffer

void Table::clearBuffer()
{
    m_rowid = 0;
    m_values = QVariantList(qsizetype(m_fields.size()));
    m_loaded.assign(m_fields.size(), true);
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
}

bool Table::loadRow(sqlite3_stmt *stmt)
{
    m_rowid = sqlite3_column_int64(stmt, 0);
    m_values = QVariantList(qsizetype(m_fields.size()));
    m_loaded.assign(m_fields.size(), true);
    m_changed.assign(m_fields.size(), false);
    for (const auto &f : m_fields) {
        if (isLazy(f->kind()))
            m_loaded[size_t(f->index())] = false;
        else
            m_values[f->index()] = columnValue(stmt, f->index() + 1);
    }
    return true;
}

void Table::loadLazy(int index) const
{
    if (m_loaded[size_t(index)] || m_rowid == 0)
        return;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                            .arg(quoted(m_fields[size_t(index)]->fieldName()), quoted(m_sqlTable));
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        const_cast<Table *>(this)->failSql(QStringLiteral("Lesen"));
    Stmt stmt(raw);
    sqlite3_bind_int64(raw, 1, m_rowid);
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_ROW)
        m_values[index] = columnValue(raw, 0);
    else if (rc != SQLITE_DONE)
        const_cast<Table *>(this)->failSql(QStringLiteral("Lesen"));
    m_loaded[size_t(index)] = true;
}

QVariant Table::fieldValue(int index) const
{
    if (m_state == TableState::Inactive)
        fail(QStringLiteral("Die Tabelle \"%1\" ist nicht geöffnet.").arg(tableLabel()));
    if (m_state == TableState::SetKey) {
        const int k = int(m_keyColumns.indexOf(m_fields[size_t(index)]->fieldName()));
        return k >= 0 ? m_keyBuffer.value(k) : QVariant();
    }
    if (index < 0 || size_t(index) >= m_fields.size())
        return QVariant();
    loadLazy(index);
    return m_values.value(index);
}

void Table::setFieldValue(int index, const QVariant &value)
{
    const Field *f = m_fields[size_t(index)].get();
    if (m_state == TableState::SetKey) {
        const int k = int(m_keyColumns.indexOf(f->fieldName()));
        if (k < 0)
            fail(QStringLiteral("Das Feld \"%1\" gehört nicht zum Index \"%2\" der Tabelle \"%3\".")
                     .arg(f->fieldName(), m_indexName, tableLabel()));
        m_keyBuffer[k] = value;
        return;
    }
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        fail(QStringLiteral("Das Feld \"%1\" kann nicht geändert werden: Tabelle \"%2\" ist nicht im "
                            "Bearbeitungsmodus.")
                 .arg(f->fieldName(), tableLabel()));
    m_values[index] = value;
    m_loaded[size_t(index)] = true;
    m_changed[size_t(index)] = true;
    m_modified = true;
    notifyData(f);
}

QVariantList Table::currentKey() const
{
    QVariantList key;
    key.reserve(qsizetype(m_keyFieldIndex.size()) + 1);
    for (int index : m_keyFieldIndex)
        key << m_values.value(index);
    key << QVariant(m_rowid);
    return key;
}

// --- moves

bool Table::seek(int slot, const std::function<QString()> &where, const QVariantList &params, bool descending,
                 RangeSides sides)
{
    if (!m_viewStmts)
        m_viewStmts = std::make_unique<StmtCache>();
    const QString key = QString::number(slot);
    sqlite3_stmt *&raw = m_viewStmts->stmts[key];
    if (!raw) {
        const QByteArray sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND (%4) ORDER BY %5 LIMIT 1")
                                   .arg(selectList(), quoted(m_sqlTable), viewCondition(sides), where(),
                                        orderColumns(descending))
                                   .toUtf8();
        if (sqlite3_prepare_v3(m_conn->handle(), sql.constData(), int(sql.size()), SQLITE_PREPARE_PERSISTENT, &raw,
                               nullptr)
            != SQLITE_OK) {
            raw = nullptr;
            m_viewStmts->stmts.remove(key);
            failSql(QStringLiteral("Positionieren"));
        }
    }
    ++m_statementCount;
    Stmt stmt(raw);
    int pos = 1;
    bindView(raw, pos, sides);
    for (const QVariant &p : params)
        bindValue(raw, pos++, p);
    const int rc = sqlite3_step(raw);
    m_moveCost += quint64(sqlite3_stmt_status(raw, SQLITE_STMTSTATUS_VM_STEP, 1));
    if (rc == SQLITE_ROW)
        return loadRow(raw);
    if (rc != SQLITE_DONE)
        failSql(QStringLiteral("Positionieren"));
    return false;
}

// Index, range or record filter changed: the prepared moves no longer fit.
void Table::viewChanged()
{
    m_viewStmts.reset();
    m_keyFieldIndex.clear();
    for (const QString &k : m_keyColumns)
        m_keyFieldIndex.push_back(findField(k) ? findField(k)->index() : -1);
}

// SQLite's order of key values: null, numbers, text (by UTF-8 bytes), blobs.
static int compareValues(const QVariant &a, const QVariant &b)
{
    auto rank = [](const QVariant &v) {
        if (v.isNull())
            return 0;
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
        case QMetaType::Double: return 1;
        case QMetaType::QByteArray: return 3;
        default: return 2;
        }
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 1) {
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (ra == 2 || ra == 3) {
        const QByteArray x = ra == 2 ? a.toString().toUtf8() : a.toByteArray();
        const QByteArray y = ra == 2 ? b.toString().toUtf8() : b.toByteArray();
        const int c = std::memcmp(x.constData(), y.constData(), size_t(qMin(x.size(), y.size())));
        return c != 0 ? (c < 0 ? -1 : 1) : (x.size() < y.size() ? -1 : (x.size() > y.size() ? 1 : 0));
    }
    return 0;
}

// Which of two bounds "key >= a" and "key >= b" is looser: negative when a
// admits more. On an equal common prefix the longer bound is the tighter one.
static int compareKeys(const QVariantList &a, const QVariantList &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i)
        if (const int c = compareValues(a[i], b[i]))
            return c;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

static QVariantList typedKey(const Table &t, const QStringList &keyColumns, const QVariantList &values)
{
    QVariantList out;
    for (int i = 0; i < values.size() && i < keyColumns.size(); ++i) {
        const Field *f = const_cast<Table &>(t).findField(keyColumns[i]);
        QVariant v = values[i];
        if (f && f->kind() == FieldKind::Integer && !v.isNull()) {
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            v = ok ? QVariant(n) : v;
        } else if (f && f->kind() != FieldKind::Integer && !v.isNull()) {
            v = QVariant(v.toString());
        }
        out << v;
    }
    return out;
}

QString Table::keyTupleWithRowId() const
{
    QStringList q;
    for (const QString &c : m_keyColumns)
        q << quoted(c);
    q << QStringLiteral("rowid");
    return q.size() == 1 ? q.first() : QLatin1Char('(') + q.join(QStringLiteral(", ")) + QLatin1Char(')');
}

// The record after (before) the key in index order. The key lies in the
// range, so it is the tighter bound on its side.
bool Table::seekFrom(const QVariantList &key, bool forward)
{
    const int n = int(m_keyColumns.size()) + 1;
    if (forward)
        return seek(SlotAfter, [&] { return keyTupleWithRowId() + QStringLiteral(" > ") + placeholders(n); }, key,
                    false, EndOnly);
    return seek(SlotBefore, [&] { return keyTupleWithRowId() + QStringLiteral(" < ") + placeholders(n); }, key, true,
                StartOnly);
}

// The first (last) record of the view; no current record when it is empty.
void Table::seekEnd(bool atStart)
{
    if (!(atStart ? seek(SlotFirst, [] { return QStringLiteral("1"); }, {}, false)
                  : seek(SlotLast, [] { return QStringLiteral("1"); }, {}, true)))
        clearBuffer();
}

void Table::first()
{
    requireActive("First");
    checkBrowseMode();
    seekEnd(true);
    m_bof = true;
    m_eof = m_rowid == 0;
    notifyData();
}

void Table::last()
{
    requireActive("Last");
    checkBrowseMode();
    goToLast();
}

void Table::goToLast()
{
    seekEnd(false);
    m_eof = true;
    m_bof = m_rowid == 0;
    notifyData();
}

// At the end of the view the record stays and EOF (BOF) is set.
void Table::step(bool forward)
{
    requireActive(forward ? "Next" : "Prior");
    checkBrowseMode();
    bool &atEnd = forward ? m_eof : m_bof;
    if (m_rowid != 0 && seekFrom(currentKey(), forward)) {
        m_bof = m_eof = false;
        notifyData();
    } else {
        atEnd = true;
    }
}

void Table::next()
{
    step(true);
}

void Table::prior()
{
    step(false);
}

bool Table::findKey(const QVariantList &keyValues)
{
    requireActive("FindKey");
    checkBrowseMode();
    if (keyValues.isEmpty() || keyValues.size() > m_keyColumns.size())
        fail(QStringLiteral("Die Suche passt nicht zum Index \"%1\" der Tabelle \"%2\".")
                 .arg(m_indexName, tableLabel()));
    const int n = int(keyValues.size());
    const auto where = [&] { return tuple(m_keyColumns, n) + QStringLiteral(" = ") + placeholders(n); };
    // Keep the current record if nothing is found: seek into a copy first.
    const qint64 oldRowid = m_rowid;
    const QVariantList oldValues = m_values;
    const std::vector<bool> oldLoaded = m_loaded;
    if (seek(SlotFindKey + n, where, typedKey(*this, m_keyColumns, keyValues), false)) {
        m_bof = m_eof = false;
        notifyData();
        return true;
    }
    m_rowid = oldRowid;
    m_values = oldValues;
    m_loaded = oldLoaded;
    return false;
}

void Table::findNearest(const QVariantList &keyValues)
{
    requireActive("FindNearest");
    checkBrowseMode();
    if (keyValues.isEmpty() || keyValues.size() > m_keyColumns.size())
        fail(QStringLiteral("Die Suche passt nicht zum Index \"%1\" der Tabelle \"%2\".")
                 .arg(m_indexName, tableLabel()));
    const int n = int(keyValues.size());
    const QVariantList key = typedKey(*this, m_keyColumns, keyValues);
    // A key before the range start finds the first record of the view.
    const bool beforeRange = m_hasRange && compareKeys(key, typedKey(*this, m_keyColumns, m_rangeStart)) < 0;
    const auto where = [&] { return tuple(m_keyColumns, n) + QStringLiteral(" >= ") + placeholders(n); };
    if (beforeRange ? (seekEnd(true), m_rowid != 0) : seek(SlotNearest + n, where, key, false, EndOnly)) {
        m_bof = m_eof = false;
        notifyData();
        return;
    }
    // Nothing at or after the key: the last record, at the end.
    goToLast();
}

void Table::setKey()
{
    requireActive("SetKey");
    checkBrowseMode();
    m_keyBuffer = QVariantList(m_keyColumns.size());
    m_state = TableState::SetKey;
}

static QVariantList leadingSet(const QVariantList &buffer)
{
    QVariantList out;
    for (const QVariant &v : buffer) {
        if (v.isNull())
            break;
        out << v;
    }
    return out;
}

bool Table::gotoKey()
{
    if (m_state != TableState::SetKey)
        fail(QStringLiteral("Die Tabelle \"%1\" ist nicht im Suchmodus (GotoKey).").arg(tableLabel()));
    m_state = TableState::Browse;
    const QVariantList key = leadingSet(m_keyBuffer);
    if (key.isEmpty())
        return false;
    return findKey(key);
}

// Index, range and record filter: what decides which records a view holds.
QString Table::viewKey() const
{
    QStringList parts{m_indexName};
    if (m_hasRange)
        for (const QVariantList *bound : {&m_rangeStart, &m_rangeEnd}) {
            QStringList values;
            for (const QVariant &v : *bound)
                values << (v.isNull() ? QStringLiteral("\u2205") : v.toString());
            parts << values.join(QLatin1Char(','));
        }
    if (m_filtered)
        parts << m_filterColumn << m_filterValue.toString();
    return parts.join(QLatin1Char('|'));
}

// Every writer of a file shares its connection, and the file lock keeps
// other processes out, so the connection's change count tells any change.
qint64 Table::fileChanges() const
{
    return qint64(sqlite3_total_changes64(m_conn->handle()));
}

const Table::ViewIds *Table::cachedView(const std::vector<ViewIds> &cache) const
{
    const QString view = viewKey();
    const qint64 changes = fileChanges();
    for (const ViewIds &v : cache)
        if (v.view == view && v.fileChanges == changes)
            return &v;
    return nullptr;
}

int Table::recordCount() const
{
    requireActive("RecordCount");
    if (const ViewIds *known = cachedView(m_viewIds))
        return int(known->ids.size());
    const QString sql = QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(quoted(m_sqlTable), viewCondition());
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        failSql(QStringLiteral("Zählen"));
    Stmt stmt(raw);
    int pos = 1;
    bindView(raw, pos);
    if (sqlite3_step(raw) != SQLITE_ROW)
        failSql(QStringLiteral("Zählen"));
    return int(sqlite3_column_int64(raw, 0));
}

bool Table::readByRowId(qint64 rowid)
{
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selectList(), quoted(m_sqlTable));
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        failSql(QStringLiteral("Lesen"));
    Stmt stmt(raw);
    sqlite3_bind_int64(raw, 1, rowid);
    const int rc = sqlite3_step(raw);
    if (rc == SQLITE_ROW)
        return loadRow(raw);
    if (rc != SQLITE_DONE)
        failSql(QStringLiteral("Lesen"));
    return false;
}

bool Table::rowInView(qint64 rowid) const
{
    const QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ? AND %2").arg(quoted(m_sqlTable), viewCondition());
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        failSql(QStringLiteral("Lesen"));
    Stmt stmt(raw);
    sqlite3_bind_int64(raw, 1, rowid);
    int pos = 2;
    bindView(raw, pos);
    return sqlite3_step(raw) == SQLITE_ROW;
}

// The record at `oldKey` left the view: go to the record that followed it,
// else the one before it, else nowhere.
void Table::repositionNear(const QVariantList &oldKey)
{
    if (seekFrom(oldKey, true)) {
        m_bof = m_eof = false;
        return;
    }
    if (seekFrom(oldKey, false)) {
        m_eof = true;
        m_bof = false;
        return;
    }
    clearBuffer();
    m_bof = m_eof = true;
}

void Table::refresh()
{
    requireActive("Refresh");
    checkBrowseMode();
    if (m_rowid != 0) {
        const QVariantList oldKey = currentKey();
        const qint64 rowid = m_rowid;
        if (!(rowInView(rowid) && readByRowId(rowid)))
            repositionNear(oldKey);
    } else {
        first();
    }
    notifyDataSet();
}

bool Table::gotoRowId(qint64 rowid)
{
    requireActive("GotoRowId");
    checkBrowseMode();
    if (rowid == 0 || !rowInView(rowid) || !readByRowId(rowid))
        return false;
    m_bof = m_eof = false;
    notifyData();
    return true;
}

std::vector<Table::ViewRow> Table::fetchView(const QStringList &columns) const
{
    requireActive("FetchView");
    QStringList cols{QStringLiteral("rowid")};
    for (const QString &c : columns) {
        if (!const_cast<Table *>(this)->findField(c))
            fail(QStringLiteral("Das Feld \"%1\" existiert nicht in Tabelle \"%2\".").arg(c, tableLabel()));
        cols << quoted(c);
    }
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                            .arg(cols.join(QStringLiteral(", ")), quoted(m_sqlTable), viewCondition(),
                                 orderColumns(false));
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        const_cast<Table *>(this)->failSql(QStringLiteral("Lesen"));
    Stmt stmt(raw);
    int pos = 1;
    bindView(raw, pos);
    std::vector<ViewRow> rows;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        ViewRow row{sqlite3_column_int64(raw, 0), {}};
        row.values.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row.values << columnValue(raw, i + 1);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        const_cast<Table *>(this)->failSql(QStringLiteral("Lesen"));
    return rows;
}

std::vector<qint64> Table::fetchRowIds() const
{
    requireActive("FetchRowIds");
    if (const ViewIds *known = cachedView(m_viewIds))
        return known->ids;
    const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3")
                            .arg(quoted(m_sqlTable), viewCondition(), orderColumns(false));
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        failSql(QStringLiteral("Lesen"));
    Stmt stmt(raw);
    int pos = 1;
    bindView(raw, pos);
    std::vector<qint64> ids;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(raw, 0));
    if (rc != SQLITE_DONE)
        failSql(QStringLiteral("Lesen"));
    constexpr size_t KeptViews = 2;
    if (m_viewIds.size() >= KeptViews)
        m_viewIds.erase(m_viewIds.begin());
    m_viewIds.push_back({viewKey(), fileChanges(), ids});
    return ids;
}

QVariantList Table::fetchColumn(const QString &column, const qint64 *rowIds, int count) const
{
    requireActive("FetchColumn");
    const Field *field = const_cast<Table *>(this)->findField(column);
    if (!field)
        fail(QStringLiteral("Das Feld \"%1\" existiert nicht in Tabelle \"%2\".").arg(column, tableLabel()));
    // One statement for a whole block; unused places get a row id no record has.
    constexpr int Block = 64;
    const QString sql = QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (%3)")
                            .arg(quoted(field->fieldName()), quoted(m_sqlTable),
                                 QStringList(Block, QStringLiteral("?")).join(QLatin1Char(',')));
    sqlite3_stmt *raw = prepare(sql);
    if (!raw)
        failSql(QStringLiteral("Lesen"));
    QVariantList out(count);
    QHash<qint64, int> place;
    for (int start = 0; start < count; start += Block) {
        const int n = qMin(Block, count - start);
        place.clear();
        Stmt stmt(raw);
        for (int i = 0; i < Block; ++i) {
            const qint64 id = i < n ? rowIds[start + i] : std::numeric_limits<qint64>::min();
            sqlite3_bind_int64(raw, i + 1, id);
            if (i < n)
                place.insert(id, start + i);
        }
        int rc;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
            out[place.value(sqlite3_column_int64(raw, 0))] = columnValue(raw, 1);
        if (rc != SQLITE_DONE)
            failSql(QStringLiteral("Lesen"));
    }
    return out;
}

// --- fields

Field *Table::findField(const QString &name)
{
    for (const auto &f : m_fields)
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field &Table::fieldByName(const QString &name)
{
    requireActive("FieldByName");
    if (Field *f = findField(name))
        return *f;
    fail(QStringLiteral("Das Feld \"%1\" existiert nicht in Tabelle \"%2\".").arg(name, tableLabel()));
}

// --- editing

void Table::edit()
{
    requireActive("Edit");
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        return;
    if (m_state == TableState::SetKey)
        m_state = TableState::Browse;
    if (m_rowid == 0) {
        insert();
        return;
    }
    m_savedRowid = m_rowid;
    m_savedValues = m_values;
    m_savedLoaded = m_loaded;
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    m_state = TableState::Edit;
    notifyState();
}

void Table::insert()
{
    requireActive("Insert");
    checkBrowseMode();
    m_savedRowid = m_rowid;
    m_savedValues = m_values;
    m_savedLoaded = m_loaded;
    clearBuffer();
    m_state = TableState::Insert;
    notifyState();
    notifyData();
}

void Table::post()
{
    requireActive("Post");
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        fail(QStringLiteral("Die Tabelle \"%1\" ist nicht im Bearbeitungsmodus (Post).").arg(tableLabel()));
    postRecord(true);
}

void Table::postRecord(bool askEditors)
{
    if (askEditors)
        for (const auto &source : std::as_const(m_sources))
            if (source)
                emit source->updateData();

    const bool inserting = m_state == TableState::Insert;
    QStringList cols;
    QVariantList values;
    for (const auto &f : m_fields)
        if (m_changed[size_t(f->index())]) {
            cols << quoted(f->fieldName());
            values << m_values[f->index()];
        }
    const QVariantList oldKey = inserting ? QVariantList() : [this] {
        // the key as it was before the edit
        QVariantList key;
        for (const QString &k : m_keyColumns)
            key << m_savedValues.value(const_cast<Table *>(this)->findField(k)->index());
        key << QVariant(m_savedRowid);
        return key;
    }();

    qint64 rowid = m_rowid;
    if (inserting || !cols.isEmpty()) {
        QString sql;
        if (inserting) {
            sql = cols.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(m_sqlTable))
                                 : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(quoted(m_sqlTable), cols.join(QStringLiteral(", ")),
                                            QStringList(cols.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        } else {
            QStringList sets;
            for (const QString &c : cols)
                sets << c + QStringLiteral(" = ?");
            sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(quoted(m_sqlTable), sets.join(QStringLiteral(", ")));
        }
        sqlite3 *db = m_conn->handle();
        sqlite3_stmt *raw = prepare(sql);
        int rc = SQLITE_ERROR;
        if (raw) {
            Stmt stmt(raw);
            int pos = 1;
            for (const QVariant &v : values)
                bindValue(raw, pos++, v);
            if (!inserting)
                sqlite3_bind_int64(raw, pos, m_rowid);
            rc = sqlite3_step(raw);
        }
        if (rc != SQLITE_DONE) {
            const int code = sqlite3_errcode(db) & 0xff;
            const QString detail = sqliteMessage(db);
            // The change cannot be stored: drop it so the cursor stays usable.
            cancel();
            if (code == SQLITE_READONLY || code == SQLITE_PERM || code == SQLITE_CANTOPEN)
                fail(QStringLiteral("Die Änderung kann nicht gespeichert werden: die Tabellendatei \"%1\" der Tabelle "
                                    "\"%2\" ist schreibgeschützt.")
                         .arg(QDir::toNativeSeparators(m_conn->filePath()), tableLabel()));
            if (code == SQLITE_CONSTRAINT)
                fail(QStringLiteral("Die Änderung kann nicht gespeichert werden: in Tabelle \"%1\" gibt es bereits "
                                    "einen Datensatz mit diesem Schlüssel.")
                         .arg(tableLabel()));
            fail(QStringLiteral("Die Änderung in Tabelle \"%1\" kann nicht gespeichert werden: %2")
                     .arg(tableLabel(), detail));
        }
        if (inserting)
            rowid = sqlite3_last_insert_rowid(db);
    }

    m_state = TableState::Browse;
    m_modified = false;
    m_changed.assign(m_fields.size(), false);
    if (rowid == 0) {   // an unchanged insert that stored nothing
        m_rowid = m_savedRowid;
        m_values = m_savedValues;
        m_loaded = m_savedLoaded;
    } else if (!(rowInView(rowid) && readByRowId(rowid))) {
        // The record left this cursor's range or record filter.
        if (readByRowId(rowid)) {
            const QVariantList newKey = currentKey();
            repositionNear(inserting ? newKey : oldKey);
        } else {
            repositionNear(oldKey);
        }
    } else {
        m_bof = m_eof = false;
    }
    notifyState();
    notifyDataSet();
}

void Table::cancel()
{
    if (m_state == TableState::SetKey) {
        m_state = TableState::Browse;
        return;
    }
    if (m_state != TableState::Edit && m_state != TableState::Insert)
        return;
    m_rowid = m_savedRowid;
    m_values = m_savedValues;
    m_loaded = m_savedLoaded.empty() ? std::vector<bool>(m_fields.size(), true) : m_savedLoaded;
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    m_state = TableState::Browse;
    notifyState();
    notifyData();
}

void Table::checkBrowseMode()
{
    switch (m_state) {
    case TableState::Edit:
    case TableState::Insert:
        // Bound editors store their content first; that may mark the record modified.
        for (const auto &source : std::as_const(m_sources))
            if (source)
                emit source->updateData();
        if (m_modified)
            postRecord(false);
        else
            cancel();
        break;
    case TableState::SetKey: m_state = TableState::Browse; break;
    default: break;
    }
}

void Table::setModified()
{
    if (m_state == TableState::Edit || m_state == TableState::Insert)
        m_modified = true;
}

// --- bound controls

void Table::disableControls()
{
    ++m_disableCount;
}

void Table::enableControls()
{
    if (m_disableCount == 0)
        return;
    if (--m_disableCount == 0) {
        m_pendingNotify = false;
        if (active())
            notifyDataSet();
    }
}

void Table::attach(DataSource *source)
{
    if (!m_sources.contains(source))
        m_sources.append(source);
}

void Table::detach(DataSource *source)
{
    m_sources.removeAll(source);
}

void Table::notifyData(const Field *field)
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    const auto sources = m_sources;
    for (const auto &source : sources)
        if (source)
            emit source->dataChange(field);
}

void Table::notifyDataSet()
{
    if (m_disableCount > 0) {
        m_pendingNotify = true;
        return;
    }
    const auto sources = m_sources;
    for (const auto &source : sources)
        if (source)
            emit source->dataSetChange();
    notifyData();
}

void Table::notifyState()
{
    if (m_disableCount > 0)
        return;
    const auto sources = m_sources;
    for (const auto &source : sources)
        if (source)
            emit source->stateChange();
}

void DisableFieldTranslation(Table &table)
{
    for (const auto &field : table.fields()) {
        if (field->kind() == FieldKind::String)
            field->setTranslate(false);
        else if (field->kind() == FieldKind::Memo)
            field->setTranslate(false);
    }
}

} // namespace data
