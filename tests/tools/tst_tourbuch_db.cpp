// tourbuch-db run as the user runs it: demo databases in temporary
// directories, read back through SQLite, and checks of damaged copies.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

namespace {

const QStringList tableNames = {"ADRE", "ATYP", "RAUM", "STIL", "LOKA", "ADRA",
                                "ADST", "ADLO", "NOTE", "STUD", "BAND", "LABE"};

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("TOURBUCH_TOOLS_DIR") + QStringLiteral("/tourbuch-db"), arguments);
    ToolRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

using Rows = QList<QStringList>;

// Every value as text; NULL as "<null>", blobs as a hash, so rows compare.
Rows query(const QString &dir, const QString &table, const QString &sql)
{
    Rows rows;
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(QDir(dir).filePath(table + QStringLiteral(".FFD")));
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        qWarning("cannot open %s", path.constData());
        return rows;
    }
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qWarning("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_NULL: row << QStringLiteral("<null>"); break;
            case SQLITE_BLOB: {
                const QByteArray bytes(static_cast<const char *>(sqlite3_column_blob(stmt, c)), sqlite3_column_bytes(stmt, c));
                row << QStringLiteral("<blob %1>").arg(QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
                break;
            }
            default:
                row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            }
        }
        rows << row;
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

QByteArray blob(const QString &dir, const QString &table, const QString &sql)
{
    QByteArray bytes;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(QDir(dir).filePath(table + QStringLiteral(".FFD"))).constData(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        bytes = QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, 0)), sqlite3_column_bytes(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return bytes;
}

bool execute(const QString &dir, const QString &table, const QStringList &statements)
{
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(QDir(dir).filePath(table + QStringLiteral(".FFD")));
    bool ok = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
    for (const QString &sql : statements) {
        if (ok && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            qWarning("%s: %s", qPrintable(sql), sqlite3_errmsg(db));
            ok = false;
        }
    }
    sqlite3_close(db);
    return ok;
}

QString dump(const QString &dir)
{
    QString text;
    for (const QString &table : tableNames)
        for (const QStringList &row : query(dir, table, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table)))
            text += table + QLatin1Char('|') + row.join(QLatin1Char('|')) + QLatin1Char('\n');
    return text;
}

QSet<int> intSet(const Rows &rows)
{
    QSet<int> set;
    for (const QStringList &row : rows)
        set.insert(row.first().toInt());
    return set;
}

} // namespace

class TestTourbuchDb : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void usage_data();
    void usage();
    void demoThenCheckPasses();
    void demoSizes_data();
    void demoSizes();
    void demoIsDeterministicForSeed();
    void demoRefusesExistingDatabase_data();
    void demoRefusesExistingDatabase();
    void demoRejectsBadArguments_data();
    void demoRejectsBadArguments();
    void demoFailingHalfWayLeavesDirectoryAsItWas();
    void demoHasRelatedRecordCases();
    void demoLinksFollowFilterRules();
    void demoHasAddressEdgeCases();
    void demoTextsAreRtfInWindows1252();
    void checkReportsFault_data();
    void checkReportsFault();
    void checkHintsDoNotFail_data();
    void checkHintsDoNotFail();
    void checkMissingDirectory();

private:
    // A fresh copy of the demo database to damage.
    QString copyOfDemo(QTemporaryDir &target) const;

    QTemporaryDir m_demo;
};

void TestTourbuchDb::initTestCase()
{
    QVERIFY(m_demo.isValid());
    QVERIFY2(QFile::exists(qEnvironmentVariable("TOURBUCH_TOOLS_DIR") + QStringLiteral("/tourbuch-db")),
             "TOURBUCH_TOOLS_DIR must name the directory of the built tourbuch-db");
    const ToolRun run = runTool({QStringLiteral("demo"), m_demo.path()});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("300 Adressen")), qPrintable(run.out));
}

QString TestTourbuchDb::copyOfDemo(QTemporaryDir &target) const
{
    for (const QString &table : tableNames)
        if (!QFile::copy(QDir(m_demo.path()).filePath(table + ".FFD"), QDir(target.path()).filePath(table + ".FFD")))
            return QString();
    return target.path();
}

