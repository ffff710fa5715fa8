// tourbuch-db demo: writes a complete invented database into a directory.

#include "Commands.h"
#include "Console.h"
#include "DemoData.h"
#include "Statement.h"

#include "data/DatabaseError.h"
#include "data/Schema.h"
#include "data/Session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <variant>

namespace tourbuchdb {

namespace {

struct DemoOptions {
    QString directory;
    int addressCount = defaultAddressCount;
    std::uint32_t seed = 1;
};

DemoOptions parseOptions(const QStringList &arguments)
{
    DemoOptions options;
    bool haveDirectory = false;
    for (int i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        QString value;
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const bool isOption = argument.startsWith(QLatin1String("--"));
        if (isOption && equals > 0) {
            value = argument.mid(equals + 1);
            argument.truncate(equals);
        } else if (isOption && (argument == QLatin1String("--addresses") || argument == QLatin1String("--seed"))) {
            if (i + 1 >= arguments.size())
                throw UsageError(QStringLiteral("Nach %1 fehlt der Wert.").arg(argument));
            value = arguments[++i];
        }
        if (argument == QLatin1String("--addresses")) {
            bool ok = false;
            options.addressCount = value.toInt(&ok);
            if (!ok || options.addressCount < 0 || options.addressCount > maxAddressCount)
                throw UsageError(QStringLiteral("Die Zahl der Adressen muss zwischen 0 und %1 liegen, nicht \"%2\".")
                                     .arg(maxAddressCount)
                                     .arg(value));
        } else if (argument == QLatin1String("--seed")) {
            bool ok = false;
            options.seed = value.toUInt(&ok);
            if (!ok)
                throw UsageError(QStringLiteral("Der Startwert muss eine ganze Zahl von 0 bis 4294967295 sein, nicht \"%1\".")
                                     .arg(value));
        } else if (isOption) {
            throw UsageError(QStringLiteral("Unbekannte Option \"%1\".").arg(argument));
        } else if (!haveDirectory) {
            options.directory = argument;
            haveDirectory = true;
        } else {
            throw UsageError(QStringLiteral("Nur ein Verzeichnis angeben (zu viel: \"%1\").").arg(argument));
        }
    }
    if (!haveDirectory || options.directory.isEmpty())
        throw UsageError(QStringLiteral("Das Verzeichnis fehlt."));
    return options;
}

// --- rows per table ---

using Value = std::variant<std::monostate, qint64, QString, QByteArray>;

struct TableRows {
    QStringList columns;
    std::vector<std::vector<Value>> rows;
};

template <typename T>
Value optionalValue(const std::optional<T> &value)
{
    return value ? Value(*value) : Value();
}

std::map<QString, TableRows> tablesOf(const DemoDatabase &db)
{
    std::map<QString, TableRows> tables;

    TableRows &adre = tables[QStringLiteral("ADRE")];
    adre.columns = {"ADRE_ID", "ADRE_REF", "ADRE_NAME", "ADRE_ZUS1", "ADRE_STR", "ADRE_LAND", "ADRE_PLZ", "ADRE_ORT",
                    "ADRE_TEL1", "ADRE_FAX", "ADRE_TYP", "ADRE_SEL", "ADRE_MEMO", "STUD_ID", "BAND_ID", "LABE_ID"};
    for (const DemoAddress &a : db.addresses)
        adre.rows.push_back({qint64(a.id), qint64(a.ref), a.name, a.addition, a.street, a.country, a.postalCode,
                             a.town, a.phone, a.fax, qint64(a.type), qint64(a.sel), a.memo, qint64(a.studioId),
                             qint64(a.bandId), qint64(a.labelId)});

    const auto category = [&tables](const QString &name, const std::vector<DemoCategory> &entries) {
        TableRows &t = tables[name];
        t.columns = {name + "_ID", name + "_NAME", name + "_SEL"};
        for (const DemoCategory &c : entries)
            t.rows.push_back({qint64(c.id), c.name, qint64(c.sel)});
    };
    category(QStringLiteral("ATYP"), db.types);
    category(QStringLiteral("RAUM"), db.regions);
    category(QStringLiteral("STIL"), db.styles);
    category(QStringLiteral("LOKA"), db.venueTypes);

    const auto links = [&tables, &db](const QString &name, const QString &column, std::vector<int> DemoAddress::*ids) {
        TableRows &t = tables[name];
        t.columns = {QStringLiteral("ADRE_ID"), column};
        for (const DemoAddress &a : db.addresses)
            for (int id : a.*ids)
                t.rows.push_back({qint64(a.id), qint64(id)});
    };
    links(QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), &DemoAddress::regions);
    links(QStringLiteral("ADST"), QStringLiteral("STIL_ID"), &DemoAddress::styles);
    links(QStringLiteral("ADLO"), QStringLiteral("LOKA_ID"), &DemoAddress::venueTypes);

    TableRows &note = tables[QStringLiteral("NOTE")];
    note.columns = {"ADRE_REF", "NOTE_MEMO"};
    for (const DemoNote &n : db.notes)
        note.rows.push_back({qint64(n.addressRef), n.memo});

    const auto related = [&tables](const QString &name, const std::vector<DemoRelated> &records) {
        TableRows &t = tables[name];
        t.columns = {name + "_ID", name + "_NAME", name + "_TEXT", name + "_BILD1", name + "_TEXT1"};
        for (const DemoRelated &r : records)
            t.rows.push_back({qint64(r.id), r.name, optionalValue(r.text), optionalValue(r.picture), r.caption});
    };
    related(QStringLiteral("STUD"), db.studios);
    related(QStringLiteral("BAND"), db.bands);

