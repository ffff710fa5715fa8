#include "FilterRun.h"

#include "data/DatabaseError.h"
#include "data/Session.h"
#include "data/Table.h"

#include <QElapsedTimer>
#include <QHash>
#include <sqlite3.h>
#include <memory>
#include <utility>
#include <vector>

namespace filter {

namespace {

const QString DatabaseName = QStringLiteral("Tourbuch");

struct CategoryNames {
    QString table, idField, selField, idIndex, selIndex, linkTable;
};

CategoryNames namesOf(Category category)
{
    switch (category) {
    case Category::ATyp: return {"ATYP", "ATYP_ID", "ATYP_SEL", "AT_ID", "AT_SEL", QString()};
    case Category::Raum: return {"RAUM", "RAUM_ID", "RAUM_SEL", "RA_ID", "RA_SEL", "ADRA"};
    case Category::Stil: return {"STIL", "STIL_ID", "STIL_SEL", "ST_ID", "ST_SEL", "ADST"};
    case Category::Loka: return {"LOKA", "LOKA_ID", "LOKA_SEL", "LO_ID", "LO_SEL", "ADLO"};
    }
    return {};
}

[[noreturn]] void failSql(sqlite3 *db, const QString &table)
{
    throw data::DatabaseError(QStringLiteral("Der Filter kann nicht gesetzt werden: Tabelle \"%1\": %2")
                                  .arg(table, data::sqliteMessage(db)));
}

[[noreturn]] void failInteger(const QString &text, const QString &field, const QString &table)
{
    throw data::DatabaseError(QStringLiteral("\"%1\" ist kein gültiger ganzzahliger Wert für das Feld \"%2\" "
                                             "der Tabelle \"%3\".")
                                  .arg(text, field, table));
}

class Statement {
public:
    Statement(sqlite3 *db, const QString &sql, const QString &table) : m_db(db), m_table(table)
    {
        if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            failSql(db, table);
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_stmt; }
    // True for a row, false at the end.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            failSql(m_db, m_table);
        return false;
    }
    void reset()
    {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }

private:
    sqlite3 *m_db;
    QString m_table;
    sqlite3_stmt *m_stmt = nullptr;
};

// A column read as a whole number the way a field's asInteger reads it:
// empty (NULL) gives 0, a text must hold a whole number. False otherwise.
bool columnInteger(sqlite3_stmt *stmt, int col, int &out)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_NULL: out = 0; return true;
    case SQLITE_INTEGER: out = int(sqlite3_column_int64(stmt, col)); return true;
    case SQLITE_FLOAT: out = int(sqlite3_column_double(stmt, col)); return true;
    default: break;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, col));
    const int length = sqlite3_column_bytes(stmt, col);
    // Postal codes are almost always plain digits: read those without a QString.
    int i = 0, end = length;
    while (i < end && text[i] == ' ')
        ++i;
    while (end > i && text[end - 1] == ' ')
        --end;
    if (end - i >= 1 && end - i <= 9) {
        int value = 0;
        int k = i;
        while (k < end && text[k] >= '0' && text[k] <= '9')
            value = value * 10 + (text[k++] - '0');
        if (k == end) {
            out = value;
            return true;
        }
    }
    bool ok = false;
    out = QString::fromUtf8(text, length).trimmed().toInt(&ok);
    return ok;
}

QString columnText(sqlite3_stmt *stmt, int col)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                             sqlite3_column_bytes(stmt, col));
}

std::shared_ptr<data::Connection> connectTable(const QString &table)
{
    data::Session &session = data::Session::instance();
    return session.connect(session.tableFilePath(DatabaseName, table), table);
}

// The selection memo of one category: each record is read at most once per
// run. An ID without a record counts as not chosen, every time; so does a
// SEL value other than 1, which the selection dialogs show in neither list.
class SelectionMemo {
public:
    SelectionMemo(Category category, sqlite3 *db, int &reads)
        : m_names(namesOf(category)),
          m_lookup(db,
                   QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?1 ORDER BY %3 LIMIT 1")
                       .arg(m_names.selField, m_names.table, m_names.idField),
                   m_names.table),
          m_reads(reads)
    {
    }

    int LookupSel(int id)
    {
        const auto hit = m_memo.constFind(id);
        if (hit != m_memo.constEnd())
            return *hit;
        int sel = 0;
        sqlite3_bind_int64(m_lookup.get(), 1, id);
        if (m_lookup.step()) {
            ++m_reads;
            if (!columnInteger(m_lookup.get(), 0, sel))
                failInteger(columnText(m_lookup.get(), 0), m_names.selField, m_names.table);
        }
        m_lookup.reset();
        const int value = sel == 1 ? 1 : 0;
        m_memo.insert(id, value);
        return value;
    }

private:
    CategoryNames m_names;
    Statement m_lookup;
    int &m_reads;
    QHash<int, int> m_memo;
};

