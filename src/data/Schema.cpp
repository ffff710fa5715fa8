#include "Schema.h"

namespace data {

const ColumnDef *TableDef::column(const QString &columnName) const
{
    for (const ColumnDef &c : columns)
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

namespace {

using K = FieldKind;

TableDef category(const QString &x, const QString &p)
{
    return {x,
            {{x + "_ID", K::Integer}, {x + "_NAME", K::String}, {x + "_SEL", K::Integer}},
            {{p + "_ID", {x + "_ID"}, true}, {p + "_SEL", {x + "_SEL", x + "_ID"}, false}}};
}

TableDef link(const QString &table, const QString &other, const QString &index)
{
    return {table, {{"ADRE_ID", K::Integer}, {other, K::Integer}}, {{index, {"ADRE_ID", other}, false}}};
}

TableDef related(const QString &x, const QString &index)
{
    return {x,
            {{x + "_ID", K::Integer},
             {x + "_NAME", K::String},
             {x + "_TEXT", K::Memo},
             {x + "_BILD1", K::Graphic},
             {x + "_TEXT1", K::String}},
            {{index, {x + "_ID"}, false}}};
}

std::vector<TableDef> makeDatabase()
{
    std::vector<TableDef> db;
    db.push_back({"ADRE",
                  {{"ADRE_ID", K::Integer},
                   {"ADRE_REF", K::Integer},
                   {"ADRE_NAME", K::String},
                   {"ADRE_ZUS1", K::String},
                   {"ADRE_STR", K::String},
                   {"ADRE_LAND", K::String},
                   {"ADRE_PLZ", K::String},
                   {"ADRE_ORT", K::String},
                   {"ADRE_TEL1", K::String},
                   {"ADRE_FAX", K::String},
                   {"ADRE_TYP", K::Integer},
                   {"ADRE_SEL", K::Integer},
                   {"ADRE_MEMO", K::Memo},
                   {"STUD_ID", K::Integer},
                   {"BAND_ID", K::Integer},
                   {"LABE_ID", K::Integer}},
                  {{"AD_ID", {"ADRE_ID"}, true}, {"AD_SEL", {"ADRE_SEL", "ADRE_ID"}, false}}});
    db.push_back(category("ATYP", "AT"));
    db.push_back(category("RAUM", "RA"));
    db.push_back(category("STIL", "ST"));
    db.push_back(category("LOKA", "LO"));
    db.push_back(link("ADRA", "RAUM_ID", "AR_ADRE"));
    db.push_back(link("ADST", "STIL_ID", "AS_ADRE"));
    db.push_back(link("ADLO", "LOKA_ID", "AL_ADRE"));
    db.push_back({"NOTE", {{"ADRE_REF", K::Integer}, {"NOTE_MEMO", K::Memo}}, {{"NO_REF", {"ADRE_REF"}, true}}});
    db.push_back(related("STUD", "ST_ID"));
    db.push_back(related("BAND", "BA_ID"));
    db.push_back({"LABE", {{"LABE_ID", K::Integer}, {"LABE_NAME", K::String}}, {{"LA_ID", {"LABE_ID"}, false}}});
    return db;
}

QString sqlType(FieldKind kind)
{
    switch (kind) {
    case K::Integer: return QStringLiteral("INTEGER");
    case K::String:
    case K::Memo: return QStringLiteral("TEXT");
    case K::Graphic: return QStringLiteral("BLOB");
    }
    return QStringLiteral("TEXT");
}

} // namespace

const std::vector<TableDef> &addressDatabase()
{
    static const std::vector<TableDef> db = makeDatabase();
    return db;
}

QString tableNameOf(const QString &tableOrFileName)
{
    QString name = tableOrFileName.trimmed();
    if (name.endsWith(QLatin1String(tableFileExtension), Qt::CaseInsensitive))
        name.chop(int(qstrlen(tableFileExtension)));
    return name.toUpper();
}

const TableDef *findTableDef(const QString &tableOrFileName)
{
    const QString name = tableNameOf(tableOrFileName);
    for (const TableDef &t : addressDatabase())
        if (t.name == name)
            return &t;
    return nullptr;
}

QStringList createStatements(const TableDef &table)
{
    QStringList cols;
    for (const ColumnDef &c : table.columns)
        cols << QStringLiteral("\"%1\" %2").arg(c.name, sqlType(c.kind));
    QStringList sql;
    sql << QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(table.name, cols.join(QStringLiteral(", ")));
    for (const IndexDef &i : table.indexes) {
        QStringList keys;
        for (const QString &k : i.columns)
            keys << QStringLiteral("\"%1\"").arg(k);
        sql << QStringLiteral("CREATE %1INDEX \"%2\" ON \"%3\" (%4)")
                   .arg(i.unique ? QStringLiteral("UNIQUE ") : QString(), i.name, table.name,
                        keys.join(QStringLiteral(", ")));
    }
    return sql;
}

} // namespace data
