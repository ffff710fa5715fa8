#pragma once
// A temporary program directory for a test: table files are made in it and
// the database name "Tourbuch" points at it while the object lives.

#include <QDir>
#include <QString>
#include <QTemporaryDir>

class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    // With the trailing separator, like ProgramDir.
    QString path() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return path() + name; }
    bool isValid() const { return m_dir.isValid(); }
    // Creates every table of the address database, empty.
    void createAllTables() const;
    // Creates one empty table file.
    void createTable(const QString &tableName) const;
    // Runs SQL statements on a table file directly.
    void exec(const QString &tableName, const QStringList &statements) const;

private:
    QTemporaryDir m_dir;
};
