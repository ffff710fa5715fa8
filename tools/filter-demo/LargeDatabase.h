#pragma once
// A large made-up address database for timing and crash tests: every table
// file, addresses with postal codes, types and links spread evenly.

#include <QString>

namespace filterdemo {

// Creates the table files in `dir` (which must hold none yet).
void makeLargeDatabase(const QString &dir, int addresses);

} // namespace filterdemo
