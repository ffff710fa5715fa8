// tourbuch-db check: the schema of every table file and the rules the
// program relies on when it reads the addresses.

#include "Commands.h"
#include "Console.h"
#include "Statement.h"

#include "data/DatabaseError.h"
#include "data/NameOrder.h"
#include "data/Schema.h"
#include "data/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <map>
#include <memory>
#include <optional>
#include <sqlite3.h>

namespace tourbuchdb {

namespace {

constexpr int maxAddresses = 65536;
// Beyond this many findings of one kind the rest are only counted.
constexpr int linesPerKind = 50;

class Report {
public:
    void error(const QString &kind, const QString &text) { add(kind, QStringLiteral("Fehler: "), text, m_errors); }
    void hint(const QString &kind, const QString &text) { add(kind, QStringLiteral("Hinweis: "), text, m_hints); }

    // Prints how many findings of each kind were not printed.
    void finish()
    {
        for (auto it = m_perKind.cbegin(); it != m_perKind.cend(); ++it)
            if (it->second > linesPerKind)
                standardOutput() << QStringLiteral("... und %1 weitere Meldungen der Art \"%2\".\n")
                                        .arg(it->second - linesPerKind)
                                        .arg(it->first);
    }
    int errors() const { return m_errors; }
    int hints() const { return m_hints; }

private:
    void add(const QString &kind, const QString &prefix, const QString &text, int &counter)
    {
        ++counter;
        if (++m_perKind[kind] <= linesPerKind)
            standardOutput() << prefix << text << QLatin1Char('\n');
    }

