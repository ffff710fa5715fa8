#include "Bench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>

namespace bench {

std::optional<double> Row::ratio() const
{
    if (!peer || *peer <= 0)
        return std::nullopt;
    return ours / *peer;
}

bool Row::met() const
{
    if (!failures.isEmpty())
        return false;
    if (!ratioGoal)
        return ours <= goal;
    const auto r = ratio();
    return r && *r <= goal;
}

QString Row::goalText() const
{
    QString text = QStringLiteral("≤ %1").arg(goal);
    if (!ratioGoal && !unit.isEmpty())
        text += QLatin1Char(' ') + unit;
    if (mustGoal)
        text += QStringLiteral(" (must ≤ %1)").arg(*mustGoal);
    return text;
}

Row ratioRow(const QString &figure, const QString &unit, double ours, double peer, double goal)
{
    Row row;
    row.figure = figure;
    row.unit = unit;
    row.ours = ours;
    row.peer = peer;
    row.goal = goal;
    return row;
}

Row limitRow(const QString &figure, const QString &unit, double ours, double limit)
{
    Row row = ratioRow(figure, unit, ours, 0, limit);
    row.peer.reset();
    row.ratioGoal = false;
    return row;
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

PairTimes timePair(int rounds, const std::function<void()> &prepareOurs, const std::function<void()> &ours,
                   const std::function<void()> &preparePeer, const std::function<void()> &peer)
{
    PairTimes times;
    for (int round = 0; round <= rounds; ++round) {
        if (prepareOurs)
            prepareOurs();
        const double oursMs = timeMs(ours);
        if (preparePeer)
            preparePeer();
        const double peerMs = timeMs(peer);
        if (round == 0)
            continue;   // warm-up
        times.ours.push_back(oursMs);
        times.peer.push_back(peerMs);
    }
    return times;
}

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace bench
