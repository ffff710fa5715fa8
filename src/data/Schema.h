#pragma once
// The tables of the address database: names, columns and indexes.
// Used to create table files (tourbuch-db), to check them, and by the
// engine to know which text columns hold rich text.

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

enum class FieldKind { Integer, String, Memo, Graphic };

struct ColumnDef {
    QString name;
    FieldKind kind;
};

struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
};

struct TableDef {
    QString name;                 // also the file name without ".FFD"
    std::vector<ColumnDef> columns;
    std::vector<IndexDef> indexes;

    const ColumnDef *column(const QString &columnName) const;
};

// Every table of the database, in a fixed order.
const std::vector<TableDef> &addressDatabase();

// The definition of a table by its name ("ADRE", "stud.ffd"), or nullptr.
const TableDef *findTableDef(const QString &tableOrFileName);

// "ADRE" for "ADRE", "ADRE.FFD", "adre.ffd".
QString tableNameOf(const QString &tableOrFileName);

// The SQL that creates the table and its indexes in an empty file.
QStringList createStatements(const TableDef &table);

// Extension of every table file.
inline constexpr const char *tableFileExtension = ".FFD";

} // namespace data