    std::map<QString, int> m_perKind;
    int m_errors = 0;
    int m_hints = 0;
};

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// --- schema ---

struct OpenTable {
    std::unique_ptr<data::Connection> connection;
    bool usable = false;   // the table and every column exist
};

std::unique_ptr<data::Connection> openReadOnly(const QString &path)
{
    sqlite3 *db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    auto connection = std::make_unique<data::Connection>(db, path);
    if (rc != SQLITE_OK)
        throw data::DatabaseError(data::sqliteMessage(db));
    Statement probe(*connection, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    probe.step();
    return connection;
}

bool checkColumns(data::Connection &connection, const data::TableDef &def, const QString &file, Report &report)
{
    Statement info(connection, QStringLiteral("PRAGMA table_info(\"%1\")").arg(def.name));
    QHash<QString, QString> types;   // upper-case name -> declared type
    QStringList order;
    while (info.step()) {
        types.insert(info.text(1).toUpper(), info.text(2).toUpper());
        order << info.text(1);
    }
    if (order.isEmpty()) {
        report.error(QStringLiteral("Tabelle fehlt"),
                     QStringLiteral("%1 enthält keine Tabelle %2.").arg(file, def.name));
        return false;
    }
    bool complete = true;
    for (const data::ColumnDef &column : def.columns) {
        const auto found = types.constFind(column.name);
        const QString expected = column.kind == data::FieldKind::Integer ? QStringLiteral("INTEGER")
                                 : column.kind == data::FieldKind::Graphic ? QStringLiteral("BLOB")
                                                                           : QStringLiteral("TEXT");
        if (found == types.constEnd()) {
            report.error(QStringLiteral("Spalte fehlt"),
                         QStringLiteral("%1: die Spalte %2 fehlt in der Tabelle %3.").arg(file, column.name, def.name));
            complete = false;
        } else if (*found != expected) {
            report.error(QStringLiteral("Spaltentyp"),
                         QStringLiteral("%1: die Spalte %2 hat den Typ %3 statt %4.")
                             .arg(file, column.name, found->isEmpty() ? QStringLiteral("(keinen)") : *found, expected));
        }
    }
    for (const QString &name : order)
        if (!def.column(name))
            report.hint(QStringLiteral("Spalte überzählig"),
                        QStringLiteral("%1: die Spalte %2 gehört nicht zur Tabelle %3 und wird nicht gelesen.")
                            .arg(file, name, def.name));
    return complete;
}

void checkIndexes(data::Connection &connection, const data::TableDef &def, const QString &file, Report &report)
{
    struct Found {
        QString name;
        bool unique;
    };
    QHash<QString, Found> indexes;   // upper-case name -> index
    {
        Statement list(connection, QStringLiteral("PRAGMA index_list(\"%1\")").arg(def.name));
        while (list.step())
            indexes.insert(list.text(1).toUpper(), {list.text(1), list.integer(2) != 0});
    }
    for (const data::IndexDef &expected : def.indexes) {
        const auto found = indexes.constFind(expected.name.toUpper());
        if (found == indexes.constEnd()) {
            report.error(QStringLiteral("Index fehlt"),
                         QStringLiteral("%1: der Index %2 (%3) fehlt.")
                             .arg(file, expected.name, expected.columns.join(QStringLiteral(", "))));
            continue;
        }
        QStringList keys;
        Statement info(connection, QStringLiteral("PRAGMA index_info(\"%1\")").arg(found->name));
        while (info.step())
            keys << info.text(2);
        const QStringList &expectedKeys = expected.columns;
        if (keys.join(QLatin1Char(',')).toUpper() != expectedKeys.join(QLatin1Char(',')).toUpper())
            report.error(QStringLiteral("Indexschlüssel"),
                         QStringLiteral("%1: der Index %2 hat den Schlüssel (%3) statt (%4).")
                             .arg(file, expected.name, keys.join(QStringLiteral(", ")),
                                  expectedKeys.join(QStringLiteral(", "))));
        if (found->unique != expected.unique)
            report.error(QStringLiteral("Index eindeutig"),
                         expected.unique
                             ? QStringLiteral("%1: der Index %2 muss eindeutig (UNIQUE) sein.").arg(file, expected.name)
                             : QStringLiteral("%1: der Index %2 darf nicht eindeutig (UNIQUE) sein.").arg(file, expected.name));
    }
}

// --- contents ---

struct Address {
    std::optional<qint64> id;
    qint64 ref;
    QString name;
    qint64 type, sel, studio, band, label;
};

QString described(const Address &a)
{
    return QStringLiteral("ADRE_ID %1 %2").arg(a.id ? QString::number(*a.id) : QStringLiteral("(leer)"), quoted(a.name));
}

std::vector<Address> readAddresses(data::Connection &connection)
{
    std::vector<Address> addresses;
    // Rows without ADRE_ID come first, then ascending ID: the list order.
    Statement select(connection, QStringLiteral("SELECT ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_TYP, ADRE_SEL, STUD_ID, "
                                                "BAND_ID, LABE_ID FROM ADRE ORDER BY ADRE_ID, rowid"));
    while (select.step())
        addresses.push_back({select.isNull(0) ? std::nullopt : std::optional<qint64>(select.integer(0)),
                             select.integer(1), select.text(2), select.integer(3), select.integer(4),
                             select.integer(5), select.integer(6), select.integer(7)});
    return addresses;
}

void checkAddressIds(const std::vector<Address> &addresses, Report &report)
{
    const qint64 total = qint64(addresses.size());
    if (total > maxAddresses)
        report.error(QStringLiteral("zu viele Adressen"),
                     QStringLiteral("ADRE enthält %1 Adressen, höchstens %2 sind möglich.").arg(total).arg(maxAddresses));
    const auto missing = [&report](qint64 from, qint64 to) {
        report.error(QStringLiteral("ADRE_ID fehlt"),
                     from == to ? QStringLiteral("ADRE_ID %1 fehlt (die IDs müssen lückenlos 0 bis Anzahl-1 sein).").arg(from)
                                : QStringLiteral("ADRE_ID %1 bis %2 fehlen (die IDs müssen lückenlos 0 bis Anzahl-1 sein).")
                                      .arg(from)
                                      .arg(to));
    };
    qint64 expected = 0;
    std::optional<qint64> previous;
    for (const Address &a : addresses) {
        if (!a.id) {
            report.error(QStringLiteral("ADRE_ID leer"), QStringLiteral("Die Adresse %1 hat keine ADRE_ID.").arg(quoted(a.name)));
            continue;
        }
        const qint64 id = *a.id;
        if (previous && id == *previous) {
            report.error(QStringLiteral("ADRE_ID doppelt"), QStringLiteral("ADRE_ID %1 kommt mehrfach vor (%2).").arg(id).arg(quoted(a.name)));
        } else if (id < 0 || id >= total) {
            report.error(QStringLiteral("ADRE_ID außerhalb"),
                         QStringLiteral("%1 liegt außerhalb von 0 bis %2.").arg(described(a)).arg(total - 1));
        } else {
            if (id > expected)
                missing(expected, id - 1);
            expected = id + 1;
        }
        previous = id;
    }
    if (expected < total)
        missing(expected, total - 1);
}

void checkNameOrder(const std::vector<Address> &addresses, Report &report)
{
    const Address *previous = nullptr;
    for (const Address &a : addresses) {
        if (!a.id)
            continue;
        if (previous && data::compareNames(previous->name, a.name) > 0)
            report.error(QStringLiteral("Namensfolge"),
                         QStringLiteral("%1 steht vor %2 (die Namen müssen in ID-Folge alphabetisch sein).")
                             .arg(described(*previous), described(a)));
        previous = &a;
    }
}

void checkReferences(const std::vector<Address> &addresses, Report &report)
{
    QHash<qint64, const Address *> byRef;
    for (const Address &a : addresses) {
        if (a.ref == 0) {
            report.error(QStringLiteral("ADRE_REF 0"), QStringLiteral("%1: ADRE_REF ist 0 oder leer.").arg(described(a)));
            continue;
        }
        const auto first = byRef.constFind(a.ref);
        if (first != byRef.constEnd())
            report.error(QStringLiteral("ADRE_REF doppelt"),
                         QStringLiteral("ADRE_REF %1 kommt mehrfach vor: %2 und %3.")
                             .arg(a.ref)
                             .arg(described(**first), described(a)));
        else
            byRef.insert(a.ref, &a);
    }
}

void checkSelection(const std::vector<Address> &addresses, Report &report)
{
    for (const Address &a : addresses)
        if (a.sel != 0 && a.sel != 1)
            report.error(QStringLiteral("ADRE_SEL"), QStringLiteral("%1: ADRE_SEL ist %2 statt 0 oder 1.").arg(described(a)).arg(a.sel));
}

// IDs of a category table; entries with an unusable ID are reported.
QSet<qint64> readCategory(data::Connection &connection, const QString &table, Report &report)
{
    QSet<qint64> ids;
    Statement select(connection, QStringLiteral("SELECT %1_ID, %1_NAME, %1_SEL FROM %1 ORDER BY %1_ID").arg(table));
    while (select.step()) {
        const qint64 id = select.integer(0);
        const QString entry = QStringLiteral("%1 %2 %3").arg(table).arg(id).arg(quoted(select.text(1)));
        if (select.isNull(0) || id < 1)
            report.error(table + QStringLiteral("_ID"), QStringLiteral("%1: %2_ID muss 1 oder mehr sein.").arg(entry, table));
        else if (ids.contains(id))
            report.error(table + QStringLiteral("_ID doppelt"), QStringLiteral("%1: %2_ID kommt mehrfach vor.").arg(entry, table));
        ids.insert(id);
        const qint64 sel = select.integer(2);
        if (sel != 0 && sel != 1)
            report.error(table + QStringLiteral("_SEL"),
                         QStringLiteral("%1: %2_SEL ist %3 statt 0 oder 1.").arg(entry, table).arg(sel));
    }
    return ids;
}

QSet<qint64> readKeys(data::Connection &connection, const QString &table, const QString &column)
{
    QSet<qint64> keys;
    Statement select(connection, QStringLiteral("SELECT %1 FROM %2").arg(column, table));
    while (select.step())
        if (!select.isNull(0))
            keys.insert(select.integer(0));
    return keys;
}

struct LinkRule {
    QString table, column, category;
    // Address types whose links of this kind the filter reads; empty = all.
    QList<qint64> readForTypes;
};

void checkLinks(data::Connection &connection, const LinkRule &rule, const std::vector<Address> &addresses,
                const std::optional<QSet<qint64>> &categoryIds, Report &report)
{
    QHash<qint64, const Address *> byId;
    for (const Address &a : addresses)
        if (a.id)
            byId.insert(*a.id, &a);
    QSet<QPair<qint64, qint64>> seen;
    Statement select(connection, QStringLiteral("SELECT ADRE_ID, %1 FROM %2 ORDER BY ADRE_ID, %1").arg(rule.column, rule.table));
    while (select.step()) {
        const qint64 addressId = select.integer(0);
        const qint64 categoryId = select.integer(1);
        const QString link = QStringLiteral("%1 (ADRE_ID %2, %3 %4)").arg(rule.table).arg(addressId).arg(rule.column).arg(categoryId);
        const Address *address = byId.value(addressId);
        if (select.isNull(0) || !address)
            report.error(rule.table + QStringLiteral(" ADRE_ID"),
                         QStringLiteral("%1: die Adresse gibt es nicht.").arg(link));
        if (categoryIds && (select.isNull(1) || !categoryIds->contains(categoryId)))
            report.error(rule.table + QLatin1Char(' ') + rule.column,
                         QStringLiteral("%1: den Eintrag gibt es in %2 nicht.").arg(link, rule.category));
        if (seen.contains({addressId, categoryId}))
            report.hint(rule.table + QStringLiteral(" doppelt"), QStringLiteral("%1 ist doppelt vorhanden.").arg(link));
        seen.insert({addressId, categoryId});
        if (address && !rule.readForTypes.isEmpty() && !rule.readForTypes.contains(address->type))
            report.hint(rule.table + QStringLiteral(" Typ"),
                        QStringLiteral("%1: %2 hat den Adresstyp %3; der Filter liest diese Verknüpfung nicht.")
                            .arg(link, quoted(address->name))
                            .arg(address->type));
    }
}

void checkRelated(const std::vector<Address> &addresses, qint64 Address::*field, const QString &column,
                  const QString &table, const QSet<qint64> &keys, Report &report)
{
    for (const Address &a : addresses)
        if (a.*field != 0 && !keys.contains(a.*field))
            report.hint(column,
                        QStringLiteral("%1: %2 %3 verweist auf keinen Datensatz in %4; das Programm zeigt dazu nichts an.")
                            .arg(described(a), column)
                            .arg(a.*field)
                            .arg(table));
}

void checkPictures(data::Connection &connection, const QString &table, Report &report)
{
    Statement select(connection, QStringLiteral("SELECT %1_ID, %1_BILD1 FROM %1 WHERE %1_BILD1 IS NOT NULL").arg(table));
    while (select.step()) {
        const QByteArray bytes = select.blob(1);
        if (!bytes.startsWith("\x89PNG\r\n\x1a\n") && !bytes.startsWith("\xff\xd8\xff"))
            report.hint(table + QStringLiteral("_BILD1"),
                        QStringLiteral("%1 %2: %1_BILD1 ist weder PNG noch JPEG.").arg(table).arg(select.integer(0)));
    }
}

void checkNotes(data::Connection &connection, const std::vector<Address> &addresses, Report &report)
{
    QSet<qint64> refs;
    for (const Address &a : addresses)
        refs.insert(a.ref);
    Statement select(connection, QStringLiteral("SELECT ADRE_REF FROM NOTE"));
    while (select.step())
        if (!refs.contains(select.integer(0)) || select.integer(0) == 0)
            report.hint(QStringLiteral("NOTE"),
                        QStringLiteral("Die Notiz zu ADRE_REF %1 gehört zu keiner Adresse.").arg(select.integer(0)));
}

} // namespace

int runCheck(const QStringList &arguments)
{
    if (arguments.size() != 1 || arguments.first().startsWith(QLatin1String("--")))
        throw UsageError(arguments.isEmpty() ? QStringLiteral("Das Verzeichnis fehlt.")
                                             : QStringLiteral("Genau ein Verzeichnis angeben."));
    const QString shownDirectory = QDir::toNativeSeparators(arguments.first());
    if (!QFileInfo(arguments.first()).isDir()) {
        standardError() << QStringLiteral("Fehler: Das Verzeichnis \"%1\" gibt es nicht.\n").arg(shownDirectory);
        return ExitFailure;
    }
    const QDir directory(arguments.first());
    Report report;

    std::map<QString, OpenTable> tables;
    for (const data::TableDef &def : data::addressDatabase()) {
        const QString file = def.name + QLatin1String(data::tableFileExtension);
        const QString path = directory.filePath(file);
        OpenTable &table = tables[def.name];
        if (!QFileInfo(path).isFile()) {
            report.error(QStringLiteral("Datei fehlt"), QStringLiteral("Die Tabellendatei %1 fehlt.").arg(file));
            continue;
        }
        try {
            table.connection = openReadOnly(path);
        } catch (const data::DatabaseError &e) {
            report.error(QStringLiteral("Datei ungültig"),
                         QStringLiteral("%1 ist keine gültige Tabellendatei: %2").arg(file, e.message()));
            continue;
        }
        table.usable = checkColumns(*table.connection, def, file, report);
        if (table.usable)
            checkIndexes(*table.connection, def, file, report);
    }
    const auto usable = [&tables](const char *name) -> data::Connection * {
        const OpenTable &t = tables.at(QLatin1String(name));
        return t.usable ? t.connection.get() : nullptr;
    };

    std::vector<Address> addresses;
    if (data::Connection *adre = usable("ADRE")) {
        addresses = readAddresses(*adre);
        checkAddressIds(addresses, report);
        checkNameOrder(addresses, report);
        checkReferences(addresses, report);
        checkSelection(addresses, report);
    }

    std::map<QString, QSet<qint64>> categories;
    for (const char *name : {"ATYP", "RAUM", "STIL", "LOKA"})
        if (data::Connection *c = usable(name))
            categories[QLatin1String(name)] = readCategory(*c, QLatin1String(name), report);
    const auto categoryIds = [&categories](const QString &name) -> std::optional<QSet<qint64>> {
        const auto it = categories.find(name);
        return it == categories.end() ? std::nullopt : std::optional(it->second);
    };

    if (usable("ADRE")) {
        if (const auto types = categoryIds(QStringLiteral("ATYP")))
            for (const Address &a : addresses)
                if (!types->contains(a.type))
                    report.error(QStringLiteral("ADRE_TYP"),
                                 QStringLiteral("%1: den Adresstyp ADRE_TYP %2 gibt es in ATYP nicht.").arg(described(a)).arg(a.type));

        const LinkRule rules[] = {
            {QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), QStringLiteral("RAUM"), {}},
            {QStringLiteral("ADST"), QStringLiteral("STIL_ID"), QStringLiteral("STIL"), {1, 3}},
            {QStringLiteral("ADLO"), QStringLiteral("LOKA_ID"), QStringLiteral("LOKA"), {3}},
        };
        for (const LinkRule &rule : rules)
            if (data::Connection *c = usable(rule.table.toLatin1().constData()))
                checkLinks(*c, rule, addresses, categoryIds(rule.category), report);

        if (data::Connection *c = usable("STUD"))
            checkRelated(addresses, &Address::studio, QStringLiteral("STUD_ID"), QStringLiteral("STUD"),
                         readKeys(*c, QStringLiteral("STUD"), QStringLiteral("STUD_ID")), report);
        if (data::Connection *c = usable("BAND"))
            checkRelated(addresses, &Address::band, QStringLiteral("BAND_ID"), QStringLiteral("BAND"),
                         readKeys(*c, QStringLiteral("BAND"), QStringLiteral("BAND_ID")), report);
        if (data::Connection *c = usable("LABE"))
            checkRelated(addresses, &Address::label, QStringLiteral("LABE_ID"), QStringLiteral("LABE"),
                         readKeys(*c, QStringLiteral("LABE"), QStringLiteral("LABE_ID")), report);
        if (data::Connection *c = usable("NOTE"))
            checkNotes(*c, addresses, report);
    }
    for (const char *name : {"STUD", "BAND"})
        if (data::Connection *c = usable(name))
            checkPictures(*c, QLatin1String(name), report);

