#include "Session.h"

#include "DatabaseError.h"
#include "Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace data {

QString sqliteMessage(sqlite3 *db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("unbekannter Fehler");
}

// --- Session ---

Session &Session::instance()
{
    static Session s;
    return s;
}

void Session::setAlias(const QString &databaseName, const QString &directory)
{
    m_aliases.insert(databaseName.toUpper(), directory);
}

QString Session::tableFilePath(const QString &databaseName, const QString &tableName) const
{
    const auto it = m_aliases.constFind(databaseName.toUpper());
    if (it == m_aliases.constEnd())
        throw DatabaseError(QStringLiteral("Die Datenbank \"%1\" ist nicht bekannt.").arg(databaseName));
    QString file = tableName.trimmed();
    if (!file.endsWith(QLatin1String(tableFileExtension), Qt::CaseInsensitive))
        file += QLatin1String(tableFileExtension);
    const QDir dir(*it);
    // Table files carry upper-case names; accept the name as written too.
    const QString upper = dir.filePath(file.toUpper());
    if (QFileInfo::exists(upper))
        return upper;
    const QString asWritten = dir.filePath(file);
    if (QFileInfo::exists(asWritten))
        return asWritten;
    return upper;
}

std::shared_ptr<Connection> Session::connect(const QString &filePath, const QString &tableName)
{
    const QFileInfo info(filePath);
    const QString key = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    if (auto existing = m_connections.value(key).lock())
        return existing;

    if (!info.exists())
        throw DatabaseError(QStringLiteral("Die Tabelle \"%1\" kann nicht geöffnet werden: die Datei \"%2\" "
                                           "existiert nicht.")
                                .arg(tableName, QDir::toNativeSeparators(filePath)));
    if (!info.isFile() || info.size() == 0)
        throw DatabaseError(QStringLiteral("Die Datei \"%1\" ist keine gültige Tabellendatei (Tabelle \"%2\").")
                                .arg(QDir::toNativeSeparators(filePath), tableName));

    sqlite3 *db = nullptr;
    // Never SQLITE_OPEN_CREATE: opening must not make a file appear.
    const int rc = sqlite3_open_v2(QFile::encodeName(filePath).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = sqliteMessage(db);
        sqlite3_close(db);
        throw DatabaseError(QStringLiteral("Die Tabelle \"%1\" kann nicht geöffnet werden (%2): %3")
                                .arg(tableName, QDir::toNativeSeparators(filePath), msg));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    auto conn = std::make_shared<Connection>(db, filePath);
    // Reading the schema is the first real access: a file that is no
    // SQLite database fails here.
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &stmt, nullptr) != SQLITE_OK
        || sqlite3_step(stmt) != SQLITE_ROW) {
        const int code = sqlite3_errcode(db) & 0xff;
        sqlite3_finalize(stmt);
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw DatabaseError(QStringLiteral("Die Tabelle \"%1\" ist gesperrt: ein anderes Programm, etwa ein "
                                               "zweites Tourbuch, hat die Datei \"%2\" in Gebrauch.")
                                    .arg(tableName, QDir::toNativeSeparators(filePath)));
        throw DatabaseError(QStringLiteral("Die Datei \"%1\" ist keine gültige Tabellendatei (Tabelle \"%2\").")
                                .arg(QDir::toNativeSeparators(filePath), tableName));
    }
    sqlite3_finalize(stmt);
    // The program is the only user of its tables while it runs. Holding the
    // file lock instead of taking it anew for every statement makes a move
    // a few microseconds instead of tens (each lock is several system calls).
    conn->exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
    m_connections.insert(key, conn);
    return conn;
}

// --- Connection ---

Connection::Connection(sqlite3 *db, QString filePath) : m_db(db), m_path(std::move(filePath)) {}

Connection::~Connection()
{
    if (m_depth > 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

void Connection::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = err ? QString::fromUtf8(err) : sqliteMessage(m_db);
        sqlite3_free(err);
        throw DatabaseError(QStringLiteral("Fehler in der Tabellendatei \"%1\": %2")
                                .arg(QDir::toNativeSeparators(m_path), msg));
    }
}

void Connection::begin()
{
    if (m_depth++ == 0) {
        m_failed = false;
        try {
            exec(QStringLiteral("BEGIN IMMEDIATE"));
        } catch (...) {
            m_depth = 0;
            throw;
        }
    }
}

void Connection::commit()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0) {
        if (m_failed) {
            exec(QStringLiteral("ROLLBACK"));
            throw DatabaseError(QStringLiteral("Die Änderungen an \"%1\" wurden verworfen.")
                                    .arg(QDir::toNativeSeparators(m_path)));
        }
        try {
            exec(QStringLiteral("COMMIT"));
        } catch (...) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
    }
}

void Connection::rollback()
{
    if (m_depth == 0)
        return;
    if (--m_depth == 0)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    else
        m_failed = true;   // an inner level failed: the outer one must not commit
}

Transaction::~Transaction()
{
    if (!m_done)
        m_c.rollback();
}

void Transaction::commit()
{
    m_done = true;
    m_c.commit();
}

// --- table files ---

void createTableFile(const QString &filePath, const TableDef &table)
{
    if (QFileInfo::exists(filePath))
        throw DatabaseError(QStringLiteral("Die Datei \"%1\" existiert bereits und wird nicht überschrieben.")
                                .arg(QDir::toNativeSeparators(filePath)));
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(filePath).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString msg = sqliteMessage(db);
        sqlite3_close(db);
        throw DatabaseError(QStringLiteral("Die Datei \"%1\" kann nicht angelegt werden: %2")
                                .arg(QDir::toNativeSeparators(filePath), msg));
    }
    Connection conn(db, filePath);
    Transaction tx(conn);
    for (const QString &sql : createStatements(table))
        conn.exec(sql);
    tx.commit();
}

} // namespace data
