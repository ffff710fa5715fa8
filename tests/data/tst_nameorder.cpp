#include "data/NameOrder.h"

#include <QTest>

class TestNameOrder : public QObject {
    Q_OBJECT
private slots:
    void order_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("case ignored") << "ROCKFABRIK" << "rockfabrik" << 0;
        QTest::newRow("umlaut case ignored") << "ÄRGER" << "ärger" << 0;
        QTest::newRow("umlaut beside its vowel") << "Ärger" << "Bahnhof" << -1;
        QTest::newRow("a before umlaut a") << "Arger" << "Ärger" << -1;
        QTest::newRow("sharp s before t") << "Straße" << "Strat" << -1;
        QTest::newRow("digits first") << "3 Tage Wach" << "Alte Mälzerei" << -1;
        QTest::newRow("prefix first") << "Alte" << "Alte Mälzerei" << -1;
        QTest::newRow("empty first") << "" << "A" << -1;
    }
    void order()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const int c = data::compareNames(a, b);
        QCOMPARE(c < 0 ? -1 : (c > 0 ? 1 : 0), sign);
        const int r = data::compareNames(b, a);
        QCOMPARE(r < 0 ? -1 : (r > 0 ? 1 : 0), -sign);
    }
};

QTEST_GUILESS_MAIN(TestNameOrder)
#include "tst_nameorder.moc"
