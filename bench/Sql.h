#pragma once
// Plain SQLite access for the peers and for preparing the database: what a
// developer would write without the program's table engine.

#include <QByteArray>
#include <QString>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

namespace bench {

class SqlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A connection of its own to one file, or a borrowed handle (not closed).
class SqlDatabase {
public:
    explicit SqlDatabase(const QString &file);
    static SqlDatabase borrow(sqlite3 *handle);
    ~SqlDatabase();
    SqlDatabase(SqlDatabase &&other) noexcept;
    SqlDatabase(const SqlDatabase &) = delete;
    SqlDatabase &operator=(const SqlDatabase &) = delete;
    SqlDatabase &operator=(SqlDatabase &&) = delete;

    sqlite3 *handle() const { return m_db; }
    void exec(const QString &sql);
    qint64 queryInt(const QString &sql);

private:
    explicit SqlDatabase(sqlite3 *handle, bool owned) : m_db(handle), m_owned(owned) {}
    sqlite3 *m_db = nullptr;
    bool m_owned = true;
};

class SqlStatement {
public:
    SqlStatement(sqlite3 *db, const QString &sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement &) = delete;
    SqlStatement &operator=(const SqlStatement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }
    void bind(int position, qint64 value);
    void bind(int position, const QString &value);
    // True for a row, false when done.
    bool step();
    void reset();
    qint64 integer(int column) const;
    QString text(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
    QByteArray m_boundText[4];   // bound texts live until the next bind
};

} // namespace bench