// The links of one kind, walked in address order beside the addresses, so
// that each link record is stepped over at most once in an ordinary run.
// Links with a category ID below 0 are never reached, just as a search for
// the address's first link at (address, 0) would not reach them.
class LinkWalk {
public:
    LinkWalk(Category category, sqlite3 *db, SelectionMemo &memo)
        : m_names(namesOf(category)),
          m_links(db,
                  QStringLiteral("SELECT ADRE_ID, %1 FROM %2 WHERE ADRE_ID >= ?1 AND %1 >= 0 "
                                 "ORDER BY ADRE_ID, %1")
                      .arg(m_names.idField, m_names.linkTable),
                  m_names.linkTable),
          m_memo(memo)
    {
    }

    // Whether some link of the address leads to a chosen entry.
    int anyLink(int address)
    {
        seek(address);
        int r = 0;
        while (r == 0 && !m_atEnd && m_address == address) {
            int id = 0;
            if (!columnInteger(m_links.get(), 1, id))
                failInteger(columnText(m_links.get(), 1), m_names.idField, m_names.linkTable);
            r = m_memo.LookupSel(id);
            advance();
        }
        return r;
    }

private:
    void seek(int address)
    {
        if (!m_started || address < m_sought) {
            // first use, or addresses out of order: search afresh
            m_links.reset();
            sqlite3_bind_int64(m_links.get(), 1, address);
            m_started = true;
            m_atEnd = false;
            advance();
        }
        m_sought = address;
        while (!m_atEnd && m_address < address)
            advance();
    }

    void advance()
    {
        if (!m_links.step()) {
            m_atEnd = true;
            return;
        }
        // A text address ID sorts after every number: no address reaches it.
        if (sqlite3_column_type(m_links.get(), 0) != SQLITE_INTEGER) {
            m_atEnd = true;
            return;
        }
        m_address = sqlite3_column_int64(m_links.get(), 0);
    }

    CategoryNames m_names;
    Statement m_links;
    SelectionMemo &m_memo;
    bool m_started = false;
    bool m_atEnd = true;
    qint64 m_address = 0;
    int m_sought = 0;
};

} // namespace

namespace {
// Records of a category table in an index, all or within a range.
int countCategory(const QString &table, const QString &index, bool chosenOnly)
{
    data::Table t;
    t.setTableName(table);
    t.setIndexName(index);
    t.open();
    if (chosenOnly)
        t.setRange({1, 0}, {1, 65535});
    const int count = t.recordCount();
    t.close();
    return count;
}
} // namespace

int CountCategoryTotal(Category category)
{
    const CategoryNames n = namesOf(category);
    return countCategory(n.table, n.idIndex, false);
}

int CountCategoryChosen(Category category)
{
    const CategoryNames n = namesOf(category);
    return countCategory(n.table, n.selIndex, true);
}

FilterFlags FlagsFromSettings(bool allATyp, bool allRaum, bool allStil, bool allLoka, bool allPLZ, int plzFrom,
                              int plzTo)
{
    const auto restricted = [](bool all, Category c) {
        return !all && CountCategoryChosen(c) < CountCategoryTotal(c);
    };
    FilterFlags flags;
    flags.FilterATyp = restricted(allATyp, Category::ATyp);
    flags.FilterRaum = restricted(allRaum, Category::Raum);
    flags.FilterStil = restricted(allStil, Category::Stil);
    flags.FilterLoka = restricted(allLoka, Category::Loka);
    flags.FilterPLZ = !allPLZ;
    flags.PLZFrom = plzFrom;
    flags.PLZTo = plzTo;
    return flags;
}

