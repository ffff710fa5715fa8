// The filter definition dialog and the category selection dialogs, with
// real widgets over real table files.

#include "FilterFixture.h"
#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/Modal.h"
#include "controls/SpinEdit.h"
#include "data/Table.h"
#include "filter/Filter.h"
#include "filter/SetATyp.h"
#include "filter/SetLoka.h"
#include "filter/SetRaum.h"
#include "filter/SetStil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {


int markOf(int addressId)
{
    data::Table t;
    t.setTableName(QStringLiteral("ADRE"));
    t.setIndexName(QStringLiteral("AD_ID"));
    t.open();
    t.findKey({addressId});
    return t.fieldByName(QStringLiteral("ADRE_SEL")).asInteger();
}

QList<int> chosen(const QString &table)
{
    data::Table t;
    t.setTableName(table);
    t.setIndexName(table.left(2) + QStringLiteral("_ID"));
    t.open();
    QList<int> ids;
    for (t.first(); !t.eof(); t.next())
        if (t.fieldByName(table + QStringLiteral("_SEL")).asInteger() == 1)
            ids << t.fieldByName(table + QStringLiteral("_ID")).asInteger();
    return ids;
}

QStringList gridNames(controls::DbGrid *grid)
{
    QStringList names;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        names << grid->model()->index(r, 0).data().toString();
    return names;
}

} // namespace

class TestFilterDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> dir;

