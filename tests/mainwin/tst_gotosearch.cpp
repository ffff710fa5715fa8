// The go-to search without a window: the bisection over the full list must
// give what the walk gives, cost about log2(n) lookups, and end on tables
// whose numbering has gaps.

#include "TempProgramDir.h"
#include "data/NameOrder.h"
#include "data/Table.h"
#include "mainwin/GotoSearch.h"

#include <QTest>
#include <cmath>
#include <memory>

namespace {

// Names in German order: "Name 000" ... with ids step apart from zero.
void fillAddresses(TempProgramDir &dir, int count, int step)
{
    QStringList sql;
    for (int i = 0; i < count; ++i)
        sql << QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_SEL, STUD_ID, BAND_ID, LABE_ID) "
                              "VALUES (%1, %2, 'Name %3', %4, 0, 0, 0)")
                   .arg(i * step)
                   .arg(i + 1)
                   .arg(i, 3, 10, QLatin1Char('0'))
                   .arg(i % 3 == 0 ? 1 : 0);
    dir.exec(QStringLiteral("ADRE"), sql);
}

std::unique_ptr<data::Table> openAdre(const QString &index)
{
    auto t = std::make_unique<data::Table>();
    t->setTableName(QStringLiteral("ADRE"));
    t->open();
    t->setIndexName(index);
    if (index == QLatin1String("AD_SEL"))
        t->setRange({1, 0}, {1, 65535});
    else
        t->setRange({0}, {65535});
    return t;
}

int idOf(data::Table &t)
{
    return t.fieldByName(QStringLiteral("ADRE_ID")).asInteger();
}

} // namespace

class TestGotoSearch : public QObject {
    Q_OBJECT

private slots:
    void bisectionEqualsWalk_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("step");
        QTest::newRow("consecutive numbers") << 200 << 1;
        QTest::newRow("numbers with gaps") << 150 << 7;
        QTest::newRow("one address") << 1 << 1;
        QTest::newRow("two addresses") << 2 << 1;
    }
    void bisectionEqualsWalk()
    {
        QFETCH(int, count);
        QFETCH(int, step);
        TempProgramDir dir;
        dir.createAllTables();
        fillAddresses(dir, count, step);
        auto bisect = openAdre(QStringLiteral("AD_ID"));
        auto walk = openAdre(QStringLiteral("AD_ID"));

        QStringList keys{QStringLiteral("A"), QStringLiteral("name"), QStringLiteral("Name 000"),
                         QStringLiteral("zzz"), QStringLiteral("NAME 1"), QStringLiteral("name 0995")};
        for (int i = 0; i < count; i += 13)
            keys << QStringLiteral("Name %1").arg(i, 3, 10, QLatin1Char('0'))
                 << QStringLiteral("Name %1x").arg(i, 3, 10, QLatin1Char('0'));
        const int bound = 4 + int(std::ceil(std::log2(double(count) * step + 1)));
        for (const QString &key : keys) {
            // From several starting records, as the user leaves them.
            for (int start : {0, count / 2, count - 1}) {
                bisect->findKey({start * step});
                walk->findKey({start * step});
                const quint64 before = bisect->statementCount();
                mainwin::gotoByBisection(*bisect, key);
                mainwin::gotoByWalk(*walk, key);
                QVERIFY2(bisect->statementCount() - before <= quint64(bound),
                         qPrintable(QStringLiteral("%1 lookups for \"%2\"")
                                        .arg(bisect->statementCount() - before)
                                        .arg(key)));
                QCOMPARE(idOf(*bisect), idOf(*walk));
                // The result is the first name not before the key, or the last one.
                const QString name = bisect->fieldByName(QStringLiteral("ADRE_NAME")).asString();
                if (data::nameSortsBefore(name, key)) {
                    QCOMPARE(idOf(*bisect), (count - 1) * step);
                } else if (idOf(*bisect) > 0) {
                    walk->prior();
                    QVERIFY(data::nameSortsBefore(walk->fieldByName(QStringLiteral("ADRE_NAME")).asString(), key));
                }
            }
        }
    }

    void walkOverFilteredView()
    {
        TempProgramDir dir;
        dir.createAllTables();
        fillAddresses(dir, 30, 1);   // every third address is in the view
        auto t = openAdre(QStringLiteral("AD_SEL"));
        t->findKey({1, 27});
        mainwin::gotoByWalk(*t, QStringLiteral("name 010"));
        QCOMPARE(idOf(*t), 12);
        mainwin::gotoByWalk(*t, QStringLiteral("name 010"));   // again from its own result
        QCOMPARE(idOf(*t), 12);
        mainwin::gotoSearch(*t, QString(), false);
        QCOMPARE(idOf(*t), 0);
    }
};

QTEST_GUILESS_MAIN(TestGotoSearch)
#include "tst_gotosearch.moc"
