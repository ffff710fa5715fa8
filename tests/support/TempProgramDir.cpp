#include "TempProgramDir.h"

#include "data/Schema.h"
#include "data/Session.h"

#include <QFile>

TempProgramDir::TempProgramDir()
{
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), path());
}

TempProgramDir::~TempProgramDir() = default;

void TempProgramDir::createAllTables() const
{
    for (const data::TableDef &t : data::addressDatabase())
        createTable(t.name);
}

// Empty table files are made once per test program and copied from there:
// creating one means several synchronous writes.
static QString emptyTableFile(const data::TableDef &def)
{
    static QTemporaryDir templates;
    const QString path = templates.filePath(def.name + QStringLiteral(".FFD"));
    if (!QFile::exists(path))
        data::createTableFile(path, def);
    return path;
}

void TempProgramDir::createTable(const QString &tableName) const
{
    const data::TableDef *def = data::findTableDef(tableName);
    Q_ASSERT(def);
    const QString target = file(def->name + QStringLiteral(".FFD"));
    Q_ASSERT(!QFile::exists(target));
    QFile::copy(emptyTableFile(*def), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

void TempProgramDir::exec(const QString &tableName, const QStringList &statements) const
{
    const QString path = file(data::tableNameOf(tableName) + QStringLiteral(".FFD"));
    auto conn = data::Session::instance().connect(path, data::tableNameOf(tableName));
    data::Transaction tx(*conn);
    for (const QString &sql : statements)
        conn->exec(sql);
    tx.commit();
}
