#pragma once
// Small helpers shared by the filter tests: rows for the category and link
// tables, and the marks as they are stored.

#include "TempProgramDir.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace fixture {

inline QString sqlValue(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("NULL");
    if (v.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + v.toString().replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
    return QString::number(v.toLongLong());
}

// Category entries (id, name, sel).
inline void categories(const TempProgramDir &dir, const QString &table, const QList<QList<int>> &entries)
{
    QStringList sql;
    for (const QList<int> &e : entries)
        sql << QStringLiteral("INSERT INTO %1 (%1_ID, %1_NAME, %1_SEL) VALUES (%2, '%1 %2', %3)")
                   .arg(table)
                   .arg(e[0])
                   .arg(e[1]);
    dir.exec(table, sql);
}

inline void links(const TempProgramDir &dir, const QString &table, const QString &idField, int address,
                  const QList<int> &ids)
{
    QStringList sql;
    for (int id : ids)
        sql << QStringLiteral("INSERT INTO %1 (ADRE_ID, %2) VALUES (%3, %4)").arg(table, idField).arg(address).arg(id);
    if (!sql.isEmpty())
        dir.exec(table, sql);
}

inline void address(const TempProgramDir &dir, int id, const QVariant &plz, int type, int sel)
{
    dir.exec(QStringLiteral("ADRE"),
             {QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_PLZ, ADRE_TYP, ADRE_SEL) "
                             "VALUES (%1, %2, 'Adresse %1', %3, %4, %5)")
                  .arg(id)
                  .arg(id + 1000)
                  .arg(sqlValue(plz))
                  .arg(type)
                  .arg(sel)});
}

} // namespace fixture
