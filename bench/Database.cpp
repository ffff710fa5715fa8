#include "Database.h"

#include "Sql.h"

#include "app/Globals.h"
#include "data/Session.h"

#include <QDir>
#include <QProcess>
#include <QStringList>
#include <stdexcept>

#ifndef TOURBUCH_DB_PROGRAM
#error "TOURBUCH_DB_PROGRAM must name the tourbuch-db executable"
#endif

namespace bench {

void makeDemoDatabase(const QString &programDir, int addresses)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(QStringLiteral(TOURBUCH_DB_PROGRAM),
               {QStringLiteral("demo"), programDir, QStringLiteral("--addresses"), QString::number(addresses)});
    if (!tool.waitForFinished(10 * 60 * 1000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        throw std::runtime_error("tourbuch-db demo failed: " + tool.readAll().toStdString());
}

void chooseCategories(const QString &programDir)
{
    // A restriction that bites in every test and, with the postal-code
    // range below, lets a quarter of the addresses pass. The address types
    // 1 and 3 (organisers and clubs) stay chosen, or the style and venue
    // tests would never be reached.
    const struct {
        const char *table;
        const char *choice;
    } choices[] = {
        {"ATYP", "ATYP_ID IN (1, 3, 4)"},
        {"RAUM", "RAUM_ID % 4 <> 0"},
        {"STIL", "STIL_ID % 3 <> 0"},
        {"LOKA", "LOKA_ID % 2 = 1"},
    };
    for (const auto &c : choices) {
        SqlDatabase db(programDir + QLatin1String(c.table) + QStringLiteral(".FFD"));
        db.exec(QStringLiteral("UPDATE %1 SET %1_SEL = CASE WHEN %2 THEN 1 ELSE 0 END")
                    .arg(QLatin1String(c.table), QLatin1String(c.choice)));
    }
}

filter::FilterFlags allFiveRestrictions()
{
    filter::FilterFlags flags;
    flags.FilterATyp = flags.FilterRaum = flags.FilterStil = flags.FilterLoka = flags.FilterPLZ = true;
    flags.PLZFrom = 10000;
    flags.PLZTo = 89999;
    return flags;
}

namespace {

// A link of the address leads to a chosen entry. Links with a negative
// category ID are never reached by the pass's search from (address, 0).
QString anyLink(const QString &linkTable, const QString &category)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM %1 l JOIN %2 c ON c.%2_ID = l.%2_ID "
                          "WHERE l.ADRE_ID = ADRE.ADRE_ID AND l.%2_ID >= 0 AND c.%2_SEL = 1)")
        .arg(linkTable, category);
}

} // namespace

QString verdictSql(const filter::FilterFlags &flags)
{
    QStringList failsWhen;
    if (flags.FilterPLZ)
        failsWhen << QStringLiteral("ADRE_PLZ IS NULL OR trim(ADRE_PLZ) = '' OR trim(ADRE_PLZ) GLOB '*[^0-9]*' "
                                    "OR CAST(trim(ADRE_PLZ) AS INTEGER) NOT BETWEEN %1 AND %2")
                         .arg(flags.PLZFrom)
                         .arg(flags.PLZTo);
    if (flags.FilterATyp)
        failsWhen << QStringLiteral("coalesce((SELECT ATYP_SEL FROM ATYP WHERE ATYP_ID = ADRE_TYP), 0) <> 1");
    if (flags.FilterRaum)
        failsWhen << QStringLiteral("NOT ") + anyLink(QStringLiteral("ADRA"), QStringLiteral("RAUM"));
    if (flags.FilterStil)
        failsWhen << QStringLiteral("ADRE_TYP NOT IN (1, 3) OR NOT ")
                         + anyLink(QStringLiteral("ADST"), QStringLiteral("STIL"));
    if (flags.FilterLoka)
        failsWhen << QStringLiteral("ADRE_TYP = 3 AND NOT ") + anyLink(QStringLiteral("ADLO"), QStringLiteral("LOKA"));
    if (failsWhen.isEmpty())
        return QStringLiteral("1");
    QString sql = QStringLiteral("(CASE");
    for (const QString &condition : failsWhen)
        sql += QStringLiteral(" WHEN ") + condition + QStringLiteral(" THEN 0");
    return sql + QStringLiteral(" ELSE 1 END)");
}

void useProgramDirectory(const QString &programDir)
{
    Globals::ResetProgramState();
    Globals::ProgramDir = programDir;
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), programDir);
}

} // namespace bench
