#include "TempProgramDir.h"

#include "data/Schema.h"
#include "data/Session.h"

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

void TempProgramDir::createTable(const QString &tableName) const
{
    const data::TableDef *def = data::findTableDef(tableName);
    Q_ASSERT(def);
    data::createTableFile(file(def->name + QStringLiteral(".FFD")), *def);
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
