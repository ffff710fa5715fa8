// tourbuch-bench: the program's speed and memory beside its peers, on a
// full demo database, in one repeatable run. It measures and reports; it
// exits 0 whether the goals are met or not.
//
//   tourbuch-bench [--rounds N] [--addresses N] [--dir DIR] [--only NAME,...]
//
// --dir keeps the database in DIR (made there when it has none), so that a
// profiler can run one figure again without making it anew.

#include "Bench.h"
#include "Database.h"
#include "Figures.h"

#include "app/Application.h"
#include "controls/Modal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

namespace bench {

std::vector<Figure> allFigures()
{
    return {
        {QStringLiteral("start"), startFigure},
        {QStringLiteral("switch"), switchFigure},
        {QStringLiteral("go-to"), gotoFigure},
        {QStringLiteral("filter"), filterFigure},
        {QStringLiteral("filter-again"), filterAgainFigure},
        {QStringLiteral("rtf"), rtfFigures},
        {QStringLiteral("memory"), memoryFigure},
    };
}

namespace {

QtMessageHandler standardMessageHandler = nullptr;

// The offscreen platform warns about every window shown; nothing to learn there.
void quietOffscreenWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        standardMessageHandler(type, context, message);
}

struct Options {
    int rounds = 5;
    int addresses = 65536;
    QString dir;
    QStringList only;
};

QString number(double value, const QString &unit)
{
    const int decimals = unit.isEmpty() ? 0 : value < 10 ? 2 : 1;
    return QString::number(value, 'f', decimals);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

void printTable(const std::vector<Row> &rows, QTextStream &out)
{
    const QStringList header = {QStringLiteral("figure"), QStringLiteral("ours"), QStringLiteral("peer"),
                                QStringLiteral("ratio"), QStringLiteral("goal"), QStringLiteral("met")};
    std::vector<QStringList> lines{header};
    for (const Row &row : rows) {
        const QString unit = row.unit.isEmpty() ? QString() : QLatin1Char(' ') + row.unit;
        const auto ratio = row.ratio();
        lines.push_back({row.figure, number(row.ours, row.unit) + unit,
                         row.peer ? number(*row.peer, row.unit) + unit : QStringLiteral("-"),
                         ratio ? QString::number(*ratio, 'f', 2) : QStringLiteral("-"), row.goalText(),
                         row.met() ? QStringLiteral("yes") : QStringLiteral("NO")});
    }
    std::vector<qsizetype> widths(header.size(), 0);
    for (const QStringList &line : lines)
        for (qsizetype i = 0; i < line.size(); ++i)
            widths[size_t(i)] = std::max(widths[size_t(i)], line[i].size());
    for (const QStringList &line : lines) {
        QString text;
        for (qsizetype i = 0; i < line.size(); ++i) {
            // Names left, figures right.
            text += i == 0 ? line[i].leftJustified(widths[0]) : QStringLiteral("  ") + line[i].rightJustified(widths[size_t(i)]);
        }
        out << text << '\n';
    }
}

void printMisses(const std::vector<Row> &rows, QTextStream &out)
{
    for (const Row &row : rows) {
        for (const QString &failure : row.failures)
            out << "miss: " << row.figure << ": " << failure << '\n';
        if (row.met() || !row.failures.isEmpty())
            continue;
        const auto ratio = row.ratio();
        const double value = row.ratioGoal ? ratio.value_or(0) : row.ours;
        out << "miss: " << row.figure << ": " << (row.ratioGoal ? "ratio " : "") << number(value, QStringLiteral("x"))
            << " against " << row.goalText();
        if (row.mustGoal && value > *row.mustGoal)
            out << ", above the limit";
        out << '\n';
    }
}

bool parse(const QStringList &args, Options &options)
{
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const QString value = args.value(i + 1);
        if (arg == QLatin1String("--rounds") && value.toInt() > 0)
            options.rounds = value.toInt();
        else if (arg == QLatin1String("--addresses") && value.toInt() > 0)
            options.addresses = value.toInt();
        else if (arg == QLatin1String("--dir") && !value.isEmpty())
            options.dir = value;
        else if (arg == QLatin1String("--only") && !value.isEmpty())
            options.only = value.split(QLatin1Char(','));
        else
            return false;
        ++i;
    }
    return true;
}

int run(int argc, char **argv)
{
    TourbuchApplication app(argc, argv);
    controls::Modal::setTestMode(true);
    QTextStream out(stdout);
    Options options;
    if (!parse(app.arguments(), options)) {
        out << "usage: tourbuch-bench [--rounds N] [--addresses N] [--dir DIR] [--only NAME,...]\nfigures:";
        for (const Figure &figure : allFigures())
            out << ' ' << figure.name;
        out << '\n';
        return 2;
    }

    std::unique_ptr<QTemporaryDir> temporary;
    QString dir = options.dir;
    if (dir.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tourbuch-bench-XXXXXX"));
        dir = temporary->path();
    }
    dir = QDir(dir).absolutePath() + QLatin1Char('/');
    QDir().mkpath(dir);

    Context context;
    context.programDir = dir;
    context.executable = QCoreApplication::applicationFilePath();
    context.rounds = options.rounds;
    context.addresses = options.addresses;

    if (!QFileInfo::exists(dir + QStringLiteral("ADRE.FFD"))) {
        out << "making a demo database of " << options.addresses << " addresses in " << dir << " ..." << Qt::endl;
        makeDemoDatabase(dir, options.addresses);
    }
    chooseCategories(dir);
    useProgramDirectory(dir);
    const filter::FilterResult marks = filter::FilterPass(allFiveRestrictions()).run();
    context.addresses = marks.total;
    out << "addresses: " << marks.total << ", passing the filter with all five restrictions: " << marks.passed
        << "\nrounds: " << context.rounds << " after one warm-up; times are medians\n"
        << "load average before: " << loadAverage() << "\n\n"
        << Qt::flush;

    std::vector<Row> rows;
    for (const Figure &figure : allFigures()) {
        if (!options.only.isEmpty() && !options.only.contains(figure.name))
            continue;
        for (Row &row : figure.measure(context))
            rows.push_back(std::move(row));
    }
    printTable(rows, out);
    out << "\nload average after: " << loadAverage() << "\n";
    printMisses(rows, out);
    return 0;
}

} // namespace

} // namespace bench

int main(int argc, char **argv)
{
    // Windows are measured without a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::standardMessageHandler = qInstallMessageHandler(bench::quietOffscreenWarnings);
    try {
        if (argc == 4 && std::strcmp(argv[1], "--memory") == 0)
            return bench::memoryChild(argc, argv, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        return bench::run(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tourbuch-bench: %s\n", e.what());
        return 1;
    }
}
