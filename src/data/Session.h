#pragma once
// The database session: resolves a database name ("Tourbuch") to a
// directory and hands out one SQLite connection per table file, shared by
// every cursor on that file.

#include <QHash>
#include <QString>
#include <memory>

struct sqlite3;

namespace data {

class Connection;

class Session {
public:
    static Session &instance();

    // Binds a database name to the directory of its table files.
    void setAlias(const QString &databaseName, const QString &directory);

    // The full path of a table's file: "ADRE" and "ADRE.FFD" both name
    // <dir>/ADRE.FFD. Throws when the database name is unknown.
    QString tableFilePath(const QString &databaseName, const QString &tableName) const;

    // The shared connection of a table file; opens it on first use. Never
    // creates the file: a missing or invalid file is an error.
    std::shared_ptr<Connection> connect(const QString &filePath, const QString &tableName);

private:
    Session() = default;
    QHash<QString, QString> m_aliases;                       // upper-case name -> dir
    QHash<QString, std::weak_ptr<Connection>> m_connections; // canonical path -> connection
};

// One open SQLite database file.
class Connection {
public:
    Connection(sqlite3 *db, QString filePath);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    sqlite3 *handle() const { return m_db; }
    const QString &filePath() const { return m_path; }

    void exec(const QString &sql);

    // Nested use is allowed: only the outermost level commits or rolls back.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_depth > 0; }

private:
    sqlite3 *m_db;
    QString m_path;
    int m_depth = 0;
    bool m_failed = false;
};

// Commits on commit(), rolls back when left without it (also by an exception).
class Transaction {
public:
    explicit Transaction(Connection &c) : m_c(c) { m_c.begin(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Connection &m_c;
    bool m_done = false;
};

// Message text of the last SQLite error on a handle.
QString sqliteMessage(sqlite3 *db);

} // namespace data

namespace data {
struct TableDef;
// Makes a new table file with the table and its indexes. Refuses to touch
// an existing file. Only tools and tests create tables; the program never does.
void createTableFile(const QString &filePath, const TableDef &table);
} // namespace data
