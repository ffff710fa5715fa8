// The settings file "Tourbuch.Ini": format rules of the reader and
// writer, the fourteen settings, window placements.
//
// The test runs on the offscreen platform with one screen of 1024 x 768
// pixels (the plugin's "configfile" option, set in main below).

#include "app/Globals.h"
#include "app/IniFile.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

constexpr int ScreenWidth = 1024;
constexpr int ScreenHeight = 768;

QByteArray readBytes(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeBytes(const QString &fileName, const QByteArray &bytes)
{
    QFile f(fileName);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString latin(const char *s) { return QString::fromLatin1(s); }

// A sizeable top-level window and a fixed-size dialog.
std::unique_ptr<QWidget> sizeableWindow()
{
    auto w = std::make_unique<QWidget>();
    w->resize(300, 200);
    return w;
}

std::unique_ptr<QDialog> fixedDialog()
{
    auto d = std::make_unique<QDialog>();
    d->setFixedSize(320, 240);
    return d;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString iniName() const { return Globals::SettingsFileName(); }
    void setIni(const QByteArray &bytes) { writeBytes(iniName(), bytes); }

private slots:
    void initTestCase()
    {
        const QScreen *screen = QGuiApplication::primaryScreen();
        QVERIFY(screen);
        QCOMPARE(screen->geometry().size(), QSize(ScreenWidth, ScreenHeight));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        Globals::ResetProgramState();
        Globals::ProgramDir = m_dir->path() + QLatin1Char('/');
    }

    void cleanup()
    {
        // A test may have made the file read-only; the directory must still go.
        QFile::setPermissions(iniName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        m_dir.reset();
    }

    // ------------------------------------------------------------ globals

    void valuesBeforeTheyAreSet()
    {
        Globals::ProgramDir = QStringLiteral("x/");
        Globals::AddressTotal = 5;
        Globals::NotesOnTop = Globals::AllPLZ = true;
        Globals::PLZTo = Globals::MarginBottom = 7;
        Globals::ResetProgramState();
        QVERIFY(Globals::ProgramDir.isEmpty());
        QCOMPARE(Globals::AddressTotal, 0);
        QVERIFY(!Globals::NotesOnTop && !Globals::TextOnTop && !Globals::PictureOnTop);
        QVERIFY(!Globals::AllATyp && !Globals::AllRaum && !Globals::AllStil && !Globals::AllLoka
                && !Globals::AllPLZ);
        QCOMPARE(Globals::PLZFrom, 0);
        QCOMPARE(Globals::PLZTo, 0);
        QCOMPARE(Globals::MarginLeft + Globals::MarginRight + Globals::MarginTop
                     + Globals::MarginBottom,
                 0);
    }

    void settingsFileName()
    {
        QCOMPARE(Globals::SettingsFileName(), m_dir->path() + QStringLiteral("/Tourbuch.Ini"));
    }

    // ------------------------------------------------------------ reading

    void readString_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QString dflt = QStringLiteral("<default>");
        QTest::newRow("plain") << QByteArray("[A]\r\nk=v\r\n") << "A" << "k" << "v";
        QTest::newRow("blanks trimmed")
            << QByteArray("[A]\r\n  k \t=  some value \t \r\n") << "A" << "k" << "some value";
        QTest::newRow("blanks around section name")
            << QByteArray("  [ A ]  \r\nk=v\r\n") << "A" << "k" << "v";
        QTest::newRow("section case-insensitive")
            << QByteArray("[Hauptfenster]\r\nk=v\r\n") << "HAUPTFENSTER" << "k" << "v";
        QTest::newRow("key case-insensitive")
            << QByteArray("[A]\r\nPOSITION x=v\r\n") << "A" << "Position X" << "v";
        QTest::newRow("empty value") << QByteArray("[A]\r\nk=\r\n") << "A" << "k" << "";
        QTest::newRow("value with =") << QByteArray("[A]\r\nk=a=b\r\n") << "A" << "k" << "a=b";
        QTest::newRow("quotes stripped") << QByteArray("[A]\r\nk=\" x \"\r\n") << "A" << "k" << " x ";
        QTest::newRow("LF lines") << QByteArray("[A]\nk=v\n") << "A" << "k" << "v";
        QTest::newRow("no final line end") << QByteArray("[A]\r\nk=v") << "A" << "k" << "v";
        QTest::newRow("key in other section")
            << QByteArray("[A]\r\nk=a\r\n[B]\r\nk=b\r\n") << "B" << "k" << "b";
        QTest::newRow("first of duplicate keys")
            << QByteArray("[A]\r\nk=1\r\nk=2\r\n") << "A" << "k" << "1";
        QTest::newRow("missing key") << QByteArray("[A]\r\nx=v\r\n") << "A" << "k" << dflt;
        QTest::newRow("missing section") << QByteArray("[B]\r\nk=v\r\n") << "A" << "k" << dflt;
        QTest::newRow("key before any section") << QByteArray("k=v\r\n[A]\r\n") << "A" << "k" << dflt;
        QTest::newRow("comment is no key") << QByteArray("[A]\r\n;k=v\r\n") << "A" << ";k" << dflt;
        QTest::newRow("empty file") << QByteArray() << "A" << "k" << dflt;
        QTest::newRow("Windows-1252")
            << QByteArray("[Gr\xF6\xDF" "e]\r\nMa\xDF=\x80 \xE4\r\n") << latin("GR\xD6\xDF" "E")
            << latin("ma\xDF") << QString(QChar(0x20AC)) + latin(" \xE4");
        const QByteArray exact(2047, 'x');
        QTest::newRow("2047 characters kept")
            << QByteArray("[A]\r\nk=" + exact + "\r\n") << "A" << "k" << QString::fromLatin1(exact);
        QTest::newRow("2048 characters cut to 2047")
            << QByteArray("[A]\r\nk=" + exact + "yz\r\n") << "A" << "k" << QString::fromLatin1(exact);
    }

    void readString()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        setIni(file);
        QCOMPARE(IniFile(iniName()).readString(section, key, QStringLiteral("<default>")), expected);
    }

    void readInteger_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");

        const int dflt = -77;
        QTest::newRow("decimal") << QByteArray("12345") << 12345;
        QTest::newRow("zero") << QByteArray("0") << 0;
        QTest::newRow("negative") << QByteArray("-42") << -42;
        QTest::newRow("plus sign") << QByteArray("+42") << 42;
        QTest::newRow("leading zeros") << QByteArray("007") << 7;
        QTest::newRow("blanks around") << QByteArray("  99  ") << 99;
        QTest::newRow("$ hex") << QByteArray("$10") << 16;
        QTest::newRow("$ hex letters") << QByteArray("$fF") << 255;
        QTest::newRow("negative $ hex") << QByteArray("-$10") << -16;
        QTest::newRow("0x hex") << QByteArray("0x10") << 16;
        QTest::newRow("0X hex") << QByteArray("0XAb") << 171;
        QTest::newRow("$FFFFFFFF is -1") << QByteArray("$FFFFFFFF") << -1;
        QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("smallest") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("0x alone") << QByteArray("0x") << dflt;
        QTest::newRow("$ alone") << QByteArray("$") << dflt;
        QTest::newRow("sign alone") << QByteArray("-") << dflt;
        QTest::newRow("empty") << QByteArray("") << dflt;
        QTest::newRow("trailing letters") << QByteArray("12abc") << dflt;
        QTest::newRow("inner blank") << QByteArray("1 2") << dflt;
        QTest::newRow("hex digits without prefix") << QByteArray("1F") << dflt;
        QTest::newRow("bad hex digit") << QByteArray("$1G") << dflt;
        QTest::newRow("decimal point") << QByteArray("1.5") << dflt;
        QTest::newRow("overflow") << QByteArray("2147483648") << dflt;
        QTest::newRow("hex overflow") << QByteArray("$100000000") << dflt;
        QTest::newRow("text") << QByteArray("ja") << dflt;
    }

    void readInteger()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        setIni("[FILTER]\r\nPLZ von=" + value + "\r\n");
        QCOMPARE(IniFile(iniName()).readInteger(QStringLiteral("FILTER"), QStringLiteral("PLZ von"), -77),
                 expected);
    }

    void readMissing()
    {
        const IniFile ini(iniName());
        QVERIFY(!QFile::exists(iniName()));
        QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")),
                 QStringLiteral("d"));
        QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("k"), 17), 17);
        QCOMPARE(ini.readBool(QStringLiteral("A"), QStringLiteral("k"), true), true);
        QCOMPARE(ini.readBool(QStringLiteral("A"), QStringLiteral("k"), false), false);
        QVERIFY(!QFile::exists(iniName())); // reading never creates the file
    }

    void readBool_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");
        QTest::newRow("0") << QByteArray("0") << true << false;
        QTest::newRow("1") << QByteArray("1") << false << true;
        QTest::newRow("-1") << QByteArray("-1") << false << true;
        QTest::newRow("2") << QByteArray("2") << false << true;
        QTest::newRow("text, default true") << QByteArray("nein") << true << true;
        QTest::newRow("text, default false") << QByteArray("ja") << false << false;
    }

    void readBool()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        setIni("[TEXTE]\r\nImmer im Vordergrund=" + value + "\r\n");
        QCOMPARE(IniFile(iniName()).readBool(QStringLiteral("TEXTE"), QStringLiteral("Immer im Vordergrund"),
                                             defaultValue),
                 expected);
    }

    // ------------------------------------------------------------ writing

    void write_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new file: CR LF")
            << false << QByteArray() << "FILTER" << "PLZ von" << "1"
            << QByteArray("[FILTER]\r\nPLZ von=1\r\n");
        QTest::newRow("empty file")
            << true << QByteArray() << "A" << "k" << "v" << QByteArray("[A]\r\nk=v\r\n");
        QTest::newRow("replace, other lines byte-identical")
            << true
            << QByteArray("; Kommentar\r\n  odd line without equals  \r\n[A]\r\n x = 1 \r\n"
                          "k=old\r\n;k=comment\r\n\r\n[B]\r\nk=b\r\n\x01\xFF garbage\r\n")
            << "A" << "k" << "new"
            << QByteArray("; Kommentar\r\n  odd line without equals  \r\n[A]\r\n x = 1 \r\n"
                          "k=new\r\n;k=comment\r\n\r\n[B]\r\nk=b\r\n\x01\xFF garbage\r\n");
        QTest::newRow("replace, case-insensitive, file's spelling kept")
            << true << QByteArray("[hauptfenster]\r\n  position x = 5\r\nHoehe=3\r\n")
            << "HAUPTFENSTER" << "Position X" << "7"
            << QByteArray("[hauptfenster]\r\nposition x=7\r\nHoehe=3\r\n");
        QTest::newRow("replace first of duplicates")
            << true << QByteArray("[A]\r\nk=1\r\nk=2\r\n") << "A" << "k" << "3"
            << QByteArray("[A]\r\nk=3\r\nk=2\r\n");
        QTest::newRow("replace in LF file")
            << true << QByteArray("[A]\nk=1\n[B]\n") << "A" << "k" << "2"
            << QByteArray("[A]\nk=2\n[B]\n");
        QTest::newRow("replace line without final end")
            << true << QByteArray("[A]\r\nk=1") << "a" << "K" << "2" << QByteArray("[A]\r\nk=2");
        QTest::newRow("add key after last key, before blank lines")
            << true << QByteArray("[A]\r\nx=1\r\ny=2\r\n\r\n\r\n[B]\r\nz=3\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\ny=2\r\nk=v\r\n\r\n\r\n[B]\r\nz=3\r\n");
        QTest::newRow("add key to last section")
            << true << QByteArray("[A]\r\nx=1\r\n[B]\r\nz=3\r\n") << "b" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\n[B]\r\nz=3\r\nk=v\r\n");
        QTest::newRow("add key to empty section")
            << true << QByteArray("[A]\r\n\r\n[B]\r\n") << "A" << "k" << "v"
            << QByteArray("[A]\r\nk=v\r\n\r\n[B]\r\n");
        QTest::newRow("add key to LF file")
            << true << QByteArray("[A]\nx=1\n\n") << "A" << "k" << "v"
            << QByteArray("[A]\nx=1\nk=v\n\n");
        QTest::newRow("add key after last line without end")
            << true << QByteArray("[A]\r\nx=1") << "A" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\nk=v\r\n");
        QTest::newRow("add section at end")
            << true << QByteArray("[A]\r\nx=1\r\n\r\n") << "B" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n");
        QTest::newRow("add section to LF file")
            << true << QByteArray("[A]\nx=1\n") << "B" << "k" << "v"
            << QByteArray("[A]\nx=1\n[B]\nk=v\n");
        QTest::newRow("add section after last line without end")
            << true << QByteArray("[A]\r\nx=1") << "B" << "k" << "v"
            << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
        QTest::newRow("Windows-1252 single bytes")
            << true << QByteArray("[A]\r\nx=\xE4\r\n") << latin("Gr\xF6\xDF" "e") << latin("Ma\xDF")
            << QString(QChar(0x20AC)) + latin("\xFC")
            << QByteArray("[A]\r\nx=\xE4\r\n[Gr\xF6\xDF" "e]\r\nMa\xDF=\x80\xFC\r\n");
    }

    void write()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (exists)
            setIni(before);
        IniFile ini(iniName());
        ini.writeString(section, key, value);
        QCOMPARE(readBytes(iniName()), after);
        QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), value);
    }

    void writeInteger_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("0") << 0 << QByteArray("0");
        QTest::newRow("positive") << 99999 << QByteArray("99999");
        QTest::newRow("negative") << -12 << QByteArray("-12");
        QTest::newRow("smallest") << int(-2147483647 - 1) << QByteArray("-2147483648");
    }

    void writeInteger()
    {
        QFETCH(int, value);
        QFETCH(QByteArray, text);
        IniFile ini(iniName());
        ini.writeInteger(QStringLiteral("A"), QStringLiteral("k"), value);
        QCOMPARE(readBytes(iniName()), QByteArray("[A]\r\nk=" + text + "\r\n"));
        QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("k"), 1), value);
    }

    void writeBool()
    {
        IniFile ini(iniName());
        ini.writeBool(QStringLiteral("A"), QStringLiteral("t"), true);
        ini.writeBool(QStringLiteral("A"), QStringLiteral("f"), false);
        QCOMPARE(readBytes(iniName()), QByteArray("[A]\r\nt=1\r\nf=0\r\n"));
    }

    void umlautRoundTrip()
    {
        const QString section = latin("Gr\xF6\xDF" "e");
        const QString value = latin("\xC4rger \xFC" "ber Stra\xDF" "en");
        IniFile ini(iniName());
        ini.writeString(section, section, value);
        const QByteArray bytes = readBytes(iniName());
        QCOMPARE(bytes, QByteArray("[Gr\xF6\xDF" "e]\r\nGr\xF6\xDF" "e=\xC4rger \xFC" "ber Stra\xDF" "en\r\n"));
        QCOMPARE(ini.readString(latin("GR\xD6\xDF" "E"), section, QString()), value);
    }

    // ------------------------------------------------------------ write failures

    void readOnlyFile()
    {
        const QByteArray before("[A]\r\nk=1\r\n");
        setIni(before);
        QVERIFY(QFile::setPermissions(iniName(), QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                     | QFileDevice::ReadOther));
        const QString expected = QStringLiteral("nach %1 kann nicht geschrieben werden")
                                     .arg(QDir::toNativeSeparators(iniName()));
        try {
            IniFile(iniName()).writeInteger(QStringLiteral("A"), QStringLiteral("k"), 2);
            QFAIL("no error");
        } catch (const SettingsWriteError &e) {
            QCOMPARE(e.message(), expected);
            QCOMPARE(QString::fromStdString(e.what()), expected);
        }
        QCOMPARE(readBytes(iniName()), before);
        // Reading still works.
        QCOMPARE(IniFile(iniName()).readInteger(QStringLiteral("A"), QStringLiteral("k"), 0), 1);
    }

    void directoryMissing()
    {
        Globals::ProgramDir = m_dir->path() + QStringLiteral("/nicht da/");
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError,
                                 Globals::WriteSettingInt(QStringLiteral("A"), QStringLiteral("k"), 1));
        try {
            Globals::WriteSettingInt(QStringLiteral("A"), QStringLiteral("k"), 1);
        } catch (const SettingsWriteError &e) {
            QCOMPARE(e.message(), QStringLiteral("nach %1 kann nicht geschrieben werden")
                                      .arg(QDir::toNativeSeparators(Globals::SettingsFileName())));
        }
        QCOMPARE(Globals::ReadSettingInt(QStringLiteral("A"), QStringLiteral("k"), 4), 4);
    }

    void saveSettingsStopsAtFirstFailure()
    {
        setIni(QByteArray("[X]\r\n"));
        QFile::setPermissions(iniName(), QFileDevice::ReadOwner);
        Globals::NotesOnTop = true;
        QVERIFY_THROWS_EXCEPTION(SettingsWriteError, Globals::SaveSettings());
        QCOMPARE(readBytes(iniName()), QByteArray("[X]\r\n"));
    }

    // ------------------------------------------------------------ the fourteen settings

    void loadSettingsDefaults()
    {
        QVERIFY(!QFile::exists(iniName()));
        Globals::LoadSettings();
        QVERIFY(Globals::NotesOnTop);
        QVERIFY(Globals::TextOnTop);
        QVERIFY(Globals::PictureOnTop);
        QVERIFY(Globals::AllATyp);
        QVERIFY(Globals::AllRaum);
        QVERIFY(Globals::AllStil);
        QVERIFY(Globals::AllLoka);
        QVERIFY(Globals::AllPLZ);
        QCOMPARE(Globals::PLZFrom, 1);
        QCOMPARE(Globals::PLZTo, 99999);
        QCOMPARE(Globals::MarginLeft, 5);
        QCOMPARE(Globals::MarginRight, 5);
        QCOMPARE(Globals::MarginTop, 5);
        QCOMPARE(Globals::MarginBottom, 5);
        QVERIFY(!QFile::exists(iniName())); // nothing written at start-up
        QCOMPARE(Globals::ReadSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 200),
                 200);
    }

    void loadSettingsFromFile()
    {
        setIni("[TEXTE]\r\nImmer im Vordergrund=0\r\n"
               "[filter]\r\nplz VON=0x10\r\nPLZ bis=500\r\nAlle PLZ=0\r\nAlle Lokaltypen=kaputt\r\n"
               "[DRUCKER]\r\nRand links=0\r\nRand rechts=500\r\nRand oben=-3\r\n");
        Globals::LoadSettings();
        QVERIFY(Globals::NotesOnTop);
        QVERIFY(!Globals::TextOnTop);
        QVERIFY(Globals::PictureOnTop);
        QVERIFY(Globals::AllATyp);
        QVERIFY(Globals::AllLoka); // not a number: default
        QVERIFY(!Globals::AllPLZ);
        QCOMPARE(Globals::PLZFrom, 16);
        QCOMPARE(Globals::PLZTo, 500);
        QCOMPARE(Globals::MarginLeft, 0); // no checks
        QCOMPARE(Globals::MarginRight, 500);
        QCOMPARE(Globals::MarginTop, -3);
        QCOMPARE(Globals::MarginBottom, 5);
    }

    void saveSettingsFormatAndOrder()
    {
        Globals::NotesOnTop = true;
        Globals::TextOnTop = false;
        Globals::PictureOnTop = true;
        Globals::AllATyp = false;
        Globals::AllRaum = true;
        Globals::AllStil = false;
        Globals::AllLoka = true;
        Globals::AllPLZ = false;
        Globals::PLZFrom = 10000;
        Globals::PLZTo = 39999;
        Globals::MarginLeft = 10;
        Globals::MarginRight = -1;
        Globals::MarginTop = 0;
        Globals::MarginBottom = 25;
        Globals::SaveSettings();
        QCOMPARE(readBytes(iniName()),
                 QByteArray("[NOTIZEN]\r\nImmer im Vordergrund=1\r\n"
                            "[TEXTE]\r\nImmer im Vordergrund=0\r\n"
                            "[BILDER]\r\nImmer im Vordergrund=1\r\n"
                            "[FILTER]\r\nAlle Adresstypen=0\r\nAlle Grossraeume=1\r\n"
                            "Alle Stilrichtungen=0\r\nAlle Lokaltypen=1\r\nAlle PLZ=0\r\n"
                            "PLZ von=10000\r\nPLZ bis=39999\r\n"
                            "[DRUCKER]\r\nRand links=10\r\nRand rechts=-1\r\nRand oben=0\r\n"
                            "Rand unten=25\r\n"));

        Globals::ResetProgramState();
        Globals::ProgramDir = m_dir->path() + QLatin1Char('/');
        Globals::LoadSettings();
        QVERIFY(Globals::NotesOnTop && !Globals::TextOnTop && Globals::PictureOnTop);
        QVERIFY(!Globals::AllATyp && Globals::AllRaum && !Globals::AllStil && Globals::AllLoka
                && !Globals::AllPLZ);
        QCOMPARE(Globals::PLZFrom, 10000);
        QCOMPARE(Globals::PLZTo, 39999);
        QCOMPARE(Globals::MarginLeft, 10);
        QCOMPARE(Globals::MarginRight, -1);
        QCOMPARE(Globals::MarginTop, 0);
        QCOMPARE(Globals::MarginBottom, 25);
    }

    void saveSettingsKeepsOtherLines()
    {
        const QByteArray before("[HAUPTFENSTER]\r\nPosition X=3\r\nBreite Verzeichnis=250\r\n"
                                "[FILTER]\r\nPosition X=258\r\nPLZ von=7\r\n");
        setIni(before);
        Globals::LoadSettings();
        Globals::PLZFrom = 8;
        Globals::SaveSettings();
        const QByteArray after = readBytes(iniName());
        QVERIFY2(after.startsWith("[HAUPTFENSTER]\r\nPosition X=3\r\nBreite Verzeichnis=250\r\n"
                                  "[FILTER]\r\nPosition X=258\r\nPLZ von=8\r\n"),
                 after.constData());
        QCOMPARE(Globals::ReadSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 200),
                 250);
    }

    void settingIntRoundTrip()
    {
        Globals::WriteSettingInt(QStringLiteral("HAUPTFENSTER"), QStringLiteral("Breite Verzeichnis"), 321);
        QCOMPARE(Globals::ReadSettingInt(QStringLiteral("hauptfenster"), QStringLiteral("breite verzeichnis"), 200),
                 321);
        QCOMPARE(readBytes(iniName()), QByteArray("[HAUPTFENSTER]\r\nBreite Verzeichnis=321\r\n"));
    }

    // ------------------------------------------------------------ window placement

    void placement_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QRect>("expected"); // outer geometry

        const QByteArray h("[HAUPTFENSTER]\r\n");
        QTest::newRow("no file: defaults") << QByteArray() << QRect(12, 9, 634, 342);
        QTest::newRow("stored values")
            << QByteArray(h + "Position X=100\r\nPosition Y=50\r\nBreite=700\r\nHoehe=500\r\n")
            << QRect(100, 50, 700, 500);
        QTest::newRow("only position stored")
            << QByteArray(h + "Position X=20\r\nPosition Y=30\r\n") << QRect(20, 30, 634, 342);
        QTest::newRow("Position X 2000 on 1024 screen")
            << QByteArray(h + "Position X=2000\r\n") << QRect(390, 9, 634, 342);
        QTest::newRow("Position Y beyond the bottom")
            << QByteArray(h + "Position Y=700\r\n") << QRect(12, 768 - 342, 634, 342);
        QTest::newRow("Breite larger than screen, positive left -> 0")
            << QByteArray(h + "Position X=100\r\nBreite=3000\r\n") << QRect(0, 9, 1024, 342);
        QTest::newRow("Breite larger than screen, left 0 unchanged")
            << QByteArray(h + "Position X=0\r\nBreite=3000\r\n") << QRect(0, 9, 1024, 342);
        QTest::newRow("Breite larger than screen, negative left unchanged")
            << QByteArray(h + "Position X=-20\r\nBreite=3000\r\n") << QRect(-20, 9, 1024, 342);
        QTest::newRow("Hoehe larger than screen")
            << QByteArray(h + "Position Y=40\r\nHoehe=2000\r\n") << QRect(12, 0, 634, 768);
        QTest::newRow("negative position not corrected")
            << QByteArray(h + "Position X=-50\r\nPosition Y=-60\r\n") << QRect(-50, -60, 634, 342);
        QTest::newRow("hex and garbage")
            << QByteArray(h + "Position X=$20\r\nPosition Y=oben\r\n") << QRect(32, 9, 634, 342);
    }

    void placement()
    {
        QFETCH(QByteArray, file);
        QFETCH(QRect, expected);
        if (!file.isEmpty())
            setIni(file);
        auto w = sizeableWindow();
        Globals::LoadWindowPlacement(QStringLiteral("HAUPTFENSTER"), w.get(), 12, 9, 634, 342);
        QCOMPARE(w->frameGeometry(), expected);
    }

    void placementOfShownWindowUsesOuterSize()
    {
        setIni("[NOTIZEN]\r\nPosition X=30\r\nPosition Y=64\r\nBreite=634\r\nHoehe=342\r\n");
        auto w = sizeableWindow();
        w->move(5, 5);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QSize extra = w->frameGeometry().size() - w->geometry().size();
        Globals::LoadWindowPlacement(QStringLiteral("NOTIZEN"), w.get(), 1, 1, 100, 100);
        QCOMPARE(w->frameGeometry(), QRect(30, 64, 634, 342));
        QCOMPARE(w->geometry().size(), QSize(634, 342) - extra);

        w->move(40, 50);
        w->resize(500 - extra.width(), 300 - extra.height());
        Globals::SaveWindowPlacement(QStringLiteral("NOTIZEN"), w.get());
        QCOMPARE(readBytes(iniName()),
                 QByteArray("[NOTIZEN]\r\nPosition X=40\r\nPosition Y=50\r\nBreite=500\r\nHoehe=300\r\n"));
    }

    void saveSizeableWindow()
    {
        auto w = sizeableWindow();
        w->move(-10, 20);
        w->resize(640, 480);
        Globals::SaveWindowPlacement(QStringLiteral("DRUCKVORSCHAU"), w.get());
        QCOMPARE(readBytes(iniName()), QByteArray("[DRUCKVORSCHAU]\r\nPosition X=-10\r\nPosition Y=20\r\n"
                                                  "Breite=640\r\nHoehe=480\r\n"));
        auto again = sizeableWindow();
        Globals::LoadWindowPlacement(QStringLiteral("DRUCKVORSCHAU"), again.get(), 10, 10, 630, 470);
        QCOMPARE(again->frameGeometry(), QRect(-10, 20, 640, 480));
    }

    void fixedDialogIgnoresSize()
    {
        setIni("[RAENDER]\r\nPosition X=100\r\nPosition Y=200\r\nBreite=900\r\nHoehe=700\r\n");
        auto d = fixedDialog();
        QVERIFY(!Globals::IsSizeable(d.get()));
        Globals::LoadWindowPlacement(QStringLiteral("RAENDER"), d.get(), 236, 148, 0, 0);
        QCOMPARE(d->frameGeometry(), QRect(100, 200, 320, 240));

        d->move(110, 210);
        Globals::SaveWindowPlacement(QStringLiteral("RAENDER"), d.get());
        QCOMPARE(readBytes(iniName()),
                 QByteArray("[RAENDER]\r\nPosition X=110\r\nPosition Y=210\r\nBreite=900\r\nHoehe=700\r\n"));
    }

    void fixedDialogWritesNoSize()
    {
        auto d = fixedDialog();
        Globals::LoadWindowPlacement(QStringLiteral("DRUCKEN"), d.get(), 172, 147, 634, 342);
        QCOMPARE(d->frameGeometry(), QRect(172, 147, 320, 240));
        Globals::SaveWindowPlacement(QStringLiteral("DRUCKEN"), d.get());
        QCOMPARE(readBytes(iniName()), QByteArray("[DRUCKEN]\r\nPosition X=172\r\nPosition Y=147\r\n"));
    }

    void fixedDialogClampedToScreen()
    {
        setIni("[FILTER]\r\nPosition X=900\r\nPosition Y=-5\r\n");
        auto d = fixedDialog();
        Globals::LoadWindowPlacement(QStringLiteral("FILTER"), d.get(), 258, 130, 0, 0);
        QCOMPARE(d->frameGeometry(), QRect(1024 - 320, -5, 320, 240));
    }

    void sizeableMeansNotFixed()
    {
        QWidget w;
        QVERIFY(Globals::IsSizeable(&w));
        w.setMinimumSize(100, 100);
        QVERIFY(Globals::IsSizeable(&w));
        w.setFixedWidth(200); // height still free
        QVERIFY(Globals::IsSizeable(&w));
        w.setFixedSize(200, 150);
        QVERIFY(!Globals::IsSizeable(&w));
    }
};

int main(int argc, char **argv)
{
    // One primary screen of 1024 x 768 on the offscreen platform.
    QTemporaryDir configDir;
    if (!configDir.isValid())
        return 2;
    const QString config = configDir.filePath(QStringLiteral("screens.json"));
    {
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly))
            return 2;
        f.write(QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,)"
                               R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})")
                    .arg(ScreenWidth)
                    .arg(ScreenHeight)
                    .toUtf8());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));

    QApplication app(argc, argv);
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
