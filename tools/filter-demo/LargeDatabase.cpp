#include "LargeDatabase.h"

#include "data/Schema.h"
#include "data/Session.h"

#include <QDir>

namespace filterdemo {

void makeLargeDatabase(const QString &dir, int addresses)
{
    const QString base = QDir(dir).absolutePath() + QLatin1Char('/');
    for (const data::TableDef &t : data::addressDatabase())
        data::createTableFile(base + t.name + QStringLiteral(".FFD"), t);

    const auto run = [&](const QString &table, const QStringList &statements) {
        auto conn = data::Session::instance().connect(base + table + QStringLiteral(".FFD"), table);
        data::Transaction tx(*conn);
        for (const QString &sql : statements)
            conn->exec(sql);
        tx.commit();
    };
    const QString ids = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) ")
                            .arg(addresses - 1);
    const auto category = [&](const QString &t, int count, const QString &chosen) {
        run(t, {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %2) "
                               "INSERT INTO %1 (%1_ID, %1_NAME, %1_SEL) SELECT i, '%1 ' || i, "
                               "CASE WHEN %3 THEN 1 ELSE 0 END FROM n")
                    .arg(t)
                    .arg(count)
                    .arg(chosen)});
    };
    category(QStringLiteral("ATYP"), 5, QStringLiteral("i IN (1, 2, 3)"));
    category(QStringLiteral("RAUM"), 20, QStringLiteral("i % 3 = 0"));
    category(QStringLiteral("STIL"), 30, QStringLiteral("i % 4 <> 0"));
    category(QStringLiteral("LOKA"), 10, QStringLiteral("i % 2 = 1"));

    if (addresses <= 0)
        return;
    run(QStringLiteral("ADRE"),
        {ids + QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_ORT, ADRE_PLZ, ADRE_TYP, "
                              "ADRE_SEL) SELECT i, i + 1, printf('Adresse %06d', i), 'Orbenland', "
                              "printf('%05d', (i * 7919) % 99999 + 1), 1 + (i * 3) % 5, 0 FROM n")});
    const auto link = [&](const QString &t, const QString &field, int count, int salt) {
        run(t, {ids + QStringLiteral(", k(j) AS (VALUES (0), (1), (2)) "
                                     "INSERT INTO %1 (ADRE_ID, %2) SELECT DISTINCT i, 1 + (i * 13 + j * %4) % %3 "
                                     "FROM n, k WHERE (i * 31 + j * 17 + %4) % 4 <> 0")
                          .arg(t, field)
                          .arg(count)
                          .arg(salt)});
    };
    link(QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), 20, 7);
    link(QStringLiteral("ADST"), QStringLiteral("STIL_ID"), 30, 11);
    link(QStringLiteral("ADLO"), QStringLiteral("LOKA_ID"), 10, 5);
}

} // namespace filterdemo
