#pragma once
// The benchmark's database: a full demo database made by tourbuch-db in a
// program directory of its own, with the category choices of a real user.

#include "filter/FilterRun.h"

#include <QString>

namespace bench {

// Makes the demo database with this many addresses in the directory.
// Throws std::runtime_error when tourbuch-db fails.
void makeDemoDatabase(const QString &programDir, int addresses);

// Chooses part of the entries of every category, so that the filter with
// all five restrictions lets a quarter of the addresses pass.
void chooseCategories(const QString &programDir);

// The filter with all five restrictions on.
filter::FilterFlags allFiveRestrictions();

// The verdict of the filter pass for every address in one SQL expression
// over the attached category and link files (ADRE is the main table).
QString verdictSql(const filter::FilterFlags &flags);

// Points the program's table engine and settings at the directory.
void useProgramDirectory(const QString &programDir);

} // namespace bench
