// The filter pass beside one UPDATE statement over the attached table files
// that computes the same verdicts.

#include "Database.h"
#include "Figures.h"
#include "Sql.h"

#include "filter/FilterRun.h"

#include <sqlite3.h>
#include <vector>

namespace bench {

namespace {

// The peer: its own connection to ADRE with the other files attached.
class PeerFilter {
public:
    explicit PeerFilter(const QString &programDir) : m_db(programDir + QStringLiteral("ADRE.FFD"))
    {
        for (const char *table : {"ADRA", "ADST", "ADLO", "ATYP", "RAUM", "STIL", "LOKA"})
            m_db.exec(QStringLiteral("ATTACH '%1%2.FFD' AS %2").arg(programDir, QLatin1String(table)));
        // Marks are 0 or 1 (the pass writes nothing else), so flipping a
        // mark that differs from the verdict writes the verdict.
        m_update = QStringLiteral("UPDATE ADRE SET ADRE_SEL = 1 - ADRE_SEL WHERE ADRE_SEL IS NOT %1")
                       .arg(verdictSql(allFiveRestrictions()));
    }

    // One transaction, like the pass; returns the number of marks written.
    int run()
    {
        m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
        m_db.exec(m_update);
        const int changed = sqlite3_changes(m_db.handle());
        m_db.exec(QStringLiteral("COMMIT"));
        return changed;
    }

    // Only marks that are set: rewriting every record would make the
    // untimed part of a round several times longer than the timed one.
    void resetMarks() { m_db.exec(QStringLiteral("UPDATE ADRE SET ADRE_SEL = 0 WHERE ADRE_SEL IS NOT 0")); }

    std::vector<int> marks()
    {
        std::vector<int> result;
        SqlStatement select(m_db.handle(), QStringLiteral("SELECT ADRE_SEL FROM ADRE ORDER BY ADRE_ID"));
        while (select.step())
            result.push_back(int(select.integer(0)));
        return result;
    }

private:
    SqlDatabase m_db;
    QString m_update;
};

QString verdictCheck(const std::vector<int> &ours, const std::vector<int> &peer)
{
    return ours == peer && !ours.empty() ? QString() : QStringLiteral("verdicts differ");
}

} // namespace

std::vector<Row> filterFigure(const Context &context)
{
    PeerFilter peer(context.programDir);
    std::vector<int> oursMarks;
    int oursChanged = 0, peerChanged = 0;
    const PairTimes times = timePair(
        context.rounds, [&] { peer.resetMarks(); },
        [&] { oursChanged = filter::FilterPass(allFiveRestrictions()).run().changed; },
        [&] {
            oursMarks = peer.marks();
            peer.resetMarks();
        },
        [&] { peerChanged = peer.run(); });
    Row row = ratioRow(QStringLiteral("filter"), QStringLiteral("ms"), median(times.ours), median(times.peer), 1);
    row.mustGoal = 2;
    if (const QString problem = verdictCheck(oursMarks, peer.marks()); !problem.isEmpty())
        row.failures << problem;
    if (oursChanged != peerChanged)
        row.failures << QStringLiteral("marks written differ: %1 and %2").arg(oursChanged).arg(peerChanged);
    return {row};
}

std::vector<Row> filterAgainFigure(const Context &context)
{
    PeerFilter peer(context.programDir);
    peer.resetMarks();
    filter::FilterPass(allFiveRestrictions()).run();
    const std::vector<int> settled = peer.marks();
    int oursChanged = 0, peerChanged = 0;
    const PairTimes times = timePair(
        context.rounds, nullptr,
        [&] { oursChanged += filter::FilterPass(allFiveRestrictions()).run().changed; }, nullptr,
        [&] { peerChanged += peer.run(); });
    Row row = ratioRow(QStringLiteral("filter again"), QStringLiteral("ms"), median(times.ours), median(times.peer), 1);
    if (const QString problem = verdictCheck(settled, peer.marks()); !problem.isEmpty())
        row.failures << problem;
    if (oursChanged != 0 || peerChanged != 0)
        row.failures << QStringLiteral("a repeated run wrote marks (%1 and %2)").arg(oursChanged).arg(peerChanged);
    return {row};
}

} // namespace bench
