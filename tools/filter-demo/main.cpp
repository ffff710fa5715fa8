// filter-demo: windows of the filter for a look under a real display, the
// timing of the filter pass against one SQL statement, and a process for
// crash tests.
//
//   filter-demo make DIR N         a database of N addresses in DIR
//   filter-demo time DIR           pass and UPDATE statement, all five restrictions
//   filter-demo flip DIR           runs the pass again and again, the postal-code
//                                  range alternating, until killed
//   filter-demo show DIR filter|set|progress   one window, until closed

#include "LargeDatabase.h"

#include "app/Globals.h"
#include "controls/Gauge.h"
#include "data/DatabaseError.h"
#include "data/Session.h"
#include "filter/DoFilter.h"
#include "filter/Filter.h"
#include "filter/FilterRun.h"
#include "filter/SetRaum.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace {

const int From = 10000, To = 79999;

filter::FilterFlags allFive()
{
    filter::FilterFlags f;
    f.FilterATyp = f.FilterRaum = f.FilterStil = f.FilterLoka = f.FilterPLZ = true;
    f.PLZFrom = From;
    f.PLZTo = To;
    return f;
}

QString existsSel(const QString &link, const QString &cat)
{
    return QStringLiteral("EXISTS (SELECT 1 FROM %1 l JOIN %2 c ON c.%2_ID = l.%2_ID "
                          "WHERE l.ADRE_ID = ADRE.ADRE_ID AND l.%2_ID >= 0 AND c.%2_SEL = 1)")
        .arg(link, cat);
}

// The verdict of the pass as one SQL expression over the attached files.
QString verdictSql()
{
    return QStringLiteral(
               "(CASE WHEN ADRE_PLZ IS NULL OR trim(ADRE_PLZ) = '' OR trim(ADRE_PLZ) GLOB '*[^0-9]*' "
               "OR CAST(trim(ADRE_PLZ) AS INTEGER) NOT BETWEEN %1 AND %2 THEN 0 "
               "WHEN coalesce((SELECT ATYP_SEL FROM ATYP WHERE ATYP_ID = ADRE_TYP), 0) <> 1 THEN 0 "
               "WHEN NOT %3 THEN 0 "
               "WHEN ADRE_TYP NOT IN (1, 3) THEN 0 "
               "WHEN NOT %4 THEN 0 "
               "WHEN ADRE_TYP = 3 AND NOT %5 THEN 0 "
               "ELSE 1 END)")
        .arg(From)
        .arg(To)
        .arg(existsSel(QStringLiteral("ADRA"), QStringLiteral("RAUM")),
             existsSel(QStringLiteral("ADST"), QStringLiteral("STIL")),
             existsSel(QStringLiteral("ADLO"), QStringLiteral("LOKA")));
}

void execOrDie(sqlite3 *db, const QString &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "SQL: %s\n", error);
        std::exit(1);
    }
}

qint64 queryInt(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    return v;
}

