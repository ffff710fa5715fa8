#pragma once
// The go-to search without a window: moves an address cursor to the first
// address whose name does not sort before a key. The main window's timer
// runs it; tests and the timing program call it directly.

#include <QString>

namespace data {
class Table;
}

namespace mainwin {

// Over the full list (index AD_ID): halves the interval of address numbers.
// It starts below the first number, so the first address can be the result,
// and probes with a nearest-key lookup, so gaps in the numbering (a table
// edited outside the program) cannot keep it from ending. A key after every
// name ends on the last address. Costs about log2(numbers) key lookups.
void gotoByBisection(data::Table &table, const QString &key);

// Over any view (the filtered list): walks from the current record. Gives
// the same result as the bisection would over the same records.
void gotoByWalk(data::Table &table, const QString &key);

// One search as the "Gehe zu:" field runs it: an empty key goes to the first
// record of the view; otherwise the bisection when the filter is off, else
// the walk. The caller detaches the bound controls.
void gotoSearch(data::Table &table, const QString &key, bool filterOff);

} // namespace mainwin
