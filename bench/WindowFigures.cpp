// Start, filter switch, go-to search and memory: the main window beside
// what a developer would build with Qt and SQLite alone.

#include "Database.h"
#include "Figures.h"
#include "Sql.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/Modal.h"
#include "data/NameOrder.h"
#include "data/Session.h"
#include "data/Table.h"
#include "mainwin/GotoSearch.h"
#include "mainwin/TourbuchMain.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QStringListModel>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

namespace bench {

namespace {

const QString AdreFile = QStringLiteral("ADRE.FFD");

// The peer of the main window: a bare window with a list of every name,
// read with one SELECT.
class PeerListWindow : public QWidget {
public:
    explicit PeerListWindow(const QString &programDir)
    {
        QStringList names;
        {
            SqlDatabase db(programDir + AdreFile);
            SqlStatement select(db.handle(), QStringLiteral("SELECT ADRE_NAME FROM ADRE ORDER BY ADRE_ID"));
            while (select.step())
                names << select.text(0);
        }
        m_model.setStringList(names);
        auto *layout = new QVBoxLayout(this);
        m_view = new QListView(this);
        m_view->setUniformItemSizes(true);
        m_view->setModel(&m_model);
        layout->addWidget(m_view);
        resize(658, 430);
    }
    int rowCount() const { return m_model.rowCount(); }

private:
    QStringListModel m_model;
    QListView *m_view = nullptr;   // owned by this window
};

int mainListRows(TfrmMain &window)
{
    return window.gridAdre()->gridModel()->rowCount();
}

QString filledCheck(int rows, int expected, const char *side)
{
    return rows == expected ? QString()
                            : QStringLiteral("%1 list shows %2 of %3 names").arg(QLatin1String(side)).arg(rows).arg(expected);
}

} // namespace

std::vector<Row> startFigure(const Context &context)
{
    std::unique_ptr<TfrmMain> ours;
    std::unique_ptr<PeerListWindow> peer;
    int oursRows = 0, peerRows = 0;
    const PairTimes times = timePair(
        context.rounds,
        [&] {
            peer.reset();
            ours.reset();
            settle();
        },
        [&] {
            ours = std::make_unique<TfrmMain>();
            ours->show();
            settle();
            oursRows = mainListRows(*ours);
        },
        [&] {
            ours.reset();
            settle();
        },
        [&] {
            peer = std::make_unique<PeerListWindow>(context.programDir);
            peer->show();
            settle();
            peerRows = peer->rowCount();
        });
    peer.reset();
    ours.reset();
    Row row = ratioRow(QStringLiteral("start"), QStringLiteral("ms"), median(times.ours), median(times.peer), 1.5);
    for (const QString &problem : {filledCheck(oursRows, context.addresses, "our"),
                                   filledCheck(peerRows, context.addresses, "peer")})
        if (!problem.isEmpty())
            row.failures << problem;
    return {row};
}

std::vector<Row> switchFigure(const Context &context)
{
    TfrmMain window;
    window.show();
    settle();
    const auto connection =
        data::Session::instance().connect(context.programDir + AdreFile, QStringLiteral("ADRE"));
    int shownOn = -1;
    qint64 countedOn = -1, countedAll = -1;
    const PairTimes times = timePair(
        context.rounds, nullptr,
        [&] {
            window.pbFilterOnClick();
            settle();
            shownOn = mainListRows(window);
            window.pbFilterOffClick();
            settle();
        },
        nullptr,
        [&] {
            // The same two ranges, counted on the window's own connection.
            SqlStatement on(connection->handle(),
                            QStringLiteral("SELECT COUNT(*) FROM ADRE WHERE ADRE_SEL = 1 AND ADRE_ID BETWEEN 0 AND 65535"));
            on.step();
            countedOn = on.integer(0);
            SqlStatement all(connection->handle(),
                             QStringLiteral("SELECT COUNT(*) FROM ADRE WHERE ADRE_ID BETWEEN 0 AND 65535"));
            all.step();
            countedAll = all.integer(0);
        });
    Row row = ratioRow(QStringLiteral("switch"), QStringLiteral("ms"), median(times.ours), median(times.peer), 3);
    if (shownOn != countedOn)
        row.failures << QStringLiteral("filtered list shows %1, count gives %2").arg(shownOn).arg(countedOn);
    if (mainListRows(window) != countedAll)
        row.failures << QStringLiteral("full list shows %1, count gives %2").arg(mainListRows(window)).arg(countedAll);
    window.hide();
    return {row};
}

namespace {

int compareCollation(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return data::compareNames(QString::fromUtf8(static_cast<const char *>(a), lengthA),
                              QString::fromUtf8(static_cast<const char *>(b), lengthB));
}

} // namespace

std::vector<Row> gotoFigure(const Context &context)
{
    // The main window's view with the filter off.
    data::Table table;
    table.setTableName(QStringLiteral("ADRE"));
    table.open();
    table.setIndexName(QStringLiteral("AD_ID"));
    table.setRange({0}, {65535});

    // What a user types: the start of names spread over the whole list.
    QStringList keys;
    {
        const auto names = table.fetchView({QStringLiteral("ADRE_NAME")});
        const int count = 16;
        for (int i = 0; i < count; ++i) {
            const QString name = names[size_t((double(i) + 0.5) / count * double(names.size()))].values.value(0).toString();
            keys << name.left(5).toLower();
        }
    }

    SqlDatabase peerDb(context.programDir + AdreFile);
    sqlite3_create_collation_v2(peerDb.handle(), "TOURBUCH", SQLITE_UTF8, nullptr, compareCollation, nullptr);
    // Names ascend with their numbers, so the first match by number is the
    // first name not before the key.
    SqlStatement peerSelect(peerDb.handle(),
                            QStringLiteral("SELECT ADRE_ID FROM ADRE WHERE ADRE_NAME >= ?1 COLLATE TOURBUCH "
                                           "ORDER BY ADRE_ID LIMIT 1"));

    std::vector<int> oursFound(size_t(keys.size())), peerFound(size_t(keys.size()));
    quint64 mostLookups = 0;
    const auto oursRound = [&] {
        double total = 0;
        for (int i = 0; i < keys.size(); ++i) {
            table.first();
            const quint64 before = table.statementCount();
            total += timeMs([&] { mainwin::gotoSearch(table, keys[i], true); });
            mostLookups = std::max(mostLookups, table.statementCount() - before);
            oursFound[size_t(i)] = table.fieldByName(QStringLiteral("ADRE_ID")).asInteger();
        }
        return total / double(keys.size());
    };
    const auto peerRound = [&] {
        double total = 0;
        for (int i = 0; i < keys.size(); ++i) {
            total += timeMs([&] {
                peerSelect.bind(1, keys[i]);
                peerFound[size_t(i)] = peerSelect.step() ? int(peerSelect.integer(0)) : -1;
                peerSelect.reset();
            });
        }
        return total / double(keys.size());
    };
    std::vector<double> oursTimes, peerTimes;
    for (int round = 0; round <= context.rounds; ++round) {
        const double o = oursRound();
        const double p = peerRound();
        if (round > 0) {
            oursTimes.push_back(o);
            peerTimes.push_back(p);
        }
    }

    Row time = ratioRow(QStringLiteral("go-to"), QStringLiteral("ms"), median(oursTimes), median(peerTimes), 1);
    if (oursFound != peerFound)
        time.failures << QStringLiteral("go-to results differ");
    // ceil(log2 65,536) + 2
    Row lookups = limitRow(QStringLiteral("go-to lookups"), QString(), double(mostLookups), 18);
    return {time, lookups};
}

std::vector<Row> memoryFigure(const Context &context)
{
    const auto childPeak = [&](const QString &side) {
        QProcess child;
        child.start(context.executable, {QStringLiteral("--memory"), side, context.programDir});
        child.waitForFinished(5 * 60 * 1000);
        return child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
    };
    std::vector<double> ours, peer;
    const int rounds = std::min(context.rounds, 3);
    for (int round = 0; round < rounds; ++round) {
        ours.push_back(childPeak(QStringLiteral("ours")));
        peer.push_back(childPeak(QStringLiteral("peer")));
    }
    Row row = ratioRow(QStringLiteral("memory"), QStringLiteral("MiB"), median(ours), median(peer), 2);
    if (median(ours) <= 0 || median(peer) <= 0)
        row.failures << QStringLiteral("a memory child process failed");
    return {row};
}

int memoryChild(int argc, char **argv, const QString &side, const QString &programDir)
{
    if (side == QLatin1String("ours")) {
        TourbuchApplication app(argc, argv);
        controls::Modal::setTestMode(true);
        useProgramDirectory(programDir);
        TfrmMain window;
        window.show();
        settle();
        std::printf("%ld\n", peakResidentKiB());
        return mainListRows(window) == Globals::AddressTotal ? 0 : 1;
    }
    QApplication app(argc, argv);
    PeerListWindow window(programDir);
    window.show();
    settle();
    std::printf("%ld\n", peakResidentKiB());
    return 0;
}

} // namespace bench
