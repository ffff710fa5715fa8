#pragma once
// A prepared SQLite statement that finalizes itself. Errors become
// data::DatabaseError with the file's name, like the engine's own.

#include <QByteArray>
#include <QString>
#include <cstdint>

struct sqlite3;
struct sqlite3_stmt;

namespace data {
class Connection;
}

namespace tourbuchdb {

class Statement {
public:
    Statement(data::Connection &connection, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // Parameters count from 1, as in SQLite.
    void bindNull(int parameter);
    void bindInteger(int parameter, std::int64_t value);
    void bindText(int parameter, const QString &value);
    void bindBlob(int parameter, const QByteArray &value);

    // True while there is a row to read.
    bool step();
    // Runs a statement that returns no rows, then makes it ready for reuse.
    void execute();
    void reset();

    // Columns count from 0.
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;
    // The storage class of the value: "INTEGER", "TEXT", "BLOB", "REAL" or "NULL".
    QString storageClass(int column) const;

private:
    [[noreturn]] void fail(const QString &what) const;

    data::Connection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace tourbuchdb
