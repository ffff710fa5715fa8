// mainwin-timing DIR [KEY]: times the main window on the database in DIR.
// Prints the time from start to the shown window, the filter switch beside
// one plain count over the same range, and the key lookups and time of one
// go-to search. Runs on any platform plugin (offscreen is fine).

#include "app/Application.h"
#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/Modal.h"
#include "data/Session.h"
#include "data/Table.h"
#include "mainwin/GotoSearch.h"
#include "mainwin/TourbuchMain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTextStream>
#include <sqlite3.h>

namespace {

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

double countOnce(const QString &file, const char *sql, long long &result)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    QElapsedTimer t;
    t.start();
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    result = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    const double elapsed = ms(t);
    sqlite3_close(db);
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    TourbuchApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "Aufruf: mainwin-timing VERZEICHNIS [SUCHTEXT]\n";
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    const QString key = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    controls::Modal::setTestMode(true);
    Globals::ResetProgramState();
    Globals::ProgramDir = dir;
    data::Session::instance().setAlias(QStringLiteral("Tourbuch"), dir);

    auto window = std::make_unique<TfrmMain>();
    window->show();
    QCoreApplication::processEvents();
    const double startMs = ms(sinceStart);
    out << "Adressen: " << Globals::AddressTotal << "\n";
    out << QStringLiteral("Start bis gezeigtes Hauptfenster: %1 ms\n").arg(startMs, 0, 'f', 1);
    out << "Namen der Liste geholt: " << window->gridAdre()->gridModel()->fetchCount() << " mal\n";

    QElapsedTimer t;
    t.start();
    window->pbFilterOnClick();
    QCoreApplication::processEvents();
    const double onMs = ms(t);
    out << QStringLiteral("Filter ein: %1 ms (%2)\n").arg(onMs, 0, 'f', 1).arg(window->lblAnzahl()->text());
    t.restart();
    window->pbFilterOffClick();
    QCoreApplication::processEvents();
    const double offMs = ms(t);
    out << QStringLiteral("Filter aus: %1 ms (%2)\n").arg(offMs, 0, 'f', 1).arg(window->lblAnzahl()->text());
    {
        // The switch without a list: index, range, position and count only.
        data::Table bare;
        bare.setTableName(QStringLiteral("ADRE"));
        bare.open();
        t.restart();
        bare.setIndexName(QStringLiteral("AD_SEL"));
        bare.setRange({1, 0}, {1, 65535});
        bare.findKey({1, 0});
        const int shown = bare.recordCount();
        const double bareOn = ms(t);
        t.restart();
        bare.setIndexName(QStringLiteral("AD_ID"));
        bare.setRange({0}, {65535});
        bare.findKey({0});
        const int all = bare.recordCount();
        out << QStringLiteral("Umschalten ohne Liste: ein %1 ms (%2), aus %3 ms (%4)\n")
                   .arg(bareOn, 0, 'f', 1).arg(shown).arg(ms(t), 0, 'f', 1).arg(all);
        QStringList probe;
        const auto names = bare.fetchView({QStringLiteral("ADRE_NAME")});
        for (double at : {0.1, 0.5, 0.9}) {
            const QString k = names[size_t(double(names.size() - 1) * at)].values.value(0).toString();
            bare.first();
            const quint64 before = bare.statementCount();
            t.restart();
            mainwin::gotoByBisection(bare, k);
            out << QStringLiteral("Halbierung ohne Fenster \"%1\": %2 Zugriffe, %3 ms\n")
                       .arg(k).arg(bare.statementCount() - before).arg(ms(t), 0, 'f', 2);
        }
    }
    long long n = 0;
    const double countSel = countOnce(dir + QStringLiteral("ADRE.FFD"),
                                      "SELECT COUNT(*) FROM ADRE WHERE ADRE_SEL = 1 AND ADRE_ID BETWEEN 0 AND 65535",
                                      n);
    out << QStringLiteral("Ein SELECT COUNT(*) über den Filterbereich: %1 ms (%2)\n").arg(countSel, 0, 'f', 1).arg(n);
    const double countAll =
        countOnce(dir + QStringLiteral("ADRE.FFD"), "SELECT COUNT(*) FROM ADRE WHERE ADRE_ID BETWEEN 0 AND 65535", n);
    out << QStringLiteral("Ein SELECT COUNT(*) über alle: %1 ms (%2)\n").arg(countAll, 0, 'f', 1).arg(n);

    // Go-to searches from the first address, as after a start.
    data::Table &table = window->tblAdre();
    QStringList keys;
    if (!key.isEmpty()) {
        keys << key;
    } else {
        const auto names = table.fetchView({QStringLiteral("ADRE_NAME")});
        for (double at : {0.1, 0.5, 0.9})
            keys << names[size_t(double(names.size() - 1) * at)].values.value(0).toString();
        keys << QStringLiteral("zzzz");
    }
    for (const QString &k : keys) {
        table.first();
        window->editGotoKey()->setText(k);
        const quint64 before = table.statementCount();
        t.restart();
        window->Timer1Timer();
        QCoreApplication::processEvents();
        const double searchMs = ms(t);
        out << QStringLiteral("Gehe zu \"%1\": %2 Schlüsselzugriffe, %3 ms -> \"%4\"\n")
                   .arg(k)
                   .arg(table.statementCount() - before)
                   .arg(searchMs, 0, 'f', 2)
                   .arg(table.fieldByName(QStringLiteral("ADRE_NAME")).asString());
    }
    // The walk over the filtered view, for comparison.
    window->pbFilterOnClick();
    table.first();
    window->editGotoKey()->setText(keys.value(1));
    quint64 before = table.statementCount();
    t.restart();
    window->Timer1Timer();
    out << QStringLiteral("Gehe zu mit Filter (Lauf): %1 Zugriffe, %2 ms\n")
               .arg(table.statementCount() - before)
               .arg(ms(t), 0, 'f', 1);
    window->pbFilterOffClick();
    window->hide();
    window.reset();
    return 0;
}