int timing(const QString &dir)
{
    const QString base = QDir(dir).absolutePath() + QLatin1Char('/');
    sqlite3 *db = nullptr;
    sqlite3_open_v2((base + QStringLiteral("ADRE.FFD")).toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    for (const char *t : {"ADRA", "ADST", "ADLO", "ATYP", "RAUM", "STIL", "LOKA"})
        execOrDie(db, QStringLiteral("ATTACH '%1%2.FFD' AS %2").arg(base, QLatin1String(t)));
    const char *checksum = "SELECT sum(ADRE_SEL * (ADRE_ID + 1)) FROM ADRE";
    const QString update =
        QStringLiteral("UPDATE ADRE SET ADRE_SEL = 1 - ADRE_SEL WHERE ADRE_SEL IS NOT %1").arg(verdictSql());
    const int addresses = int(queryInt(db, "SELECT count(*) FROM ADRE"));

    std::vector<double> passTimes, sqlTimes;
    qint64 passSum = 0, sqlSum = 0;
    filter::FilterResult result;
    for (int round = 0; round < 5; ++round) {
        execOrDie(db, QStringLiteral("UPDATE ADRE SET ADRE_SEL = 0"));
        QElapsedTimer t;
        t.start();
        result = filter::FilterPass(allFive()).run();
        passTimes.push_back(double(t.nsecsElapsed()) / 1e6);
        passSum = queryInt(db, checksum);

        execOrDie(db, QStringLiteral("UPDATE ADRE SET ADRE_SEL = 0"));
        t.restart();
        execOrDie(db, QStringLiteral("BEGIN IMMEDIATE"));
        execOrDie(db, update);
        execOrDie(db, QStringLiteral("COMMIT"));
        sqlTimes.push_back(double(t.nsecsElapsed()) / 1e6);
        sqlSum = queryInt(db, checksum);
    }
    sqlite3_close(db);
    std::sort(passTimes.begin(), passTimes.end());
    std::sort(sqlTimes.begin(), sqlTimes.end());
    std::printf("addresses: %d, passed: %d, marks written: %d\n", addresses, result.passed, result.changed);
    std::printf("filter pass:      median %.1f ms (best %.1f)\n", passTimes[2], passTimes[0]);
    std::printf("UPDATE statement: median %.1f ms (best %.1f)\n", sqlTimes[2], sqlTimes[0]);
    std::printf("same verdicts: %s\n", passSum == sqlSum ? "yes" : "NO");
    return passSum == sqlSum ? 0 : 1;
}

int flip(const QString &)
{
    filter::FilterFlags low, high;
    low.FilterPLZ = high.FilterPLZ = true;
    low.PLZFrom = 1;
    low.PLZTo = 49999;
    high.PLZFrom = 50000;
    high.PLZTo = 99999;
    for (int run = 1;; ++run) {
        filter::FilterPass pass(run % 2 ? high : low);
        pass.setProgress([run](int done, int total) {
            if (done == total) {
                std::printf("walked %d\n", run);   // the writes follow
                std::fflush(stdout);
            }
        });
        const filter::FilterResult r = pass.run();
        std::printf("done %d %d\n", run, r.changed);
        std::fflush(stdout);
    }
}

int show(const QString &which)
{
    if (which == QLatin1String("filter"))
        return ExecuteFilterDefinition(nullptr);
    if (which == QLatin1String("set")) {
        TfrmSetRaum dlg(nullptr);
        return dlg.exec();
    }
    TfrmDoFilter dlg;
    QTimer::singleShot(0, &dlg, [&dlg] {
        dlg.Timer1->stop();
        dlg.Gauge->setMaxValue(65536);
        dlg.Gauge->setProgress(27525);
        dlg.Gauge->show();
    });
    return dlg.exec();
}

} // namespace

int main(int argc, char **argv)
{
    // Only "show" needs a display.
    if (argc < 2 || std::strcmp(argv[1], "show") != 0)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fprintf(stderr, "Aufruf: filter-demo make|time|flip|show VERZEICHNIS ...\n");
        return 2;
    }
    const QString dir = QDir(args[1]).absolutePath() + QLatin1Char('/');
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), dir);
    Globals::ProgramDir = dir;
    try {
        if (args[0] == QLatin1String("make")) {
            QDir().mkpath(dir);
            filterdemo::makeLargeDatabase(dir, args.value(2, QStringLiteral("65536")).toInt());
            return 0;
        }
        if (args[0] == QLatin1String("time"))
            return timing(dir);
        if (args[0] == QLatin1String("flip"))
            return flip(dir);
        if (args[0] == QLatin1String("show")) {
            Globals::LoadSettings();
            return show(args.value(2));
        }
    } catch (const data::DatabaseError &e) {
        std::fprintf(stderr, "Fehler: %s\n", e.message().toUtf8().constData());
        return 1;
    }
    return 2;
}
