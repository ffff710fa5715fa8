#pragma once
#include <QString>

namespace data {

// The order of address names: German, locale-aware and case-insensitive,
// fixed to one locale so the stored order never depends on the user's.
// Negative when a sorts before b, 0 when equal, positive after.
int compareNames(const QString &a, const QString &b);

inline bool nameSortsBefore(const QString &name, const QString &key)
{
    return compareNames(name, key) < 0;
}

} // namespace data