private slots:
    void init()
    {
        controls::Modal::setTestMode(true);
        controls::Modal::takeShown();
        dir = std::make_unique<TempProgramDir>();
        dir->createAllTables();
        Globals::ResetProgramState();
        Globals::ProgramDir = dir->path();
        Globals::LoadSettings();   // no file: the defaults
        fixture::categories(*dir, QStringLiteral("ATYP"), {{1, 1}, {2, 0}, {3, 1}, {4, 2}});
        fixture::categories(*dir, QStringLiteral("RAUM"), {{1, 1}, {2, 1}});
        fixture::categories(*dir, QStringLiteral("STIL"), {{1, 0}, {2, 0}, {3, 0}});
        // LOKA stays empty.
        // Address 0 passes every filter of these tests, address 1 only without
        // a postal-code or type restriction. Both start unmarked.
        fixture::address(*dir, 0, QStringLiteral("45000"), 1, 0);
        fixture::address(*dir, 1, QStringLiteral("30000"), 2, 0);
    }

    void cleanup()
    {
        dir.reset();
        Globals::ResetProgramState();
    }

    void countsFromSettings()
    {
        Globals::AllATyp = false;
        TfrmFilter dlg;
        dlg.show();
        QCOMPARE(dlg.lblATyp->text(), QStringLiteral("2 von 4"));
        QCOMPARE(dlg.lblRaum->text(), QStringLiteral("2 von 2"));
        QCOMPARE(dlg.lblStil->text(), QStringLiteral("3 von 3"));
        QCOMPARE(dlg.lblLoka->text(), QStringLiteral("0 von 0"));   // empty table
        QVERIFY(dlg.pbSetATyp->isEnabled());
        QVERIFY(!dlg.pbSetRaum->isEnabled());
        QVERIFY(!dlg.editPLZVon->isEnabled());
        QCOMPARE(dlg.editPLZVon->value(), 1);
        QCOMPARE(dlg.editPLZBis->value(), 99999);
        QVERIFY(!dlg.Changed);
        // Unticking "alle" counts the chosen entries, not a change by itself.
        dlg.cbStilAlle->click();
        QCOMPARE(dlg.lblStil->text(), QStringLiteral("0 von 3"));
        QVERIFY(!dlg.Changed);
    }

    // How OK ends: 1 only after a change, and then the run has marked.
    void okResult_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("mark0");
        QTest::addColumn<int>("mark1");
        QTest::newRow("no change") << "" << 2 << 0 << 0;
        QTest::newRow("tick and untick") << "untick retick" << 2 << 0 << 0;
        QTest::newRow("spin changed and restored") << "type restore" << 1 << 1 << 1;
        QTest::newRow("postal codes restricted") << "plz" << 1 << 1 << 0;
        QTest::newRow("every entry chosen without alle") << "raum" << 1 << 1 << 1;
        QTest::newRow("empty table without alle") << "loka" << 1 << 1 << 1;
        QTest::newRow("types restricted") << "atyp" << 1 << 1 << 0;
    }

    void okResult()
    {
        QFETCH(QString, edit);
        QFETCH(int, result);
        QFETCH(int, mark0);
        QFETCH(int, mark1);
        if (edit == QLatin1String("type restore"))
            Globals::AllPLZ = false;   // the fields are enabled
        TfrmFilter dlg;
        dlg.show();
        if (edit == QLatin1String("untick retick")) {
            dlg.cbATypAlle->click();
            dlg.cbATypAlle->click();
        } else if (edit == QLatin1String("type restore")) {
            dlg.editPLZVon->lineEdit()->selectAll();
            QTest::keyClicks(dlg.editPLZVon->lineEdit(), QStringLiteral("2"));
            dlg.editPLZVon->lineEdit()->selectAll();
            QTest::keyClicks(dlg.editPLZVon->lineEdit(), QStringLiteral("1"));
            QCOMPARE(dlg.editPLZVon->value(), 1);
        } else if (edit == QLatin1String("plz")) {
            dlg.cbPLZAlle->click();
            dlg.editPLZVon->setValue(40000);
            dlg.editPLZBis->setValue(50000);
        } else if (edit == QLatin1String("raum")) {
            dlg.cbRaumAlle->click();
            QCOMPARE(dlg.lblRaum->text(), QStringLiteral("2 von 2"));
        } else if (edit == QLatin1String("loka")) {
            dlg.cbLokaAlle->click();
            QCOMPARE(dlg.lblLoka->text(), QStringLiteral("0 von 0"));
        } else if (edit == QLatin1String("atyp")) {
            dlg.cbATypAlle->click();
        }
        dlg.pbOkClick();
        QCOMPARE(dlg.result(), result);
        QCOMPARE(markOf(0), mark0);
        QCOMPARE(markOf(1), mark1);
        QVERIFY(controls::Modal::takeShown().isEmpty());
    }

    void reversedBoundsSwapped()
    {
        TfrmFilter dlg;
        dlg.show();
        dlg.cbPLZAlle->click();
        dlg.editPLZVon->setValue(50000);
        dlg.editPLZBis->setValue(40000);
        dlg.pbOkClick();
        QCOMPARE(dlg.result(), 1);
        QCOMPARE(Globals::PLZFrom, 40000);
        QCOMPARE(Globals::PLZTo, 50000);
        QCOMPARE(dlg.editPLZVon->value(), 40000);
        QCOMPARE(dlg.editPLZBis->value(), 50000);
        QCOMPARE(markOf(0), 1);   // 45000
        QCOMPARE(markOf(1), 0);   // 30000
        QVERIFY(!Globals::AllPLZ);
    }

    void disabledPostalFieldsStored()
    {
        TfrmFilter dlg;
        dlg.show();
        QVERIFY(!dlg.editPLZVon->isEnabled());
        dlg.editPLZVon->setValue(222);
        dlg.editPLZBis->setValue(333);
        dlg.pbOkClick();
        QCOMPARE(dlg.result(), 1);   // the values changed
        QCOMPARE(Globals::PLZFrom, 222);
        QCOMPARE(Globals::PLZTo, 333);
        QCOMPARE(markOf(1), 1);      // not restricted: "alle" is ticked
    }

    void spinEditLimits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("not a number") << "abc" << 1;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-5" << 1;
        QTest::newRow("five digits") << "99999" << 99999;
        QTest::newRow("six characters cut to five") << "123456" << 12345;
    }

    void spinEditLimits()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        TfrmFilter dlg;
        dlg.show();
        dlg.cbPLZAlle->click();
        dlg.editPLZVon->lineEdit()->selectAll();
        QTest::keyClicks(dlg.editPLZVon->lineEdit(), typed);
        dlg.pbOkClick();
        QCOMPARE(Globals::PLZFrom, value);
    }

    void closeBoxStoresNothing()
    {
        TfrmFilter dlg;
        dlg.show();
        dlg.cbATypAlle->click();
        dlg.cbPLZAlle->click();
        dlg.editPLZVon->setValue(500);
        dlg.close();
        QCOMPARE(dlg.result(), 2);
        QVERIFY(Globals::AllATyp);
        QVERIFY(Globals::AllPLZ);
        QCOMPARE(Globals::PLZFrom, 1);
        QCOMPARE(markOf(0), 0);
    }

    // The whole way through exec(): the selection dialog opened from the
    // definition dialog, then the run in its progress window.
    void executeDefinition()
    {
        Globals::AllStil = false;
        int result = -1;
        QTimer::singleShot(0, [&] {
            auto *dlg = qobject_cast<TfrmFilter *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            QTimer::singleShot(0, [] {
                auto *set = qobject_cast<TfrmSetStil *>(QApplication::activeModalWidget());
                QVERIFY(set);
                set->pbSelOneClick();   // STIL 1 chosen
                set->pbOkClick();
            });
            dlg->pbSetStil->click();
            QCOMPARE(dlg->lblStil->text(), QStringLiteral("1 von 3"));
            dlg->pbOk->click();
        });
        result = ExecuteFilterDefinition(nullptr);
        QCOMPARE(result, 1);
        QCOMPARE(chosen(QStringLiteral("STIL")), QList<int>{1});
        // Address 0 (type 1) has no style links, address 1 is of type 2.
        QCOMPARE(markOf(0), 0);
        QCOMPARE(markOf(1), 0);
        // Placement stored in the section that also holds the settings.
        QVERIFY(Globals::ReadSettingInt(QStringLiteral("FILTER"), QStringLiteral("Position X"), -1) != -1);
    }

    // --- selection dialogs

    void listsFromSelField()
    {
        TfrmSetATyp dlg(nullptr);
        dlg.show();
        QCOMPARE(gridNames(dlg.gridAll), QStringList{QStringLiteral("ATYP 2")});
        QCOMPARE(gridNames(dlg.gridSel), (QStringList{QStringLiteral("ATYP 1"), QStringLiteral("ATYP 3")}));
        // SEL 2 in neither list, and ">>"/"<<" leave it alone.
        dlg.pbSelAllClick();
        dlg.pbUnselAllClick();
        QCOMPARE(gridNames(dlg.gridAll).size(), 3);
        QVERIFY(!gridNames(dlg.gridAll).contains(QStringLiteral("ATYP 4")));
        QVERIFY(!gridNames(dlg.gridSel).contains(QStringLiteral("ATYP 4")));
    }

    void moveLastEntry()
    {
        TfrmSetATyp dlg(nullptr);
        dlg.show();
        dlg.pbSelOneClick();   // ATYP 2, the only one on the left
        QVERIFY(dlg.Changed);
        QCOMPARE(gridNames(dlg.gridAll), QStringList{});
        QCOMPARE(dlg.gridSel->gridModel()->currentRow(), 1);
        QCOMPARE(dlg.tblSel->fieldByName(QStringLiteral("ATYP_ID")).asInteger(), 2);
        QCOMPARE(chosen(QStringLiteral("ATYP")), (QList<int>{1, 2, 3}));
        dlg.pbSelOneClick();   // empty list: nothing
        QCOMPARE(chosen(QStringLiteral("ATYP")), (QList<int>{1, 2, 3}));
    }

    void emptyChoiceRefused()
    {
        TfrmSetStil dlg(nullptr);
        dlg.show();
        dlg.pbSelAllClick();
        QCOMPARE(chosen(QStringLiteral("STIL")), (QList<int>{1, 2, 3}));
        dlg.pbUnselAllClick();
        QCOMPARE(chosen(QStringLiteral("STIL")), QList<int>{});
        QVERIFY(dlg.Changed);
        dlg.pbOkClick();
        const auto shown = controls::Modal::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].kind, controls::Modal::Shown::Information);
        QCOMPARE(shown[0].text, QStringLiteral("Mind. eine Stilrichtung muß ausgewählt werden"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.result(), 0);
    }

    void okResults_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("result");
        QTest::addColumn<QList<int>>("stored");
        QTest::newRow("right and back") << "><" << 1 << QList<int>{1, 3};
        QTest::newRow("no move") << "" << 2 << QList<int>{1, 3};
        QTest::newRow("close box after moves") << ">x" << 2 << QList<int>{1, 2, 3};
    }

    void okResults()
    {
        QFETCH(QString, moves);
        QFETCH(int, result);
        QFETCH(QList<int>, stored);
        TfrmSetATyp dlg(nullptr);
        dlg.show();
        for (QChar m : moves) {
            if (m == QLatin1Char('>'))
                dlg.pbSelOneClick();
            else if (m == QLatin1Char('<'))
                dlg.pbUnselOneClick();   // the moved entry is current on the right
            else
                dlg.close();
        }
        if (!moves.endsWith(QLatin1Char('x')))
            dlg.pbOkClick();
        QCOMPARE(dlg.result(), result);
        QCOMPARE(chosen(QStringLiteral("ATYP")), stored);
    }

    // A close box after moves: the definition dialog keeps its count and
    // does not count it as a change.
    void closedSelectionIsNoChange()
    {
        Globals::AllATyp = false;
        TfrmFilter dlg;
        dlg.show();
        QTimer::singleShot(0, [] {
            auto *set = qobject_cast<TfrmSetATyp *>(QApplication::activeModalWidget());
            QVERIFY(set);
            set->pbSelOneClick();
            set->close();
        });
        dlg.pbSetATypClick();
        QCOMPARE(dlg.lblATyp->text(), QStringLiteral("2 von 4"));
        QVERIFY(!dlg.Changed);
        QCOMPARE(chosen(QStringLiteral("ATYP")), (QList<int>{1, 2, 3}));
    }

    void textsOfTheFour_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hintUnselAll");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("buttonLeft");
        QTest::newRow("ATyp") << "ATyp" << "Adresstypen wählen"
                              << "Alle Adresstypen in die Auswahl \"Nicht anzeigen\"" << 494 << 209;
        QTest::newRow("Raum") << "Raum" << "Großräume wählen" << "Alle Großräume in die Auswahl \"Nicht Anzeigen\""
                              << 494 << 210;
        QTest::newRow("Stil") << "Stil" << "Stilrichtungen wählen"
                              << "Alle Stilrichtungen in die Auswahl \"Nicht Anzeigen\"" << 494 << 209;
        QTest::newRow("Loka") << "Loka" << "Lokaltypen wählen"
                              << "Alle Lokaltypen in die Auswahl \"Nicht Anzeigen\"" << 500 << 212;
    }

    void textsOfTheFour()
    {
        QFETCH(QString, which);
        QFETCH(QString, caption);
        QFETCH(QString, hintUnselAll);
        QFETCH(int, width);
        QFETCH(int, buttonLeft);
        std::unique_ptr<TfrmSetCategory> dlg;
        if (which == QLatin1String("ATyp"))
            dlg = std::make_unique<TfrmSetATyp>(nullptr);
        else if (which == QLatin1String("Raum"))
            dlg = std::make_unique<TfrmSetRaum>(nullptr);
        else if (which == QLatin1String("Stil"))
            dlg = std::make_unique<TfrmSetStil>(nullptr);
        else
            dlg = std::make_unique<TfrmSetLoka>(nullptr);
        QCOMPARE(dlg->windowTitle(), caption);
        QCOMPARE(dlg->pbUnselAll->toolTip(), hintUnselAll);
        QCOMPARE(dlg->width(), width);
        QCOMPARE(dlg->pbSelOne->x(), buttonLeft);
    }
};

QTEST_MAIN(TestFilterDialogs)
#include "tst_filterdialogs.moc"