FilterResult FilterPass::run()
{
    // Every table of the run must be there, even those no test reads.
    const auto adre = connectTable(QStringLiteral("ADRE"));
    const auto adra = connectTable(QStringLiteral("ADRA"));
    const auto adlo = connectTable(QStringLiteral("ADLO"));
    const auto adst = connectTable(QStringLiteral("ADST"));
    const auto atyp = connectTable(QStringLiteral("ATYP"));
    const auto raum = connectTable(QStringLiteral("RAUM"));
    const auto stil = connectTable(QStringLiteral("STIL"));
    const auto loka = connectTable(QStringLiteral("LOKA"));

    FilterResult result;
    const QString adreName = QStringLiteral("ADRE");
    sqlite3 *db = adre->handle();

    data::Transaction transaction(*adre);
    {
        Statement count(db, QStringLiteral("SELECT count(*) FROM ADRE"), adreName);
        count.step();
        result.total = int(sqlite3_column_int64(count.get(), 0));
    }

    std::unique_ptr<SelectionMemo> memoATyp, memoRaum, memoStil, memoLoka;
    std::unique_ptr<LinkWalk> walkRaum, walkStil, walkLoka;
    if (m_flags.FilterATyp)
        memoATyp = std::make_unique<SelectionMemo>(Category::ATyp, atyp->handle(), result.categoryReads);
    if (m_flags.FilterRaum) {
        memoRaum = std::make_unique<SelectionMemo>(Category::Raum, raum->handle(), result.categoryReads);
        walkRaum = std::make_unique<LinkWalk>(Category::Raum, adra->handle(), *memoRaum);
    }
    if (m_flags.FilterStil) {
        memoStil = std::make_unique<SelectionMemo>(Category::Stil, stil->handle(), result.categoryReads);
        walkStil = std::make_unique<LinkWalk>(Category::Stil, adst->handle(), *memoStil);
    }
    if (m_flags.FilterLoka) {
        memoLoka = std::make_unique<SelectionMemo>(Category::Loka, loka->handle(), result.categoryReads);
        walkLoka = std::make_unique<LinkWalk>(Category::Loka, adlo->handle(), *memoLoka);
    }

    // Marks to write, kept until the walk is over so that no write ever
    // touches the table under the reading statement.
    std::vector<std::pair<qint64, int>> changes;
    QElapsedTimer sinceReport;
    sinceReport.start();
    if (m_progress)
        m_progress(0, result.total);
    {
        Statement addresses(db,
                            QStringLiteral("SELECT rowid, ADRE_ID, ADRE_PLZ, ADRE_TYP, ADRE_SEL FROM ADRE "
                                           "ORDER BY ADRE_ID"),
                            adreName);
        sqlite3_stmt *row = addresses.get();
        int done = 0;
        while (addresses.step()) {
            ++done;
            if (m_progress && (done & 255) == 0 && sinceReport.elapsed() >= 40) {
                m_progress(done, result.total);
                sinceReport.restart();
            }
            int id = 0;
            if (!columnInteger(row, 1, id))
                failInteger(columnText(row, 1), QStringLiteral("ADRE_ID"), adreName);

            int v = 1;
            if (m_flags.FilterPLZ) {
                // An empty or unreadable postal code fails a postal-code restriction.
                int plz = 0;
                if (sqlite3_column_type(row, 2) == SQLITE_NULL || !columnInteger(row, 2, plz))
                    v = 0;
                else if (plz < m_flags.PLZFrom || plz > m_flags.PLZTo)
                    v = 0;
            }
            const bool typeNeeded = v == 1 && (m_flags.FilterATyp || m_flags.FilterStil || m_flags.FilterLoka);
            int type = 0;
            if (typeNeeded && !columnInteger(row, 3, type))
                failInteger(columnText(row, 3), QStringLiteral("ADRE_TYP"), adreName);
            if (v == 1 && m_flags.FilterATyp)
                v = memoATyp->LookupSel(type);
            if (v == 1 && m_flags.FilterRaum)
                v = walkRaum->anyLink(id);
            if (v == 1 && m_flags.FilterStil)
                v = (type == 1 || type == 3) ? walkStil->anyLink(id) : 0;
            if (v == 1 && m_flags.FilterLoka && type == 3)
                v = walkLoka->anyLink(id);

            int old = 0;
            if (!columnInteger(row, 4, old))
                failInteger(columnText(row, 4), QStringLiteral("ADRE_SEL"), adreName);
            if (old != v)
                changes.emplace_back(sqlite3_column_int64(row, 0), v);
            result.passed += v;
        }
    }
    if (m_progress)
        m_progress(result.total, result.total);

    if (!changes.empty()) {
        Statement update(db, QStringLiteral("UPDATE ADRE SET ADRE_SEL = ?1 WHERE rowid = ?2"), adreName);
        for (const auto &[rowid, value] : changes) {
            sqlite3_bind_int(update.get(), 1, value);
            sqlite3_bind_int64(update.get(), 2, rowid);
            update.step();
            sqlite3_reset(update.get());
        }
    }
    result.changed = int(changes.size());
    transaction.commit();
    return result;
}

} // namespace filter