void TestTourbuchDb::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected");   // in stdout or stderr

    QTest::newRow("no arguments") << QStringList() << 2 << "Aufruf: tourbuch-db BEFEHL";
    QTest::newRow("--help") << QStringList{"--help"} << 0 << "Hinweis:";
    QTest::newRow("unknown command") << QStringList{"filtre", "x"} << 2 << "Unbekannter Befehl \"filtre\"";
    QTest::newRow("command help") << QStringList{"demo", "--help"} << 0 << "--addresses N";
    QTest::newRow("check without directory") << QStringList{"check"} << 2 << "Das Verzeichnis fehlt.";
}

void TestTourbuchDb::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    const ToolRun run = runTool(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2((run.out + run.err).contains(expected), qPrintable(run.out + run.err));
}

void TestTourbuchDb::demoThenCheckPasses()
{
    const ToolRun run = runTool({QStringLiteral("check"), m_demo.path()});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QStringLiteral("Keine Fehler gefunden")), qPrintable(run.out));
    QVERIFY2(run.out.contains(QStringLiteral("300 Adressen")), qPrintable(run.out));
    // The studio left out on purpose is named, but does not fail the check.
    QVERIFY2(run.out.contains(QRegularExpression(QStringLiteral("^Hinweis: ADRE_ID \\d+ .*STUD_ID 13 "),
                                                 QRegularExpression::MultilineOption)),
             qPrintable(run.out));
}

void TestTourbuchDb::demoSizes_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("largest") << 65536;
}

void TestTourbuchDb::demoSizes()
{
    QFETCH(int, count);
    QTemporaryDir dir;
    QCOMPARE(runTool({"demo", dir.path(), "--addresses", QString::number(count)}).exitCode, 0);
    const ToolRun check = runTool({"check", dir.path()});
    QCOMPARE(check.exitCode, 0);
    QVERIFY2(check.out.contains(QStringLiteral("%1 Adressen").arg(count)), qPrintable(check.out));
    const Rows range = query(dir.path(), "ADRE", "SELECT count(*), max(ADRE_ID) FROM ADRE");
    QCOMPARE(range.value(0).value(0), QString::number(count));
    QCOMPARE(range.value(0).value(1), count ? QString::number(count - 1) : QStringLiteral("<null>"));
}

void TestTourbuchDb::demoIsDeterministicForSeed()
{
    QTemporaryDir first, second, other;
    QCOMPARE(runTool({"demo", first.path(), "--seed", "42", "--addresses", "500"}).exitCode, 0);
    QCOMPARE(runTool({"demo", second.path(), "--seed=42", "--addresses=500"}).exitCode, 0);
    QCOMPARE(runTool({"demo", other.path(), "--seed", "43", "--addresses", "500"}).exitCode, 0);
    const QString firstDump = dump(first.path());
    QVERIFY(firstDump.count(QLatin1Char('\n')) > 500);
    QCOMPARE(dump(second.path()), firstDump);
    QVERIFY(dump(other.path()) != firstDump);
}

void TestTourbuchDb::demoRefusesExistingDatabase_data()
{
    QTest::addColumn<QString>("existingFile");
    QTest::newRow("address table") << "ADRE.FFD";
    QTest::newRow("notes only") << "NOTE.FFD";
    QTest::newRow("last table") << "LABE.FFD";
}

void TestTourbuchDb::demoRefusesExistingDatabase()
{
    QFETCH(QString, existingFile);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(existingFile);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("meine Daten");
    }
    const ToolRun run = runTool({"demo", dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(existingFile) && run.err.contains(QStringLiteral("überschreibt keine Datenbank")),
             qPrintable(run.err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{existingFile});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("meine Daten"));
}

void TestTourbuchDb::demoRejectsBadArguments_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message");
    QTest::newRow("too many addresses") << QStringList{"--addresses", "65537"} << "zwischen 0 und 65536";
    QTest::newRow("negative count") << QStringList{"--addresses", "-1"} << "zwischen 0 und 65536";
    QTest::newRow("count in words") << QStringList{"--addresses", "zehn"} << "\"zehn\"";
    QTest::newRow("count missing") << QStringList{"--addresses"} << "fehlt der Wert";
    QTest::newRow("seed not a number") << QStringList{"--seed", "x1"} << "Startwert";
    QTest::newRow("unknown option") << QStringList{"--adresses", "5"} << "Unbekannte Option \"--adresses\"";
}

