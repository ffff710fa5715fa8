#include "Statement.h"

#include "data/DatabaseError.h"
#include "data/Session.h"

#include <QDir>
#include <sqlite3.h>

namespace tourbuchdb {

Statement::Statement(data::Connection &connection, const QString &sql) : m_connection(connection)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(connection.handle(), utf8.constData(), int(utf8.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail(sql);
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::fail(const QString &what) const
{
    throw data::DatabaseError(QStringLiteral("Fehler in der Tabellendatei \"%1\" bei \"%2\": %3")
                                  .arg(QDir::toNativeSeparators(m_connection.filePath()), what,
                                       data::sqliteMessage(m_connection.handle())));
}

void Statement::bindNull(int parameter)
{
    if (sqlite3_bind_null(m_stmt, parameter) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_sql(m_stmt)));
}

void Statement::bindInteger(int parameter, std::int64_t value)
{
    if (sqlite3_bind_int64(m_stmt, parameter, value) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_sql(m_stmt)));
}

void Statement::bindText(int parameter, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    if (sqlite3_bind_text(m_stmt, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_sql(m_stmt)));
}

void Statement::bindBlob(int parameter, const QByteArray &value)
{
    if (sqlite3_bind_blob(m_stmt, parameter, value.constData(), int(value.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        fail(QString::fromUtf8(sqlite3_sql(m_stmt)));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(QString::fromUtf8(sqlite3_sql(m_stmt)));
}

void Statement::execute()
{
    while (step()) {
    }
    reset();
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::text(int column) const
{
    const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(chars, sqlite3_column_bytes(m_stmt, column));
}

QByteArray Statement::blob(int column) const
{
    const auto *bytes = static_cast<const char *>(sqlite3_column_blob(m_stmt, column));
    return QByteArray(bytes, sqlite3_column_bytes(m_stmt, column));
}

QString Statement::storageClass(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return QStringLiteral("INTEGER");
    case SQLITE_FLOAT: return QStringLiteral("REAL");
    case SQLITE_TEXT: return QStringLiteral("TEXT");
    case SQLITE_BLOB: return QStringLiteral("BLOB");
    default: return QStringLiteral("NULL");
    }
}

} // namespace tourbuchdb
