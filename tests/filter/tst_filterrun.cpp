// Verdicts of the filter pass over real table files.

#include "FilterFixture.h"
#include "data/Session.h"
#include "data/Table.h"
#include "filter/FilterRun.h"

#include <QTest>
#include <memory>
#include <sqlite3.h>

using filter::FilterFlags;
using filter::FilterPass;

namespace {

FilterFlags flagsOf(const QString &which, int from = 1, int to = 99999)
{
    FilterFlags f;
    f.FilterPLZ = which.contains(QLatin1Char('P'));
    f.FilterATyp = which.contains(QLatin1Char('A'));
    f.FilterRaum = which.contains(QLatin1Char('R'));
    f.FilterStil = which.contains(QLatin1Char('S'));
    f.FilterLoka = which.contains(QLatin1Char('L'));
    f.PLZFrom = from;
    f.PLZTo = to;
    return f;
}

int markOf(int addressId)
{
    data::Table t;
    t.setTableName(QStringLiteral("ADRE"));
    t.setIndexName(QStringLiteral("AD_ID"));
    t.open();
    if (!t.findKey({addressId}))
        return -1;
    return t.fieldByName(QStringLiteral("ADRE_SEL")).asInteger();
}

// Chosen: ATYP 1-3, RAUM 3, STIL 1, LOKA 1. ATYP 5 holds a SEL of 2.
void categoryTables(const TempProgramDir &dir)
{
    fixture::categories(dir, QStringLiteral("ATYP"), {{1, 1}, {2, 1}, {3, 1}, {4, 0}, {5, 2}});
    fixture::categories(dir, QStringLiteral("RAUM"), {{1, 0}, {2, 0}, {3, 1}});
    fixture::categories(dir, QStringLiteral("STIL"), {{1, 1}, {2, 0}});
    fixture::categories(dir, QStringLiteral("LOKA"), {{1, 1}, {2, 0}});
}

} // namespace

class TestFilterRun : public QObject {
    Q_OBJECT

private slots:
    void verdict_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QVariant>("plz");
        QTest::addColumn<int>("type");
        QTest::addColumn<QList<int>>("raum");
        QTest::addColumn<QList<int>>("stil");
        QTest::addColumn<QList<int>>("loka");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("reads");   // category records read, -1: not checked