void TestTourbuchDb::demoRejectsBadArguments()
{
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath(QStringLiteral("neu"));
    const ToolRun run = runTool(QStringList{"demo", target} + options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(target));
}

void TestTourbuchDb::demoFailingHalfWayLeavesDirectoryAsItWas()
{
    // SQLite cannot make the journal of STUD.FFD where a directory of
    // that name stands, so the run fails after the first tables.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("STUD.FFD-journal")));
    const ToolRun run = runTool({"demo", dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Fehler: Die Demo-Datenbank wurde nicht angelegt; in ")), qPrintable(run.err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"STUD.FFD-journal"});
}

void TestTourbuchDb::demoHasRelatedRecordCases()
{
    const QString dir = m_demo.path();
    const QSet<int> studios = intSet(query(dir, "STUD", "SELECT STUD_ID FROM STUD"));
    const QSet<int> bands = intSet(query(dir, "BAND", "SELECT BAND_ID FROM BAND"));
    const QSet<int> labels = intSet(query(dir, "LABE", "SELECT LABE_ID FROM LABE"));
    QVERIFY(studios.size() >= 10 && bands.size() >= 10 && !labels.isEmpty());

    QSet<QString> cases;
    for (const QStringList &row : query(dir, "ADRE", "SELECT STUD_ID, BAND_ID, LABE_ID FROM ADRE")) {
        const int studio = row[0].toInt(), band = row[1].toInt(), label = row[2].toInt();
        if (studio && !studios.contains(studio))
            cases << "missing studio";
        if (band && !bands.contains(band))
            cases << "missing band";
        if (label && !labels.contains(label))
            cases << "missing label";
        if (studio && studios.contains(studio))
            cases << (band ? "studio and band" : "studio only");
        if (!studio && band)
            cases << "band only";
        if (!studio && !band)
            cases << (label ? "label only" : "none");
    }
    QCOMPARE(cases, (QSet<QString>{"missing studio", "studio and band", "studio only", "band only", "label only", "none"}));

    // Text and picture each may be missing, in every combination.
    for (const QString table : {"STUD", "BAND"}) {
        QSet<QString> kinds;
        for (const QStringList &row : query(dir, table, QStringLiteral("SELECT %1_TEXT IS NULL, %1_BILD1 IS NULL, "
                                                                       "%1_NAME, %1_TEXT1 FROM %1").arg(table))) {
            kinds << row[0] + row[1];
            QVERIFY(!row[2].isEmpty() && !row[3].isEmpty());
        }
        QCOMPARE(kinds, (QSet<QString>{"00", "01", "10", "11"}));
        const QImage picture = QImage::fromData(
            blob(dir, table, QStringLiteral("SELECT %1_BILD1 FROM %1 WHERE %1_BILD1 IS NOT NULL").arg(table)), "PNG");
        QCOMPARE(picture.size(), QSize(320, 240));
    }
}

void TestTourbuchDb::demoLinksFollowFilterRules()
{
    const QString dir = m_demo.path();
    QHash<int, int> typeOf;
    for (const QStringList &row : query(dir, "ADRE", "SELECT ADRE_ID, ADRE_TYP FROM ADRE"))
        typeOf.insert(row[0].toInt(), row[1].toInt());
    const auto linksPerAddress = [&](const QString &table) {
        QHash<int, int> count;
        const Rows rows = query(dir, table, QStringLiteral("SELECT ADRE_ID, count(*), count(DISTINCT %1) FROM %2 GROUP BY ADRE_ID")
                                                .arg(table == "ADRA" ? "RAUM_ID" : table == "ADST" ? "STIL_ID" : "LOKA_ID", table));
        for (const QStringList &row : rows) {
            if (row[1] != row[2])
                qWarning("duplicate link in %s for %s", qPrintable(table), qPrintable(row[0]));
            count.insert(row[0].toInt(), row[1] == row[2] ? row[1].toInt() : -1);
        }
        return count;
    };
    const QHash<int, int> regions = linksPerAddress("ADRA");
    const QHash<int, int> styles = linksPerAddress("ADST");
    const QHash<int, int> venues = linksPerAddress("ADLO");
    QSet<int> typesWithVenues;
    for (auto it = typeOf.cbegin(); it != typeOf.cend(); ++it) {
        const int id = it.key(), type = it.value();
        QVERIFY2(regions.value(id) >= 1 && regions.value(id) <= 3, qPrintable(QString::number(id)));
        if (type == 1 || type == 3)
            QVERIFY(styles.value(id) >= 1 && styles.value(id) <= 4);
        else
            QVERIFY(!styles.contains(id));
        QVERIFY(venues.value(id) >= 0 && venues.value(id) <= 2);
        if (venues.contains(id))
            typesWithVenues << type;
    }
    QCOMPARE(typesWithVenues, QSet<int>{3});
    QVERIFY(QSet<int>(typeOf.cbegin(), typeOf.cend()).contains(1));
}

void TestTourbuchDb::demoHasAddressEdgeCases()
{
    const QString dir = m_demo.path();
    QStringList postalCodes, names;
    QSet<int> refs, selections;
    bool refDiffersFromPosition = false;
    for (const QStringList &row : query(dir, "ADRE", "SELECT ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_LAND, ADRE_PLZ, ADRE_SEL "
                                                     "FROM ADRE ORDER BY ADRE_ID")) {
        const int ref = row[1].toInt();
        QVERIFY(ref >= 1000 && !refs.contains(ref));
        refs << ref;
        refDiffersFromPosition |= ref != row[0].toInt() + 1;
        names << row[2];
        postalCodes << row[4];
        selections << row[5].toInt();
        bool numeric = false;
        row[4].toInt(&numeric);
        if (numeric)
            QCOMPARE(row[4].size(), row[3] == "D" ? 5 : 4);
        QVERIFY(QStringList({"D", "A", "CH"}).contains(row[3]));
    }
    QVERIFY(refDiffersFromPosition);
    QCOMPARE(selections, (QSet<int>{0, 1}));
    QVERIFY(postalCodes.contains(QString()));
    QVERIFY(postalCodes.contains(QStringLiteral("unbek.")));
    const auto anyName = [&names](const QString &pattern) {
        return !names.filter(QRegularExpression(pattern)).isEmpty();
    };
    QVERIFY(anyName("^[ÄÖÜ]"));
    QVERIFY(anyName("ß"));
    QVERIFY(anyName("^\\d"));
    QVERIFY(anyName("^[a-zäöü]"));
    QVERIFY(names.contains("Ärger im Keller") && names.contains("3 Tage Wach Festival"));

    for (const QString table : {"ATYP", "RAUM", "STIL", "LOKA"}) {
        const Rows rows = query(dir, table, QStringLiteral("SELECT %1_ID, %1_NAME, %1_SEL FROM %1 ORDER BY %1_ID").arg(table));
        QSet<int> sels;
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i][0].toInt(), i + 1);
            sels << rows[i][2].toInt();
        }
        QCOMPARE(sels, (QSet<int>{0, 1}));
    }
    QCOMPARE(query(dir, "RAUM", "SELECT count(*) FROM RAUM WHERE RAUM_NAME LIKE 'Großraum %'").value(0).value(0).toInt() >= 15, true);
    const Rows notes = query(dir, "NOTE", "SELECT ADRE_REF FROM NOTE");
    QVERIFY(!notes.isEmpty());
    for (const QStringList &row : notes)
        QVERIFY(refs.contains(row[0].toInt()));
}