    report.finish();
    const QString hints = report.hints() == 1 ? QStringLiteral(", 1 Hinweis")
                                              : QStringLiteral(", %1 Hinweise").arg(report.hints());
    if (report.errors() > 0) {
        standardOutput() << QStringLiteral("%1 Fehler gefunden%2.\n").arg(report.errors()).arg(hints);
        return ExitFailure;
    }
    const auto count = [&tables](const char *name) {
        Statement c(*tables.at(QLatin1String(name)).connection, QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(name)));
        c.step();
        return c.integer(0);
    };
    standardOutput() << QStringLiteral("Keine Fehler gefunden%1.\n").arg(hints)
                     << QStringLiteral("%1 Adressen, %2 Adresstypen, %3 Großräume, %4 Stilrichtungen, %5 Lokaltypen, "
                                       "%6 Großraum-, %7 Stil- und %8 Lokaltyp-Verknüpfungen, %9 Notizen, ")
                            .arg(count("ADRE"))
                            .arg(count("ATYP"))
                            .arg(count("RAUM"))
                            .arg(count("STIL"))
                            .arg(count("LOKA"))
                            .arg(count("ADRA"))
                            .arg(count("ADST"))
                            .arg(count("ADLO"))
                            .arg(count("NOTE"))
                     << QStringLiteral("%1 Studios, %2 Bands, %3 Labels.\n").arg(count("STUD")).arg(count("BAND")).arg(count("LABE"));
    return ExitOk;
}

} // namespace tourbuchdb
