#pragma once
// The benchmark's frame: a figure is a small function that measures our
// side and its peer and returns one or more rows of the result table.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

// What every figure may use: the program directory with the database and
// how often to repeat each measurement after the warm-up.
struct Context {
    QString programDir;     // ends in '/'
    QString executable;     // this program, for the child processes
    int rounds = 5;
    int addresses = 0;
};

// One row of the table. A ratio goal compares ours with the peer; an
// absolute goal compares ours alone (the peer column then stays empty).
struct Row {
    QString figure;
    QString unit;           // "ms", "MiB", "" for a count
    double ours = 0;
    std::optional<double> peer;
    double goal = 1;
    bool ratioGoal = true;
    std::optional<double> mustGoal;   // a hard limit beside the wish
    QStringList failures;             // checks that failed besides the goal

    std::optional<double> ratio() const;
    bool met() const;
    QString goalText() const;
};

// A row whose goal is a ratio ours/peer, and one whose goal is a limit on ours.
Row ratioRow(const QString &figure, const QString &unit, double ours, double peer, double goal);
Row limitRow(const QString &figure, const QString &unit, double ours, double limit);

struct Figure {
    QString name;           // for --only
    std::function<std::vector<Row>(const Context &)> measure;
};

// Median of the samples; 0 for none.
double median(std::vector<double> samples);

// Milliseconds one call of the work takes.
double timeMs(const std::function<void()> &work);

// Our side and the peer, alternating in every round so that a load change
// hits both alike. Each side's prepare runs untimed before its work; the
// first round is a warm-up and not kept.
struct PairTimes {
    std::vector<double> ours, peer;
};
PairTimes timePair(int rounds, const std::function<void()> &prepareOurs, const std::function<void()> &ours,
                   const std::function<void()> &preparePeer, const std::function<void()> &peer);

// Lets the event loop paint what is pending.
void settle();

// The figures in the order of the table.
std::vector<Figure> allFigures();

// Peak resident memory of this process in KiB (VmHWM), -1 when unknown.
long peakResidentKiB();

} // namespace bench