void TestTourbuchDb::demoTextsAreRtfInWindows1252()
{
    const QString dir = m_demo.path();
    QString all;
    for (const QStringList &row : query(dir, "ADRE", "SELECT ADRE_MEMO FROM ADRE")) {
        QVERIFY(row[0].startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl")));
        QVERIFY(row[0].contains(QStringLiteral("\\b\\fs28 ")));
        all += row[0];
    }
    for (const QStringList &row : query(dir, "NOTE", "SELECT NOTE_MEMO FROM NOTE"))
        all += row[0];
    for (const QChar ch : all)
        QVERIFY2(ch.unicode() < 0x80, "RTF carries other characters as escapes");
    QVERIFY(all.contains(QStringLiteral("\\'e4")));   // ä
    QVERIFY(all.contains(QStringLiteral("\\'80")));   // €
    QVERIFY(all.contains(QStringLiteral("\\i ")));
    QVERIFY(all.contains(QStringLiteral("\\'c4rger im Keller")));   // Ärger
}

enum class Damage { Sql, RemoveFile, ReplaceFile };

void TestTourbuchDb::checkReportsFault_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("damage");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("expected");

    const int sql = int(Damage::Sql);
    QTest::newRow("gap in ADRE_ID")
        << "ADRE" << sql
        << QStringList{"UPDATE ADRE SET ADRE_ID = -ADRE_ID - 1 WHERE ADRE_ID >= 100", "UPDATE ADRE SET ADRE_ID = -ADRE_ID WHERE ADRE_ID < 0"}
        << "Fehler: ADRE_ID 100 fehlt";
    QTest::newRow("two names out of order")
        << "ADRE" << sql
        << QStringList{"UPDATE ADRE SET ADRE_NAME = 'Zebra-Bar' WHERE ADRE_ID = 10", "UPDATE ADRE SET ADRE_NAME = 'Affenhaus' WHERE ADRE_ID = 11"}
        << "Fehler: ADRE_ID 10 \"Zebra-Bar\" steht vor ADRE_ID 11 \"Affenhaus\"";
    QTest::newRow("umlaut sorts as its base letter")
        << "ADRE" << sql
        << QStringList{"UPDATE ADRE SET ADRE_NAME = 'Uhu' WHERE ADRE_ID = 20", "UPDATE ADRE SET ADRE_NAME = 'Übel' WHERE ADRE_ID = 21"}
        << "Fehler: ADRE_ID 20 \"Uhu\" steht vor ADRE_ID 21 \"Übel\"";
    QTest::newRow("duplicate ADRE_ID without its index")
        << "ADRE" << sql << QStringList{"DROP INDEX AD_ID", "UPDATE ADRE SET ADRE_ID = 3 WHERE ADRE_ID = 4"}
        << "Fehler: ADRE_ID 3 kommt mehrfach vor";
    QTest::newRow("ADRE_REF twice")
        << "ADRE" << sql << QStringList{"UPDATE ADRE SET ADRE_REF = (SELECT ADRE_REF FROM ADRE WHERE ADRE_ID = 0) WHERE ADRE_ID = 5"}
        << "kommt mehrfach vor: ADRE_ID 0";
    QTest::newRow("ADRE_REF 0") << "ADRE" << sql << QStringList{"UPDATE ADRE SET ADRE_REF = 0 WHERE ADRE_ID = 7"}
                                << "ADRE_REF ist 0";
    QTest::newRow("unknown address type") << "ADRE" << sql << QStringList{"UPDATE ADRE SET ADRE_TYP = 99 WHERE ADRE_ID = 3"}
                                          << "ADRE_TYP 99 gibt es in ATYP nicht";
    QTest::newRow("filter mark neither 0 nor 1") << "ADRE" << sql << QStringList{"UPDATE ADRE SET ADRE_SEL = 2 WHERE ADRE_ID = 3"}
                                                 << "ADRE_SEL ist 2 statt 0 oder 1";
    QTest::newRow("link to no address") << "ADRA" << sql << QStringList{"INSERT INTO ADRA VALUES (99999, 1)"}
                                        << "Fehler: ADRA (ADRE_ID 99999, RAUM_ID 1): die Adresse gibt es nicht.";
    QTest::newRow("link to no style") << "ADST" << sql << QStringList{"UPDATE ADST SET STIL_ID = 77 WHERE rowid = 1"}
                                      << "STIL_ID 77): den Eintrag gibt es in STIL nicht.";
    QTest::newRow("category ID 0") << "LOKA" << sql << QStringList{"UPDATE LOKA SET LOKA_ID = 0 WHERE LOKA_ID = 9"}
                                   << "LOKA_ID muss 1 oder mehr sein";
    QTest::newRow("category choice 5") << "RAUM" << sql << QStringList{"UPDATE RAUM SET RAUM_SEL = 5 WHERE RAUM_ID = 1"}
                                       << "RAUM_SEL ist 5 statt 0 oder 1";
    QTest::newRow("missing index") << "STIL" << sql << QStringList{"DROP INDEX ST_SEL"}
                                   << "Fehler: STIL.FFD: der Index ST_SEL (STIL_SEL, STIL_ID) fehlt.";
    QTest::newRow("index not unique")
        << "NOTE" << sql << QStringList{"DROP INDEX NO_REF", "CREATE INDEX NO_REF ON NOTE (ADRE_REF)"}
        << "der Index NO_REF muss eindeutig (UNIQUE) sein";
    QTest::newRow("index keys swapped")
        << "ADRA" << sql << QStringList{"DROP INDEX AR_ADRE", "CREATE INDEX AR_ADRE ON ADRA (RAUM_ID, ADRE_ID)"}
        << "der Index AR_ADRE hat den Schlüssel (RAUM_ID, ADRE_ID) statt (ADRE_ID, RAUM_ID)";
    QTest::newRow("missing column") << "LABE" << sql << QStringList{"ALTER TABLE LABE DROP COLUMN LABE_NAME"}
                                    << "die Spalte LABE_NAME fehlt in der Tabelle LABE";
    QTest::newRow("column of wrong type")
        << "STUD" << sql << QStringList{"ALTER TABLE STUD RENAME COLUMN STUD_TEXT1 TO ALT", "ALTER TABLE STUD ADD COLUMN STUD_TEXT1 INTEGER"}
        << "die Spalte STUD_TEXT1 hat den Typ INTEGER statt TEXT";
    QTest::newRow("missing table file") << "LOKA" << int(Damage::RemoveFile) << QStringList() << "Fehler: Die Tabellendatei LOKA.FFD fehlt.";
    QTest::newRow("file is no database") << "NOTE" << int(Damage::ReplaceFile) << QStringList()
                                         << "Fehler: NOTE.FFD ist keine gültige Tabellendatei";
}

