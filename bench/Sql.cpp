#include "Sql.h"

#include <QFile>
#include <sqlite3.h>
#include <utility>

namespace bench {

namespace {

[[noreturn]] void fail(sqlite3 *db, const QString &what)
{
    throw SqlError((what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db))).toStdString());
}

} // namespace

SqlDatabase::SqlDatabase(const QString &file)
{
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw SqlError((file + QStringLiteral(": ") + message).toStdString());
    }
    // The program's own connections may hold the file for a moment.
    sqlite3_busy_timeout(m_db, 5000);
}

SqlDatabase SqlDatabase::borrow(sqlite3 *handle)
{
    return SqlDatabase(handle, false);
}

SqlDatabase::SqlDatabase(SqlDatabase &&other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_owned(other.m_owned)
{
}

SqlDatabase::~SqlDatabase()
{
    if (m_owned && m_db)
        sqlite3_close_v2(m_db);
}

void SqlDatabase::exec(const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        throw SqlError((sql.left(60) + QStringLiteral(": ") + message).toStdString());
    }
}

qint64 SqlDatabase::queryInt(const QString &sql)
{
    SqlStatement statement(m_db, sql);
    return statement.step() ? statement.integer(0) : -1;
}

SqlStatement::SqlStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
        fail(db, sql.left(60));
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqlStatement::bind(int position, qint64 value)
{
    sqlite3_bind_int64(m_stmt, position, value);
}

void SqlStatement::bind(int position, const QString &value)
{
    QByteArray &text = m_boundText[(position - 1) % 4];
    text = value.toUtf8();
    sqlite3_bind_text(m_stmt, position, text.constData(), int(text.size()), SQLITE_STATIC);
}

bool SqlStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        fail(m_db, QString::fromUtf8(sqlite3_sql(m_stmt)).left(60));
    return false;
}

void SqlStatement::reset()
{
    sqlite3_reset(m_stmt);
}

qint64 SqlStatement::integer(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString SqlStatement::text(int column) const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column)),
                             sqlite3_column_bytes(m_stmt, column));
}

} // namespace bench
