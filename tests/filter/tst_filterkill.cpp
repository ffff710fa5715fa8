// A filter run killed at any moment leaves the address table intact and
// every mark either as before the run or as after it.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sqlite3.h>

namespace {

QString demoProgram()
{
    return qEnvironmentVariable("TOURBUCH_TOOLS_DIR") + QStringLiteral("/filter-demo");
}

qint64 queryInt(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    const qint64 v = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_finalize(s);
    return v;
}

QString queryText(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
    QString v;
    if (sqlite3_step(s) == SQLITE_ROW)
        v = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    return v;
}

} // namespace

class TestFilterKill : public QObject {
    Q_OBJECT

private slots:
    void killedRunKeepsOldOrNewMarks_data()
    {
        // Milliseconds after the walk is over, while the marks are written.
        QTest::addColumn<int>("delay");
        for (int ms : {0, 5, 15, 30, 60})
            QTest::addRow("%d ms into the writes", ms) << ms;
    }

    void killedRunKeepsOldOrNewMarks()
    {
        QFETCH(int, delay);
        QVERIFY2(QFile::exists(demoProgram()), qPrintable(demoProgram()));
        QTemporaryDir dir;
        QCOMPARE(QProcess::execute(demoProgram(), {QStringLiteral("make"), dir.path(), QStringLiteral("65536")}), 0);
        const QByteArray adre = QDir(dir.path()).filePath(QStringLiteral("ADRE.FFD")).toUtf8();

        // Every run flips every mark: the postal-code range alternates
        // between 1..49999 and 50000..99999.
        QProcess runner;
        runner.start(demoProgram(), {QStringLiteral("flip"), dir.path()});
        QVERIFY(runner.waitForStarted());
        QByteArray seen;
        // Let two runs finish, then kill the third in its writes.
        while (!seen.contains("walked 3\n")) {
            QVERIFY2(runner.waitForReadyRead(30000), seen.constData());
            seen += runner.readAllStandardOutput();
        }
        QTest::qSleep(delay);
        ::kill(pid_t(runner.processId()), SIGKILL);
        QVERIFY(runner.waitForFinished());
        seen += runner.readAllStandardOutput();

        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open_v2(adre.constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(queryText(db, "PRAGMA integrity_check"), QStringLiteral("ok"));
        const qint64 total = queryInt(db, "SELECT count(*) FROM ADRE");
        const qint64 low = queryInt(db, "SELECT count(*) FROM ADRE WHERE ADRE_SEL = "
                                        "(CAST(ADRE_PLZ AS INTEGER) BETWEEN 1 AND 49999)");
        const qint64 high = queryInt(db, "SELECT count(*) FROM ADRE WHERE ADRE_SEL = "
                                         "(CAST(ADRE_PLZ AS INTEGER) BETWEEN 50000 AND 99999)");
        sqlite3_close(db);
        QCOMPARE(total, 65536);
        // Run 2 left the marks of 1..49999, run 3 would leave 50000..99999.
        const bool finished = seen.contains("done 3 ");
        QVERIFY2(low == total || high == total,
                 qPrintable(QStringLiteral("%1 of %2 marks as before, %3 as after").arg(low).arg(total).arg(high)));
        if (finished)
            QCOMPARE(high, total);
    }
};

QTEST_GUILESS_MAIN(TestFilterKill)
#include "tst_filterkill.moc"