        const QList<int> none;
        const QVariant text = QVariant(QStringLiteral("abc"));
        QTest::newRow("all flags off") << "" << 1 << 99999 << text << 4 << none << none << none << 1 << 0;
        QTest::newRow("9999 below 10000") << "P" << 10000 << 19999 << QVariant(QStringLiteral("9999")) << 1
                                          << none << none << none << 0 << 0;
        QTest::newRow("10000 lower bound") << "P" << 10000 << 19999 << QVariant(QStringLiteral("10000")) << 1
                                           << none << none << none << 1 << 0;
        QTest::newRow("19999 upper bound") << "P" << 10000 << 19999 << QVariant(QStringLiteral("19999")) << 1
                                           << none << none << none << 1 << 0;
        QTest::newRow("20000 above 19999") << "P" << 10000 << 19999 << QVariant(QStringLiteral("20000")) << 1
                                           << none << none << none << 0 << 0;
        QTest::newRow("empty postal code") << "P" << 1 << 99999 << QVariant(QString()) << 1 << none << none
                                           << none << 0 << 0;
        QTest::newRow("no postal code") << "P" << 1 << 99999 << QVariant() << 1 << none << none << none << 0 << 0;
        QTest::newRow("non-numeric postal code") << "P" << 1 << 99999 << QVariant(QStringLiteral("12a45")) << 1
                                                 << none << none << none << 0 << 0;
        QTest::newRow("non-numeric, no postal test") << "A" << 1 << 99999 << QVariant(QStringLiteral("12a45")) << 1
                                                     << none << none << none << 1 << 1;
        QTest::newRow("empty, no postal test") << "A" << 1 << 99999 << QVariant(QString()) << 2 << none << none
                                               << none << 1 << 1;
        QTest::newRow("type not chosen") << "A" << 1 << 99999 << text << 4 << none << none << none << 0 << 1;
        QTest::newRow("type with SEL 2") << "A" << 1 << 99999 << text << 5 << none << none << none << 0 << 1;
        QTest::newRow("missing type") << "A" << 1 << 99999 << text << 99 << none << none << none << 0 << 0;
        QTest::newRow("no region links") << "R" << 1 << 99999 << text << 1 << none << none << none << 0 << 0;
        QTest::newRow("last of three regions chosen") << "R" << 1 << 99999 << text << 1 << QList<int>{1, 2, 3}
                                                      << none << none << 1 << 3;
        QTest::newRow("no region chosen") << "R" << 1 << 99999 << text << 1 << QList<int>{1, 2} << none << none
                                          << 0 << 2;
        QTest::newRow("missing region") << "R" << 1 << 99999 << text << 1 << QList<int>{77} << none << none << 0
                                        << 0;
        QTest::newRow("type 2 with style restriction") << "S" << 1 << 99999 << text << 2 << none << QList<int>{1}
                                                       << none << 0 << 0;
        QTest::newRow("type 1 with chosen style") << "S" << 1 << 99999 << text << 1 << none << QList<int>{2, 1}
                                                  << none << 1 << 1;
        QTest::newRow("type 3 without styles") << "S" << 1 << 99999 << text << 3 << none << none << none << 0 << 0;
        QTest::newRow("type 1 with venue restriction") << "L" << 1 << 99999 << text << 1 << none << none << none
                                                       << 1 << 0;
        QTest::newRow("type 3 with chosen venue") << "L" << 1 << 99999 << text << 3 << none << none
                                                  << QList<int>{1} << 1 << 1;
        QTest::newRow("type 3 with other venue") << "L" << 1 << 99999 << text << 3 << none << none
                                                 << QList<int>{2} << 0 << 1;
        QTest::newRow("postal code fails first") << "PARSL" << 10000 << 19999 << QVariant(QStringLiteral("5000"))
                                                 << 3 << QList<int>{3} << QList<int>{1} << QList<int>{1} << 0 << 0;
        QTest::newRow("type fails before regions") << "ARSL" << 1 << 99999 << text << 4 << QList<int>{3}
                                                   << QList<int>{1} << QList<int>{1} << 0 << 1;
        QTest::newRow("everything passes") << "PARSL" << 10000 << 19999 << QVariant(QStringLiteral("12345")) << 3
                                           << QList<int>{1, 3} << QList<int>{1} << QList<int>{2, 1} << 1 << 5;
    }

    void verdict()
    {
        QFETCH(QString, flags);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QVariant, plz);
        QFETCH(int, type);
        QFETCH(QList<int>, raum);
        QFETCH(QList<int>, stil);
        QFETCH(QList<int>, loka);
        QFETCH(int, expected);
        QFETCH(int, reads);

        TempProgramDir dir;
        dir.createAllTables();
        categoryTables(dir);
        // The old mark is the opposite of the verdict, so the run must write it.
        fixture::address(dir, 5, plz, type, 1 - expected);
        fixture::links(dir, QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), 5, raum);
        fixture::links(dir, QStringLiteral("ADST"), QStringLiteral("STIL_ID"), 5, stil);
        fixture::links(dir, QStringLiteral("ADLO"), QStringLiteral("LOKA_ID"), 5, loka);

        // Alone first, to count its category reads.
        const filter::FilterResult alone = FilterPass(flagsOf(flags, from, to)).run();
        QCOMPARE(markOf(5), expected);
        QCOMPARE(alone.changed, 1);
        if (reads >= 0)
            QCOMPARE(alone.categoryReads, reads);

        // Then between neighbours with chosen links on both sides: the
        // tested address must not borrow theirs.
        for (int id : {4, 6}) {
            fixture::address(dir, id, QStringLiteral("12345"), 3, 1);
            fixture::links(dir, QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), id, {3});
            fixture::links(dir, QStringLiteral("ADST"), QStringLiteral("STIL_ID"), id, {1});
            fixture::links(dir, QStringLiteral("ADLO"), QStringLiteral("LOKA_ID"), id, {1});
        }
        dir.exec(QStringLiteral("ADRE"), {QStringLiteral("UPDATE ADRE SET ADRE_SEL = 1 - ADRE_SEL WHERE ADRE_ID = 5")});
        const filter::FilterResult among = FilterPass(flagsOf(flags, from, to)).run();
        QCOMPARE(markOf(5), expected);
        QCOMPARE(among.total, 3);
    }

    // The neighbours' own verdicts: the links are walked beside the addresses.
    void linksOfSeveralAddresses()
    {
        TempProgramDir dir;
        dir.createAllTables();
        categoryTables(dir);
        const QList<QList<int>> raum = {{}, {1}, {3}, {1, 2}, {}, {2, 3}, {3}, {}};
        for (int id = 0; id < raum.size(); ++id) {
            fixture::address(dir, id, QStringLiteral("1"), 1, 0);
            fixture::links(dir, QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), id, raum[id]);
        }
        const filter::FilterResult r = FilterPass(flagsOf(QStringLiteral("R"))).run();
        QList<int> marks;
        for (int id = 0; id < raum.size(); ++id)
            marks << markOf(id);
        QCOMPARE(marks, (QList<int>{0, 0, 1, 0, 0, 1, 1, 0}));
        QCOMPARE(r.passed, 3);
        QCOMPARE(r.categoryReads, 3);   // each region once
    }

    void secondRunPostsNothing()
    {
        TempProgramDir dir;
        dir.createAllTables();
        categoryTables(dir);
        for (int id = 0; id < 50; ++id) {
            fixture::address(dir, id, QString::number(id * 1000), 1 + id % 5, id % 2);
            fixture::links(dir, QStringLiteral("ADRA"), QStringLiteral("RAUM_ID"), id, {1 + id % 3});
            fixture::links(dir, QStringLiteral("ADST"), QStringLiteral("STIL_ID"), id, {1 + id % 2});
        }
        const FilterFlags flags = flagsOf(QStringLiteral("PARS"), 10000, 40000);
        const filter::FilterResult first = FilterPass(flags).run();
        QVERIFY(first.changed > 0);

        auto &session = data::Session::instance();
        const auto conn = session.connect(session.tableFilePath(QStringLiteral("Tourbuch"), QStringLiteral("ADRE")),
                                          QStringLiteral("ADRE"));
        const int before = sqlite3_total_changes(conn->handle());
        const filter::FilterResult second = FilterPass(flags).run();
        QCOMPARE(second.changed, 0);
        QCOMPARE(second.passed, first.passed);
        QCOMPARE(sqlite3_total_changes(conn->handle()), before);
    }

    void emptyAddressTable()
    {
        TempProgramDir dir;
        dir.createAllTables();
        QList<int> progress;
        FilterPass pass(flagsOf(QStringLiteral("PARSL")));
        pass.setProgress([&](int done, int total) { progress << done << total; });
        const filter::FilterResult r = pass.run();
        QCOMPARE(r.total, 0);
        QCOMPARE(progress, (QList<int>{0, 0, 0, 0}));
    }

    // An error ends the run with every mark as it was before.
    void errorKeepsOldMarks()
    {
        TempProgramDir dir;
        dir.createAllTables();
        categoryTables(dir);
        for (int id = 0; id < 10; ++id)
            fixture::address(dir, id, QStringLiteral("50000"), 1, 1);
        // A type that is no number, read only when the type is tested.
        dir.exec(QStringLiteral("ADRE"), {QStringLiteral("UPDATE ADRE SET ADRE_TYP = 'x' WHERE ADRE_ID = 7")});
        QVERIFY_THROWS_EXCEPTION(data::DatabaseError, FilterPass(flagsOf(QStringLiteral("PA"), 1, 99999)).run());
        for (int id = 0; id < 10; ++id)
            QCOMPARE(markOf(id), 1);
        // A missing table file is an error before anything is read.
        QFile::remove(dir.file(QStringLiteral("LOKA.FFD")));
        QVERIFY_THROWS_EXCEPTION(data::DatabaseError, FilterPass(flagsOf(QString())).run());
        QVERIFY(!QFile::exists(dir.file(QStringLiteral("LOKA.FFD"))));
    }
};

QTEST_GUILESS_MAIN(TestFilterRun)
#include "tst_filterrun.moc"
