#include "GotoSearch.h"

#include "data/NameOrder.h"
#include "data/Table.h"

namespace mainwin {

namespace {

const QString NameField = QStringLiteral("ADRE_NAME");
const QString IdField = QStringLiteral("ADRE_ID");

bool currentSortsBefore(data::Table &table, const QString &key)
{
    return data::nameSortsBefore(table.fieldByName(NameField).asString(), key);
}

int currentId(data::Table &table)
{
    return table.fieldByName(IdField).asInteger();
}

} // namespace

void gotoByBisection(data::Table &table, const QString &key)
{
    if (table.isEmpty())
        return;
    // Every existing number <= low sorts before the key, every existing
    // number >= high does not; the bounds start outside the numbers in use.
    long long low = -1;
    long long high = 0;
    // The record current at the start (normally the previous result) is the
    // first probe, so a repeated search narrows at once.
    if (currentSortsBefore(table, key)) {
        low = currentId(table);
        table.last();
        if (currentSortsBefore(table, key))
            low = currentId(table);   // after every name: the last address
        high = static_cast<long long>(currentId(table)) + (low == currentId(table) ? 1 : 0);
    } else {
        high = currentId(table);
    }
    while (high - low > 1) {
        const long long probe = low + (high - low) / 2;
        table.findNearest({int(probe)});
        const long long found = currentId(table);
        if (found >= probe && currentSortsBefore(table, key))
            low = found;
        else
            high = probe;   // numbers from the probe up to the found one are unused
    }
    // The first address not before the key; past the end, the last address.
    table.findNearest({int(high)});
}

void gotoByWalk(data::Table &table, const QString &key)
{
    if (table.isEmpty()) {
        table.next();   // sets eof at once, changes nothing
        return;
    }
    if (currentSortsBefore(table, key)) {
        do
            table.next();
        while (!table.eof() && currentSortsBefore(table, key));
    } else {
        do
            table.prior();
        while (!table.bof() && !currentSortsBefore(table, key));
        if (!table.bof())
            table.next();
    }
}

void gotoSearch(data::Table &table, const QString &key, bool filterOff)
{
    if (key.isEmpty())
        table.first();
    else if (filterOff)
        gotoByBisection(table, key);
    else
        gotoByWalk(table, key);
}

} // namespace mainwin
