#include "app/Globals.h"

#include "app/IniFile.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace Globals {

QString ProgramDir;
int AddressTotal = 0;

bool NotesOnTop = false;
bool TextOnTop = false;
bool PictureOnTop = false;
bool AllATyp = false;
bool AllRaum = false;
bool AllStil = false;
bool AllLoka = false;
bool AllPLZ = false;
int PLZFrom = 0;
int PLZTo = 0;
int MarginLeft = 0;
int MarginRight = 0;
int MarginTop = 0;
int MarginBottom = 0;

void ResetProgramState()
{
    ProgramDir.clear();
    AddressTotal = 0;
    NotesOnTop = TextOnTop = PictureOnTop = false;
    AllATyp = AllRaum = AllStil = AllLoka = AllPLZ = false;
    PLZFrom = PLZTo = 0;
    MarginLeft = MarginRight = MarginTop = MarginBottom = 0;
}

QString SettingsFileName()
{
    return ProgramDir + QStringLiteral("Tourbuch.Ini");
}

namespace {

const QString OnTopKey = QStringLiteral("Immer im Vordergrund");
const QString SectionNotes = QStringLiteral("NOTIZEN");
const QString SectionTexts = QStringLiteral("TEXTE");
const QString SectionPictures = QStringLiteral("BILDER");
const QString SectionFilter = QStringLiteral("FILTER");
const QString SectionPrinter = QStringLiteral("DRUCKER");

const QString KeyLeft = QStringLiteral("Position X");
const QString KeyTop = QStringLiteral("Position Y");
const QString KeyWidth = QStringLiteral("Breite");
const QString KeyHeight = QStringLiteral("Hoehe");

// Outer (frame) measures of a window and their setters. The frame margins
// are zero until the window has been shown.
QSize frameExtra(const QWidget *w)
{
    return w->frameGeometry().size() - w->geometry().size();
}

void setOuterLeft(QWidget *w, int left) { w->move(left, w->frameGeometry().y()); }
void setOuterTop(QWidget *w, int top) { w->move(w->frameGeometry().x(), top); }
void setOuterWidth(QWidget *w, int width)
{
    w->resize(width - frameExtra(w).width(), w->geometry().height());
}
void setOuterHeight(QWidget *w, int height)
{
    w->resize(w->geometry().width(), height - frameExtra(w).height());
}

} // namespace

void LoadSettings()
{
    const IniFile ini(SettingsFileName());
    NotesOnTop = ini.readBool(SectionNotes, OnTopKey, true);
    TextOnTop = ini.readBool(SectionTexts, OnTopKey, true);
    PictureOnTop = ini.readBool(SectionPictures, OnTopKey, true);
    AllATyp = ini.readBool(SectionFilter, QStringLiteral("Alle Adresstypen"), true);
    AllRaum = ini.readBool(SectionFilter, QStringLiteral("Alle Grossraeume"), true);
    AllStil = ini.readBool(SectionFilter, QStringLiteral("Alle Stilrichtungen"), true);
    AllLoka = ini.readBool(SectionFilter, QStringLiteral("Alle Lokaltypen"), true);
    AllPLZ = ini.readBool(SectionFilter, QStringLiteral("Alle PLZ"), true);
    PLZFrom = ini.readInteger(SectionFilter, QStringLiteral("PLZ von"), 1);
    PLZTo = ini.readInteger(SectionFilter, QStringLiteral("PLZ bis"), 99999);
    MarginLeft = ini.readInteger(SectionPrinter, QStringLiteral("Rand links"), 5);
    MarginRight = ini.readInteger(SectionPrinter, QStringLiteral("Rand rechts"), 5);
    MarginTop = ini.readInteger(SectionPrinter, QStringLiteral("Rand oben"), 5);
    MarginBottom = ini.readInteger(SectionPrinter, QStringLiteral("Rand unten"), 5);
}

void SaveSettings()
{
    IniFile ini(SettingsFileName());
    ini.writeBool(SectionNotes, OnTopKey, NotesOnTop);
    ini.writeBool(SectionTexts, OnTopKey, TextOnTop);
    ini.writeBool(SectionPictures, OnTopKey, PictureOnTop);
    ini.writeBool(SectionFilter, QStringLiteral("Alle Adresstypen"), AllATyp);
    ini.writeBool(SectionFilter, QStringLiteral("Alle Grossraeume"), AllRaum);
    ini.writeBool(SectionFilter, QStringLiteral("Alle Stilrichtungen"), AllStil);
    ini.writeBool(SectionFilter, QStringLiteral("Alle Lokaltypen"), AllLoka);
    ini.writeBool(SectionFilter, QStringLiteral("Alle PLZ"), AllPLZ);
    ini.writeInteger(SectionFilter, QStringLiteral("PLZ von"), PLZFrom);
    ini.writeInteger(SectionFilter, QStringLiteral("PLZ bis"), PLZTo);
    ini.writeInteger(SectionPrinter, QStringLiteral("Rand links"), MarginLeft);
    ini.writeInteger(SectionPrinter, QStringLiteral("Rand rechts"), MarginRight);
    ini.writeInteger(SectionPrinter, QStringLiteral("Rand oben"), MarginTop);
    ini.writeInteger(SectionPrinter, QStringLiteral("Rand unten"), MarginBottom);
}

bool IsSizeable(const QWidget *window)
{
    return window->minimumSize() != window->maximumSize();
}

void LoadWindowPlacement(const QString &section, QWidget *window, int defaultLeft, int defaultTop,
                         int defaultWidth, int defaultHeight)
{
    const IniFile ini(SettingsFileName());
    // 1, 2: position.
    setOuterLeft(window, ini.readInteger(section, KeyLeft, defaultLeft));
    setOuterTop(window, ini.readInteger(section, KeyTop, defaultTop));
    // 3: size, only for a sizeable window.
    if (IsSizeable(window)) {
        setOuterWidth(window, ini.readInteger(section, KeyWidth, defaultWidth));
        setOuterHeight(window, ini.readInteger(section, KeyHeight, defaultHeight));
    }

    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const int screenWidth = screen->geometry().width();
    const int screenHeight = screen->geometry().height();
    // 4, 5: no larger than the screen.
    if (screenWidth < window->frameGeometry().width())
        setOuterWidth(window, screenWidth);
    if (screenHeight < window->frameGeometry().height())
        setOuterHeight(window, screenHeight);
    // 6, 7: not beyond the right and bottom edges; a negative edge stays.
    const QRect frame = window->frameGeometry();
    if (frame.x() + frame.width() > screenWidth)
        setOuterLeft(window, screenWidth - frame.width());
    if (window->frameGeometry().y() + frame.height() > screenHeight)
        setOuterTop(window, screenHeight - frame.height());
}

void SaveWindowPlacement(const QString &section, QWidget *window)
{
    IniFile ini(SettingsFileName());
    const QRect frame = window->frameGeometry();
    ini.writeInteger(section, KeyLeft, frame.x());
    ini.writeInteger(section, KeyTop, frame.y());
    if (IsSizeable(window)) {
        ini.writeInteger(section, KeyWidth, frame.width());
        ini.writeInteger(section, KeyHeight, frame.height());
    }
}

int ReadSettingInt(const QString &section, const QString &key, int defaultValue)
{
    return IniFile(SettingsFileName()).readInteger(section, key, defaultValue);
}

void WriteSettingInt(const QString &section, const QString &key, int value)
{
    IniFile(SettingsFileName()).writeInteger(section, key, value);
}

} // namespace Globals