    TableRows &labe = tables[QStringLiteral("LABE")];
    labe.columns = {"LABE_ID", "LABE_NAME"};
    for (const DemoLabel &l : db.labels)
        labe.rows.push_back({qint64(l.id), l.name});
    return tables;
}

// --- writing ---

// Removes the files of a run that failed half-way, so the directory is as
// it was and a second attempt is not refused.
class CreatedFiles {
public:
    ~CreatedFiles()
    {
        if (m_keep)
            return;
        for (const QString &path : m_paths) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
    }
    void add(const QString &path) { m_paths.push_back(path); }
    void keep() { m_keep = true; }

private:
    std::vector<QString> m_paths;
    bool m_keep = false;
};

void writeTable(const QString &path, const data::TableDef &def, const TableRows &table)
{
    auto connection = data::Session::instance().connect(path, def.name);
    data::Transaction transaction(*connection);
    QStringList columns, parameters;
    for (const QString &column : table.columns) {
        columns << QStringLiteral("\"%1\"").arg(column);
        parameters << QStringLiteral("?");
    }
    Statement insert(*connection, QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                      .arg(def.name, columns.join(QStringLiteral(", ")),
                                           parameters.join(QStringLiteral(", "))));
    for (const std::vector<Value> &row : table.rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const int parameter = int(i) + 1;
            std::visit(
                [&](const auto &value) {
                    using T = std::decay_t<decltype(value)>;
                    if constexpr (std::is_same_v<T, std::monostate>)
                        insert.bindNull(parameter);
                    else if constexpr (std::is_same_v<T, qint64>)
                        insert.bindInteger(parameter, value);
                    else if constexpr (std::is_same_v<T, QString>)
                        insert.bindText(parameter, value);
                    else
                        insert.bindBlob(parameter, value);
                },
                row[i]);
        }
        insert.execute();
    }
    transaction.commit();
}

QString tableFile(const QDir &directory, const data::TableDef &def)
{
    return directory.filePath(def.name + QLatin1String(data::tableFileExtension));
}

// All tables or none: a failure removes the files this run has made.
void writeDatabase(const QDir &directory, const std::map<QString, TableRows> &tables)
{
    CreatedFiles created;
    for (const data::TableDef &def : data::addressDatabase()) {
        const QString path = tableFile(directory, def);
        // A file that fails half-way through creation is ours too.
        const bool existed = QFileInfo::exists(path);
        try {
            data::createTableFile(path, def);
        } catch (...) {
            if (!existed)
                created.add(path);
            throw;
        }
        created.add(path);
        writeTable(path, def, tables.at(def.name));
    }
    created.keep();
}

} // namespace

int runDemo(const QStringList &arguments)
{
    const DemoOptions options = parseOptions(arguments);
    const QDir directory(options.directory);
    const QString shownDirectory = QDir::toNativeSeparators(options.directory);

    if (QFileInfo(options.directory).exists() && !QFileInfo(options.directory).isDir()) {
        standardError() << QStringLiteral("Fehler: \"%1\" ist kein Verzeichnis.\n").arg(shownDirectory);
        return ExitFailure;
    }
    QStringList existing;
    for (const data::TableDef &def : data::addressDatabase())
        if (QFileInfo::exists(tableFile(directory, def)))
            existing << def.name + QLatin1String(data::tableFileExtension);
    if (!existing.isEmpty()) {
        standardError() << QStringLiteral("Fehler: In \"%1\" gibt es schon Tabellendateien (%2). "
                                          "tourbuch-db überschreibt keine Datenbank; bitte ein anderes "
                                          "Verzeichnis angeben oder die Dateien selbst entfernen.\n")
                               .arg(shownDirectory, existing.join(QStringLiteral(", ")));
        return ExitFailure;
    }
    const bool directoryExisted = QFileInfo::exists(options.directory);
    if (!QDir().mkpath(options.directory)) {
        standardError() << QStringLiteral("Fehler: Das Verzeichnis \"%1\" kann nicht angelegt werden.\n")
                               .arg(shownDirectory);
        return ExitFailure;
    }

    const DemoDatabase db = makeDemoDatabase(options.addressCount, options.seed);
    const std::map<QString, TableRows> tables = tablesOf(db);
    try {
        writeDatabase(directory, tables);
    } catch (const data::DatabaseError &e) {
        if (!directoryExisted)
            QDir().rmdir(options.directory);
        standardError() << QStringLiteral("Fehler: Die Demo-Datenbank wurde nicht angelegt; in \"%1\" ist nichts "
                                          "geändert.\nUrsache: %2\n")
                               .arg(shownDirectory, e.message());
        return ExitFailure;
    }

    const auto rowCount = [&tables](const char *table) { return qsizetype(tables.at(QLatin1String(table)).rows.size()); };
    standardOutput() << QStringLiteral("Demo-Datenbank in \"%1\" angelegt: %2 Adressen, %3 Adresstypen, %4 Großräume, "
                                       "%5 Stilrichtungen, %6 Lokaltypen, %7 Großraum-, %8 Stil- und %9 "
                                       "Lokaltyp-Verknüpfungen, ")
                            .arg(shownDirectory)
                            .arg(rowCount("ADRE"))
                            .arg(rowCount("ATYP"))
                            .arg(rowCount("RAUM"))
                            .arg(rowCount("STIL"))
                            .arg(rowCount("LOKA"))
                            .arg(rowCount("ADRA"))
                            .arg(rowCount("ADST"))
                            .arg(rowCount("ADLO"))
                     << QStringLiteral("%1 Notizen, %2 Studios, %3 Bands, %4 Labels (Startwert %5).\n")
                            .arg(rowCount("NOTE"))
                            .arg(rowCount("STUD"))
                            .arg(rowCount("BAND"))
                            .arg(rowCount("LABE"))
                            .arg(options.seed);
    return ExitOk;
}

} // namespace tourbuchdb