void TestTourbuchDb::checkReportsFault()
{
    QFETCH(QString, table);
    QFETCH(int, damage);
    QFETCH(QStringList, statements);
    QFETCH(QString, expected);
    QTemporaryDir target;
    const QString dir = copyOfDemo(target);
    QVERIFY(!dir.isEmpty());
    const QString file = QDir(dir).filePath(table + ".FFD");
    switch (Damage(damage)) {
    case Damage::Sql: QVERIFY(execute(dir, table, statements)); break;
    case Damage::RemoveFile: QVERIFY(QFile::remove(file)); break;
    case Damage::ReplaceFile: {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
        break;
    }
    }
    const QString before = damage == int(Damage::Sql) ? dump(dir) : QString();
    const ToolRun run = runTool({"check", dir});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains(expected), qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(QRegularExpression("^\\d+ Fehler gefunden", QRegularExpression::MultilineOption)), qPrintable(run.out));
    if (damage == int(Damage::Sql))
        QCOMPARE(dump(dir), before);   // the check only reads
}

void TestTourbuchDb::checkHintsDoNotFail_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("expected");
    QTest::newRow("label that does not exist") << "ADRE" << QStringList{"UPDATE ADRE SET LABE_ID = 555 WHERE ADRE_ID = 1"}
                                               << "Hinweis: ADRE_ID 1 ";
    QTest::newRow("note without address") << "NOTE" << QStringList{"INSERT INTO NOTE VALUES (5, NULL)"}
                                          << "Hinweis: Die Notiz zu ADRE_REF 5 gehört zu keiner Adresse.";
    QTest::newRow("duplicate link") << "ADRA" << QStringList{"INSERT INTO ADRA SELECT ADRE_ID, RAUM_ID FROM ADRA WHERE rowid = 1"}
                                    << "ist doppelt vorhanden";
    QTest::newRow("equal names") << "ADRE" << QStringList{"UPDATE ADRE SET ADRE_NAME = upper((SELECT ADRE_NAME FROM ADRE WHERE ADRE_ID = 40)) WHERE ADRE_ID = 41"}
                                 << "Keine Fehler gefunden";
}

void TestTourbuchDb::checkHintsDoNotFail()
{
    QFETCH(QString, table);
    QFETCH(QStringList, statements);
    QFETCH(QString, expected);
    QTemporaryDir target;
    const QString dir = copyOfDemo(target);
    QVERIFY(execute(dir, table, statements));
    const ToolRun run = runTool({"check", dir});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(expected), qPrintable(run.out));
    QVERIFY(run.out.contains(QStringLiteral("Keine Fehler gefunden")));
}

void TestTourbuchDb::checkMissingDirectory()
{
    QTemporaryDir dir;
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("gibt-es-nicht"));
    const ToolRun run = runTool({"check", missing});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("gibt es nicht")), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(missing));
}

QTEST_GUILESS_MAIN(TestTourbuchDb)
#include "tst_tourbuch_db.moc"
