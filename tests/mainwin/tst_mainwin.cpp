// The main window over real table files in a temporary program directory,
// with real widgets on the offscreen platform.

#include "TempProgramDir.h"
#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/HelpViewer.h"
#include "controls/Lamp.h"
#include "controls/Modal.h"
#include "data/Table.h"
#include "detail/Info.h"
#include "filter/Filter.h"
#include "mainwin/SplitControl.h"
#include "mainwin/TourbuchMain.h"
#include "richtext/DbRichText.h"

#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

// Six addresses in name order. In the filter: 1, 3, 4.
// Related records: 0 a studio, 1 a band, 2 only a label, the rest none.
struct Address {
    const char *name;
    int sel, stud, band, labe;
};
const Address Addresses[] = {
    {"Alte Mälzerei", 0, 1, 0, 0}, {"Bahnhof", 1, 0, 2, 0},  {"Club Ö", 0, 0, 0, 3},
    {"Ölmühle", 1, 0, 0, 0},       {"Straße 1", 1, 0, 0, 0}, {"Zelt", 0, 0, 0, 0},
};
constexpr int AddressCount = 6;

int currentId(TfrmMain &w)
{
    if (w.tblAdre().currentRowId() == 0)
        return -1;
    return w.tblAdre().fieldByName(QStringLiteral("ADRE_ID")).asInteger();
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> dir;

    std::unique_ptr<TfrmMain> makeWindow(bool show = true)
    {
        auto w = std::make_unique<TfrmMain>();
        if (show) {
            w->show();
            QApplication::processEvents();
        }
        return w;
    }
    void setSelection(const QList<int> &selected)
    {
        QStringList sql{QStringLiteral("UPDATE ADRE SET ADRE_SEL = 0")};
        for (int id : selected)
            sql << QStringLiteral("UPDATE ADRE SET ADRE_SEL = 1 WHERE ADRE_ID = %1").arg(id);
        dir->exec(QStringLiteral("ADRE"), sql);
    }

private slots:
    void initTestCase() { controls::Modal::setTestMode(true); }

    void init()
    {
        Globals::ResetProgramState();
        dir = std::make_unique<TempProgramDir>();
        dir->createAllTables();
        Globals::ProgramDir = dir->path();
        QStringList sql;
        for (int i = 0; i < AddressCount; ++i) {
            const Address &a = Addresses[i];
            sql << QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_SEL, ADRE_MEMO, STUD_ID, "
                                  "BAND_ID, LABE_ID) VALUES (%1, %2, '%3', %4, 'Text %1', %5, %6, %7)")
                       .arg(i)
                       .arg(5000 + i)
                       .arg(QString::fromUtf8(a.name))
                       .arg(a.sel)
                       .arg(a.stud)
                       .arg(a.band)
                       .arg(a.labe);
        }
        dir->exec(QStringLiteral("ADRE"), sql);
        controls::Modal::takeShown();
    }
    void cleanup()
    {
        QApplication::restoreOverrideCursor();
        dir.reset();
    }

    void firstStartWithoutSettings()
    {
        QVERIFY(!QFile::exists(Globals::SettingsFileName()));
        auto w = makeWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("JOX - Live-Veranstalter \"Orbenland\" 5.0"));
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(12, 9));
        QCOMPARE(w->frameGeometry().size(), QSize(634, 342));
        QCOMPARE(w->pnlLinks()->width(), 200);
        QCOMPARE(Globals::AddressTotal, AddressCount);
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("Alle 6"));
        QVERIFY(w->imgFilterOff()->isVisibleTo(w.get()));
        QVERIFY(!w->imgFilterOn()->isVisibleTo(w.get()));
        QVERIFY(w->pbFilterOff()->isChecked());
        QVERIFY(w->mnpFilterOff()->isChecked());
        QVERIFY(!w->mnpFilterOn()->isChecked());
        QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->editGotoKey()));
        QCOMPARE(currentId(*w), 0);
        QCOMPARE(w->gridAdre()->model()->rowCount(), AddressCount);
        QCOMPARE(w->ButtonRowWidth(), 406);
        // The button row is centred on the panel, hidden buttons keep their place.
        QCOMPARE(w->pbNotizen()->x(), w->pbInfos()->x() + 76);
        QCOMPARE(w->pbHilfe()->x(), w->pbDrucken()->x() + 86);
        // The go-to field reaches the right edge of its panel.
        QCOMPARE(w->editGotoKey()->geometry().right(), w->pnlFilter()->width() - 1);
    }

    void controlsAndMenus()
    {
        auto w = makeWindow();
        QCOMPARE(w->gbFilter()->title(), QStringLiteral(" Filter "));
        QCOMPARE(w->pbFilterDef()->text(), QStringLiteral("Ändern"));
        QCOMPARE(w->mnpFilter()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
        QCOMPARE(w->mnpFilterOn()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QCOMPARE(w->mnpFilterOff()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(w->mnpDrucken()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(w->mnpBeenden()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(w->mnpRaender()->text(), QStringLiteral("Ränder"));
        QCOMPARE(w->mnpInfo()->text(), QStringLiteral("&Info"));
        // Tab visits exactly these, in this order.
        QList<QWidget *> order;
        QWidget *from = w->gridAdre();
        for (int i = 0; i < 6; ++i) {
            order << from;
            from = from->nextInFocusChain();
            while (from->focusPolicy() & Qt::TabFocus ? false : true)
                from = from->nextInFocusChain();
        }
        const QList<QWidget *> expected{w->gridAdre(), w->editGotoKey(), w->DBWPRichTextMain(), w->pbNotizen(),
                                        w->pbHilfe(), w->pbEnde()};
        QCOMPARE(order, expected);
        QCOMPARE(w->pbInfos()->focusPolicy() & Qt::TabFocus, 0);
        QCOMPARE(w->pbDrucken()->focusPolicy() & Qt::TabFocus, 0);
        QCOMPARE(w->pbFilterOn()->focusPolicy(), Qt::NoFocus);
    }

    void buttonsFollowTheAddress_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("emptyFilteredView");
        QTest::addColumn<bool>("infos");
        QTest::addColumn<bool>("notes");
        QTest::newRow("studio") << 0 << false << true << true;
        QTest::newRow("band") << 1 << false << true << true;
        QTest::newRow("only a label") << 2 << false << true << true;
        QTest::newRow("none") << 4 << false << false << true;
        QTest::newRow("empty filtered view") << 0 << true << false << false;
    }
    void buttonsFollowTheAddress()
    {
        QFETCH(int, id);
        QFETCH(bool, emptyFilteredView);
        QFETCH(bool, infos);
        QFETCH(bool, notes);
        if (emptyFilteredView)
            setSelection({});
        auto w = makeWindow();
        // The notes window's seam: called with the reference while it is visible.
        QWidget notesWindow;
        QList<int> notesShown;
        w->setNotesWindow(&notesWindow, [&](int ref) { notesShown << ref; });
        notesWindow.show();
        w->tblAdre().findKey({id == 0 ? 5 : 0});   // start elsewhere
        notesShown.clear();
        if (emptyFilteredView)
            w->pbFilterOnClick();
        else
            QVERIFY(w->tblAdre().findKey({id}));
        QCOMPARE(w->pbInfos()->isVisibleTo(w.get()), infos);
        QCOMPARE(w->pbNotizen()->isVisibleTo(w.get()), notes);
        QCOMPARE(w->pbDrucken()->isVisibleTo(w.get()), notes);
        QVERIFY(!notesShown.isEmpty());
        QCOMPARE(notesShown.last(), emptyFilteredView ? 0 : 5000 + id);
        // A hidden notes window is left alone.
        notesWindow.hide();
        notesShown.clear();
        w->tblAdre().first();
        QVERIFY(notesShown.isEmpty());
    }

    void gotoSearch_data()
    {
        QTest::addColumn<bool>("filterOn");
        QTest::addColumn<int>("startId");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expectedId");   // -1: no current address
        QTest::newRow("empty key, all") << false << 4 << QString() << 0;
        QTest::newRow("empty key, filter") << true << 4 << QString() << 1;
        QTest::newRow("small letters") << false << 0 << QStringLiteral("bahn") << 1;
        QTest::newRow("capitals") << false << 0 << QStringLiteral("BAHN") << 1;
        QTest::newRow("umlaut small") << false << 5 << QStringLiteral("ölm") << 3;
        QTest::newRow("umlaut capital") << false << 0 << QStringLiteral("ÖLM") << 3;
        QTest::newRow("between names") << false << 0 << QStringLiteral("p") << 4;
        QTest::newRow("before every name") << false << 3 << QStringLiteral("A") << 0;
        QTest::newRow("equal to the first name") << false << 4 << QStringLiteral("alte mälzerei") << 0;
        QTest::newRow("after every name") << false << 0 << QStringLiteral("zz") << 5;
        QTest::newRow("filter: before every name") << true << 4 << QStringLiteral("A") << 1;
        QTest::newRow("filter: after every name") << true << 1 << QStringLiteral("zz") << 4;
        QTest::newRow("filter: walk back") << true << 4 << QStringLiteral("c") << 3;
        QTest::newRow("filter: walk on") << true << 1 << QStringLiteral("s") << 4;
        QTest::newRow("filter: own result again") << true << 3 << QStringLiteral("c") << 3;
        QTest::newRow("filter: empty view") << true << -1 << QStringLiteral("x") << -1;
    }
    void gotoSearch()
    {
        QFETCH(bool, filterOn);
        QFETCH(int, startId);
        QFETCH(QString, key);
        QFETCH(int, expectedId);
        if (startId < 0)
            setSelection({});
        auto w = makeWindow();
        if (filterOn)
            w->pbFilterOnClick();
        if (startId >= 0)
            QVERIFY(w->tblAdre().findKey(filterOn ? QVariantList{1, startId} : QVariantList{startId}));
        const int fetches = w->gridAdre()->gridModel()->fetchCount();
        int notifications = 0;
        connect(&w->dsAdre(), &data::DataSource::dataChange, w.get(), [&] { ++notifications; });

        w->editGotoKey()->setText(key);
        w->Timer1Timer();
        QCOMPARE(currentId(*w), expectedId);
        QVERIFY(!w->GotoBusy());
        QVERIFY(!w->Timer1()->isActive());
        QVERIFY(!w->tblAdre().controlsDisabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // The list shows the record reached; its names were not fetched again.
        QCOMPARE(w->gridAdre()->gridModel()->fetchCount(), fetches);
        if (expectedId >= 0) {
            QCOMPARE(w->gridAdre()->currentIndex().row(), w->gridAdre()->gridModel()->currentRow());
            QCOMPARE(w->gridAdre()->gridModel()->rowIdAt(w->gridAdre()->currentIndex().row()),
                     w->tblAdre().currentRowId());
        }
        // Detached during the search: one notification, for the record reached.
        QVERIFY(notifications <= 1);
    }

    void keyReleasesRestartTheTimerOnce()
    {
        auto w = makeWindow();
        QTest::keyClick(w->editGotoKey(), Qt::Key_S);
        QVERIFY(w->Timer1()->isActive());
        QTest::keyClick(w->editGotoKey(), Qt::Key_T);
        QTest::keyClick(w->editGotoKey(), Qt::Key_Shift);   // no change of the text restarts it too
        QVERIFY(w->Timer1()->isActive());
        QCOMPARE(currentId(*w), 0);   // nothing searched yet
        QTRY_COMPARE(currentId(*w), 4);
        QVERIFY(!w->Timer1()->isActive());   // one search per burst
    }

    void keyReleaseWhileBusyIsIgnored()
    {
        auto w = makeWindow();
        bool sawBusy = false;
        bool timerArmed = true;
        // A window following the current address gets the one notification
        // while the search still runs.
        connect(&w->dsAdre(), &data::DataSource::dataChange, w.get(), [&] {
            if (!w->GotoBusy())
                return;
            sawBusy = true;
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(w->editGotoKey(), &release);
            timerArmed = w->Timer1()->isActive();
        });
        w->editGotoKey()->setText(QStringLiteral("zelt"));
        w->Timer1Timer();
        QVERIFY(sawBusy);
        QVERIFY(!timerArmed);
        QVERIFY(!w->Timer1()->isActive());
        QCOMPARE(currentId(*w), 5);
    }

    // From "Ändern" through the definition dialog and the run to the
    // filtered list and its count; the close box changes nothing.
    void defineFilter_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("OK after a change") << true;
        QTest::newRow("close box") << false;
    }
    void defineFilter()
    {
        QFETCH(bool, confirm);
        dir->exec(QStringLiteral("ATYP"), {QStringLiteral("INSERT INTO ATYP VALUES (1, 'Veranstalter', 1)"),
                                            QStringLiteral("INSERT INTO ATYP VALUES (2, 'Medien', 0)")});
        dir->exec(QStringLiteral("ADRE"), {QStringLiteral("UPDATE ADRE SET ADRE_TYP = 2"),
                                            QStringLiteral("UPDATE ADRE SET ADRE_TYP = 1 WHERE ADRE_ID IN (0, 2, 5)")});
        auto w = makeWindow();
        QTimer::singleShot(0, this, [confirm] {
            auto *dlg = qobject_cast<TfrmFilter *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            dlg->cbATypAlle->click();   // one of two types chosen: a restriction
            if (confirm)
                dlg->pbOk->click();
            else
                dlg->close();
        });
        w->pbFilterDef()->click();
        if (confirm) {
            QVERIFY(w->pbFilterOn()->isChecked());
            QVERIFY(w->mnpFilterOn()->isChecked());
            QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("3 von 6"));
            QCOMPARE(w->gridAdre()->model()->rowCount(), 3);
            QCOMPARE(currentId(*w), 0);
        } else {
            QVERIFY(w->pbFilterOff()->isChecked());
            QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("Alle 6"));
            QCOMPARE(w->gridAdre()->model()->rowCount(), AddressCount);
        }
    }

    void filterSwitching_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("startId");
        QTest::addColumn<int>("idWhenOn");   // -1: empty view
        QTest::addColumn<QString>("countWhenOn");
        QTest::addColumn<int>("idWhenOffAgain");
        QTest::newRow("current passed") << QList<int>{1, 3, 4} << 3 << 3 << QStringLiteral("3 von 6") << 3;
        QTest::newRow("current did not pass") << QList<int>{1, 3, 4} << 2 << 1 << QStringLiteral("3 von 6") << 1;
        QTest::newRow("nothing passed") << QList<int>{} << 4 << -1 << QStringLiteral("0 von 6") << 0;
        QTest::newRow("everything passed") << QList<int>{0, 1, 2, 3, 4, 5} << 5 << 5 << QStringLiteral("6 von 6")
                                           << 5;
    }
    void filterSwitching()
    {
        QFETCH(QList<int>, selected);
        QFETCH(int, startId);
        QFETCH(int, idWhenOn);
        QFETCH(QString, countWhenOn);
        QFETCH(int, idWhenOffAgain);
        setSelection(selected);
        auto w = makeWindow();
        QVERIFY(w->tblAdre().findKey({startId}));

        w->pbFilterOn()->click();
        QVERIFY(w->filterOn());
        QVERIFY(w->pbFilterOn()->isChecked() && !w->pbFilterOff()->isChecked());
        QVERIFY(w->mnpFilterOn()->isChecked() && !w->mnpFilterOff()->isChecked());
        QVERIFY(w->imgFilterOn()->isVisibleTo(w.get()) && !w->imgFilterOff()->isVisibleTo(w.get()));
        QCOMPARE(w->lblAnzahl()->text(), countWhenOn);
        QCOMPARE(currentId(*w), idWhenOn);
        QCOMPARE(w->tblAdre().indexName(), QStringLiteral("AD_SEL"));
        QCOMPARE(w->gridAdre()->model()->rowCount(), int(selected.size()));
        QCOMPARE(w->focusWidget(), static_cast<QWidget *>(w->editGotoKey()));
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        w->pbFilterOff()->click();
        QVERIFY(!w->filterOn() && w->pbFilterOff()->isChecked());
        QVERIFY(w->mnpFilterOff()->isChecked() && !w->mnpFilterOn()->isChecked());
        QVERIFY(!w->imgFilterOn()->isVisibleTo(w.get()) && w->imgFilterOff()->isVisibleTo(w.get()));
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("Alle 6"));
        QCOMPARE(currentId(*w), idWhenOffAgain);
        QCOMPARE(w->tblAdre().indexName(), QStringLiteral("AD_ID"));
        QCOMPARE(w->gridAdre()->model()->rowCount(), AddressCount);
    }

    void clickOnTheDownButtonReapplies()
    {
        auto w = makeWindow();
        w->mnpFilterOn()->trigger();
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("3 von 6"));
        // A new filter run (another cursor) marks one more address.
        setSelection({1, 3, 4, 5});
        w->mnpFilterOn()->trigger();   // the menu does nothing when the filter is on
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("3 von 6"));
        w->pbFilterOn()->click();      // the button already down re-applies and recounts
        QVERIFY(w->pbFilterOn()->isChecked());
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("4 von 6"));
        QCOMPARE(w->gridAdre()->model()->rowCount(), 4);
        w->mnpFilterOff()->trigger();
        QVERIFY(w->pbFilterOff()->isChecked());
        w->pbFilterOff()->click();
        QVERIFY(w->pbFilterOff()->isChecked());
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("Alle 6"));
    }

    // A long list reads the row ids of its view once and the names of the rows
    // it shows, a block at a time; scrolling back reads nothing again.
    void listReadsWhatItShows()
    {
        QStringList sql;
        for (int i = AddressCount; i < 1000; ++i)
            sql << QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_SEL) VALUES (%1, %2, 'Zz%3', 0)")
                       .arg(i)
                       .arg(5000 + i)
                       .arg(i, 4, 10, QLatin1Char('0'));
        dir->exec(QStringLiteral("ADRE"), sql);
        auto w = makeWindow();
        controls::DbGridModel *model = w->gridAdre()->gridModel();
        const int fetches = model->fetchCount();
        QCOMPARE(model->rowCount(), 1000);
        QCOMPARE(model->blocksRead(), 1);
        w->gridAdre()->scrollToBottom();
        QApplication::processEvents();
        w->gridAdre()->scrollToTop();
        QApplication::processEvents();
        QCOMPARE(model->blocksRead(), 2);
        QCOMPARE(model->data(model->index(999, 0), Qt::DisplayRole).toString(), QStringLiteral("Zz0999"));
        QCOMPARE(model->data(model->index(500, 0), Qt::DisplayRole).toString(), QStringLiteral("Zz0500"));
        QCOMPARE(model->fetchCount(), fetches);
        QVERIFY(w->tblAdre().findKey({640}));
        QCOMPARE(w->gridAdre()->currentIndex().row(), 640);
    }

    void listAndTableFollowEachOther()
    {
        auto w = makeWindow();
        auto *grid = w->gridAdre();
        grid->setCurrentIndex(grid->model()->index(3, 0));
        QCOMPARE(currentId(*w), 3);
        QVERIFY(w->tblAdre().findKey({5}));
        QCOMPARE(grid->currentIndex().row(), 5);
        QCOMPARE(grid->model()->headerData(5, Qt::Vertical).toString(), QStringLiteral("\u25B6"));
        QCOMPARE(grid->model()->headerData(3, Qt::Vertical).toString(), QString());
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QCOMPARE(grid->model()->data(grid->model()->index(2, 0)).toString(), QStringLiteral("Club Ö"));
        QVERIFY(!(grid->model()->flags(grid->model()->index(2, 0)) & Qt::ItemIsEditable));
    }

    void resizeSnapsBackAndLimitsSize()
    {
        Globals::WriteSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 300);
        auto w = makeWindow();
        QCOMPARE(w->pnlLinks()->width(), 300);
        w->resize(900, 400);   // room enough: the list stays
        QCOMPARE(w->pnlLinks()->width(), 300);
        w->resize(650, 400);   // right side 345 < 406: back to 200
        QCOMPARE(w->pnlLinks()->width(), 200);

        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        const int menu = w->menuBar()->sizeHint().height();
        QCOMPARE(w->minimumSize(), QSize(5 + 406 + 200, menu + 2 + 141 + 94));
        w->resize(300, 100);
        QCOMPARE(w->size(), QSize(611, menu + 237));
        // Only while active.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(w->minimumSize(), QSize(0, 0));
    }

    void narrowStoredListIsLeftAlone()
    {
        Globals::WriteSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 150);
        auto w = makeWindow();
        QCOMPARE(w->pnlLinks()->width(), 150);
        w->resize(620, 400);
        QCOMPARE(w->pnlLinks()->width(), 150);
        // The next drag ends with at least 200.
        sendMouse(w->pnlHSplit(), QEvent::MouseButtonPress, QPoint(2, 20), Qt::LeftButton, Qt::LeftButton);
        sendMouse(w->pnlHSplit(), QEvent::MouseButtonRelease, QPoint(2, 20), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w->pnlLinks()->width(), 200);
    }

    void splitter_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<int>("releaseAt");   // from the left edge of the list; -1: no move
        QTest::addColumn<int>("expectedWidth");
        QTest::addColumn<bool>("drags");
        QTest::newRow("right button") << int(Qt::RightButton) << 0 << false << 350 << 240 << false;
        QTest::newRow("left with Shift") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << false << 350 << 240
                                         << false;
        QTest::newRow("left with Ctrl") << int(Qt::LeftButton) << int(Qt::ControlModifier) << false << 350 << 240
                                        << false;
        QTest::newRow("double-click") << int(Qt::LeftButton) << 0 << true << 350 << 240 << false;
        QTest::newRow("no move") << int(Qt::LeftButton) << 0 << false << -1 << 240 << true;
        QTest::newRow("release at 120") << int(Qt::LeftButton) << 0 << false << 120 << 200 << true;
        QTest::newRow("release at 350") << int(Qt::LeftButton) << 0 << false << 350 << 350 << true;
    }
    void splitter()
    {
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(bool, doubleClick);
        QFETCH(int, releaseAt);
        QFETCH(int, expectedWidth);
        QFETCH(bool, drags);
        Globals::WriteSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 240);
        auto w = makeWindow();
        w->resize(900, 400);
        QWidget *bar = w->pnlHSplit();
        const auto b = Qt::MouseButton(button);
        sendMouse(bar, doubleClick ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, QPoint(2, 30), b, b,
                  Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w->Splitter().IsTracking(), drags);
        QCOMPARE(w->Splitter().guide() != nullptr, drags);
        if (releaseAt >= 0) {
            // In the bar's coordinates; the release itself lands elsewhere.
            const int x = releaseAt - (bar->x() - w->pnlLinks()->x());
            sendMouse(bar, QEvent::MouseMove, QPoint(x, 40), Qt::NoButton, b, Qt::KeyboardModifiers(modifiers));
            if (drags) {
                QWidget *guide = w->Splitter().guide();
                QVERIFY(guide);
                // Over the list side and the bar's whole height.
                const QPoint inForm = w->pnlLinks()->mapTo(w.get(), QPoint(releaseAt, 0));
                QVERIFY(qAbs(guide->geometry().center().x() - inForm.x()) <= 1);
                QCOMPARE(guide->height(), bar->height());
                QVERIFY(guide->geometry().intersects(QRect(w->gridAdre()->mapTo(w.get(), QPoint(0, 0)),
                                                           w->gridAdre()->size()))
                        || releaseAt > w->pnlLinks()->width());
            } else {
                QCOMPARE(w->Splitter().guide(), nullptr);
            }
        }
        sendMouse(bar, QEvent::MouseButtonRelease, QPoint(600, 40), b, Qt::NoButton);
        QVERIFY(!w->Splitter().IsTracking());
        QCOMPARE(w->Splitter().guide(), nullptr);   // no trace left
        QApplication::processEvents();
        QCOMPARE(w->pnlLinks()->width(), expectedWidth);
        // The width outlasts the run.
        w->hide();
        QCOMPARE(Globals::ReadSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 0),
                 expectedWidth);
    }

    void aboutShowsTheWholeDatabase()
    {
        auto w = makeWindow();
        w->pbFilterOnClick();
        QCOMPARE(w->lblAnzahl()->text(), QStringLiteral("3 von 6"));
        TfrmInfo info(w.get());
        info.show();
        QCOMPARE(info.windowTitle(), QStringLiteral("Info"));
        QCOMPARE(info.size(), QSize(436, 405));
        QCOMPARE(info.lblBestand()->text(), QStringLiteral("Aktueller Bestand: 6 Adressen"));
        QCOMPARE(info.lblVersion()->text(), QStringLiteral("Version 5.0 (09.11.2001)"));
        QVERIFY(info.BitBtn1()->isDefault());
        info.BitBtn1()->click();
        QCOMPARE(info.result(), int(QDialog::Accepted));
    }

    void aboutNumberHasNoSeparator()
    {
        Globals::AddressTotal = 1234;
        TfrmInfo info;
        info.show();
        QCOMPARE(info.lblBestand()->text(), QStringLiteral("Aktueller Bestand: 1234 Adressen"));
    }

    void descriptionEditsAreStored_data()
    {
        QTest::addColumn<bool>("leaveRecord");
        QTest::newRow("stored when another address becomes current") << true;
        QTest::newRow("still pending at the end: stored too") << false;
    }
    void descriptionEditsAreStored()
    {
        QFETCH(bool, leaveRecord);
        {
            auto w = makeWindow();
            QVERIFY(w->tblAdre().findKey({2}));
            auto *pane = w->DBWPRichTextMain();
            pane->moveCursor(QTextCursor::End);
            QTest::keyClicks(pane, QStringLiteral(" neu"));
            QVERIFY(w->tblAdre().state() == data::TableState::Edit);
            if (leaveRecord) {
                w->tblAdre().next();
                QVERIFY(w->tblAdre().state() == data::TableState::Browse);
            }
        }   // the program ends
        data::Table check;
        check.setTableName(QStringLiteral("ADRE"));
        check.open();
        check.setIndexName(QStringLiteral("AD_ID"));
        QVERIFY(check.findKey({2}));
        richtext::RichTextEditor reader;
        reader.setContentString(check.fieldByName(QStringLiteral("ADRE_MEMO")).asString());
        QCOMPARE(reader.toPlainText().trimmed(), QStringLiteral("Text 2 neu"));
    }

    void help_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::newRow("help file present") << true;
        QTest::newRow("help file missing") << false;
    }
    void help()
    {
        QFETCH(bool, withFile);
        if (withFile)
            QVERIFY(QFile::copy(QStringLiteral(TOURBUCH_HELP_FILE), dir->file(QStringLiteral("Tourbuch.hlp"))));
        auto w = makeWindow();
        w->pbHilfe()->click();
        auto *viewer = w->findChild<controls::HelpViewer *>();
        const auto shown = controls::Modal::takeShown();
        if (withFile) {
            QVERIFY(viewer && viewer->isVisible());
            QCOMPARE(viewer->context(), 2);
            QCOMPARE(viewer->topicTitle(), QStringLiteral("Das Adressverzeichnis"));
            QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Gehe zu:")));
            QVERIFY(shown.isEmpty());
        } else {
            QVERIFY(!viewer);
            QCOMPARE(shown.size(), 1);
            QVERIFY(shown.first().text.contains(QStringLiteral("Tourbuch.hlp")));
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwin.moc"
