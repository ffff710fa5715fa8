#pragma once
// The figures of the table, one function each.

#include "Bench.h"

namespace bench {

std::vector<Row> startFigure(const Context &context);
std::vector<Row> switchFigure(const Context &context);
std::vector<Row> gotoFigure(const Context &context);
std::vector<Row> filterFigure(const Context &context);
std::vector<Row> filterAgainFigure(const Context &context);
std::vector<Row> rtfFigures(const Context &context);
std::vector<Row> memoryFigure(const Context &context);

// The child process of the memory figure: opens the main window ("ours") or
// the bare list window ("peer") on the directory and prints its peak
// resident memory in KiB. Returns the exit code.
int memoryChild(int argc, char **argv, const QString &side, const QString &programDir);

} // namespace bench
