#pragma once
// The filter pass: decides for every address whether it passes the filter
// and stores the verdict in ADRE_SEL. No window: the progress window, the
// definition dialog and tourbuch-db all run this same code.

#include <QString>
#include <functional>

namespace filter {

// Which tests apply, and the postal-code bounds (both inclusive).
struct FilterFlags {
    bool FilterATyp = false;
    bool FilterRaum = false;
    bool FilterStil = false;
    bool FilterLoka = false;
    bool FilterPLZ = false;
    int PLZFrom = 1;
    int PLZTo = 99999;
};

struct FilterResult {
    int total = 0;          // addresses visited
    int passed = 0;         // addresses marked 1
    int changed = 0;        // records whose mark was written
    int categoryReads = 0;  // category records read (each at most once)
};

enum class Category { ATyp, Raum, Stil, Loka };

// Number of records of a category table.
int CountCategoryTotal(Category category);
// Number of chosen entries (SEL = 1, ID 0..65535), counted through the SEL index.
int CountCategoryChosen(Category category);

// The flags as the definition dialog decides them from the "alle" settings:
// a category is restricted only when fewer entries are chosen than exist.
FilterFlags FlagsFromSettings(bool allATyp, bool allRaum, bool allStil, bool allLoka, bool allPLZ, int plzFrom,
                              int plzTo);

class FilterPass {
public:
    // Called now and then with the number of addresses begun and the total;
    // never more often than every few milliseconds.
    using Progress = std::function<void(int done, int total)>;

    explicit FilterPass(const FilterFlags &flags) : m_flags(flags) {}
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // One transaction: on an error (thrown as data::DatabaseError) every
    // mark keeps the value it had before the run.
    FilterResult run();

private:
    FilterFlags m_flags;
    Progress m_progress;
};

} // namespace filter
