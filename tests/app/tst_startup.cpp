// Start-up and shutdown: the program directory, the order in which the
// long-lived windows go, and the main window's life from creation to the
// settings written at its end.

#include "TempProgramDir.h"
#include "app/Application.h"
#include "app/Globals.h"
#include "app/IniFile.h"
#include "app/Startup.h"
#include "controls/Modal.h"
#include "data/Session.h"
#include "mainwin/TourbuchMain.h"

#include <QDir>
#include <QLabel>
#include <QTest>
#include <cerrno>
#include <unistd.h>

namespace {

// Records the order of hide and destroy events of the windows it stands for.
QStringList events;

class RecordingWindow : public QWidget {
public:
    explicit RecordingWindow(QString name) : m_name(std::move(name)) {}
    ~RecordingWindow() override { events << m_name + ":destroy"; }

protected:
    void hideEvent(QHideEvent *) override { events << m_name + ":hide"; }

private:
    QString m_name;
};

void fillAddresses(const TempProgramDir &dir, int count)
{
    QStringList sql;
    for (int i = 0; i < count; ++i)
        sql << QStringLiteral("INSERT INTO ADRE (ADRE_ID, ADRE_REF, ADRE_NAME, ADRE_SEL, STUD_ID, BAND_ID, LABE_ID) "
                              "VALUES (%1, %2, 'Adresse %3', 0, 0, 0, 0)")
                   .arg(i)
                   .arg(500 + i)
                   .arg(i, 3, 10, QLatin1Char('0'));
    dir.exec("ADRE", sql);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        Globals::ResetProgramState();
        controls::Modal::setTestMode(true);
    }

    void programDirectoryBecomesWorkingDirectory()
    {
        TempProgramDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(QDir::tempPath());   // as if started from a shortcut elsewhere
        Startup::SetupDatabaseAlias(dir.file("Tourbuch"));
        QCOMPARE(Globals::ProgramDir, dir.path());
        QVERIFY(Globals::ProgramDir.endsWith('/'));
        QCOMPARE(QDir::current().canonicalPath(), QDir(dir.path()).canonicalPath());
        QCOMPARE(data::Session::instance().tableFilePath("Tourbuch", "ADRE"), dir.file("ADRE.FFD"));
        QCOMPARE(data::Session::instance().tableFilePath("Tourbuch", "STUD.FFD"), dir.file("STUD.FFD"));
        // No engine files are written.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        QDir::setCurrent(before);
    }

    void unreachableDirectoryStopsStartup()
    {
        TempProgramDir dir;
        const QString missing = dir.file("fehlt/Tourbuch");
        try {
            Startup::SetupDatabaseAlias(missing);
            QFAIL("no error");
        } catch (const Startup::StartupError &e) {
            QCOMPARE(e.code(), ENOENT);
            QCOMPARE(e.message(), QStringLiteral("I/O error %1").arg(ENOENT));
        }
        QVERIFY(!QFile::exists(dir.file("Tourbuch.Ini")));
    }

    void windowsGoNewestFirstHiddenBeforeDestroyed()
    {
        events.clear();
        {
            Startup::LongLivedWindows windows;
            auto main = std::make_unique<RecordingWindow>("main");
            main->show();
            windows.adopt(std::move(main));
            windows.adopt(std::make_unique<RecordingWindow>("text"));   // never shown
            auto picture = std::make_unique<RecordingWindow>("picture");
            picture->show();
            windows.adopt(std::move(picture));
            QCOMPARE(windows.count(), 3);
        }
        QCOMPARE(events, QStringList({"picture:hide", "picture:destroy", "text:destroy", "main:hide", "main:destroy"}));
    }

    void mainWindowLifecycle()
    {
        TempProgramDir dir;
        dir.createAllTables();
        fillAddresses(dir, 12);
        Globals::ProgramDir = dir.path();

        auto window = std::make_unique<TfrmMain>();
        QCOMPARE(Globals::AddressTotal, 12);
        QCOMPARE(window->lblAnzahl()->text(), QString("Alle 12"));
        // Creation reads the settings but writes nothing.
        QVERIFY(!QFile::exists(Globals::SettingsFileName()));

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->windowTitle(), QString::fromUtf8("JOX - Live-Veranstalter \"Orbenland\" 5.0"));
        QCOMPARE(window->frameGeometry().topLeft(), QPoint(12, 9));
        QCOMPARE(window->frameGeometry().size(), QSize(634, 342));
        QCOMPARE(window->pnlLinks()->width(), 200);

        window->move(40, 50);
        window->close();   // hides: placement and list width are stored
        IniFile ini(Globals::SettingsFileName());
        QCOMPARE(ini.readInteger("HAUPTFENSTER", "Position X", -1), 40);
        QCOMPARE(ini.readInteger("HAUPTFENSTER", "Position Y", -1), 50);
        QCOMPARE(ini.readInteger("HAUPTFENSTER", "Breite", -1), 634);
        QCOMPARE(ini.readInteger("HAUPTFENSTER", "Breite Verzeichnis", -1), 200);
        QCOMPARE(ini.readString("FILTER", "PLZ bis", QString()), QString());   // not before the end

        Globals::PLZFrom = 4711;
        window.reset();   // destruction saves the settings
        QCOMPARE(ini.readInteger("FILTER", "PLZ von", -1), 4711);
        const QList<QPair<QString, QString>> keys{
            {"NOTIZEN", "Immer im Vordergrund"}, {"TEXTE", "Immer im Vordergrund"},
            {"BILDER", "Immer im Vordergrund"}, {"FILTER", "Alle Adresstypen"},
            {"FILTER", "Alle Grossraeume"},      {"FILTER", "Alle Stilrichtungen"},
            {"FILTER", "Alle Lokaltypen"},       {"FILTER", "Alle PLZ"},
            {"FILTER", "PLZ von"},               {"FILTER", "PLZ bis"},
            {"DRUCKER", "Rand links"},           {"DRUCKER", "Rand rechts"},
            {"DRUCKER", "Rand oben"},            {"DRUCKER", "Rand unten"}};
        for (const auto &[section, key] : keys)
            QVERIFY2(!ini.readString(section, key, QString()).isEmpty(), qPrintable(section + "/" + key));

        // The next start opens where the last one ended.
        auto again = std::make_unique<TfrmMain>();
        again->show();
        QVERIFY(QTest::qWaitForWindowExposed(again.get()));
        QCOMPARE(again->frameGeometry().topLeft(), QPoint(40, 50));
        QCOMPARE(Globals::PLZFrom, 4711);
    }

    void missingAddressTableIsReported()
    {
        TempProgramDir dir;
        Globals::ProgramDir = dir.path();
        try {
            TfrmMain window;
            QFAIL("no error");
        } catch (const data::DatabaseError &e) {
            QVERIFY2(e.message().contains("ADRE"), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(dir.file("ADRE.FFD")));
        QVERIFY(!QFile::exists(Globals::SettingsFileName()));
    }
};

int main(int argc, char **argv)
{
    TourbuchApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
