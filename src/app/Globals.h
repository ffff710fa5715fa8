#pragma once
// The program-wide values and the settings operations.

#include <QString>

#include "app/IniFile.h" // SettingsWriteError

class QWidget;

namespace Globals {

// Directory of the executable, always ending in the path separator.
extern QString ProgramDir;
// Number of records in ADRE, counted when the main window is created.
extern int AddressTotal;

// The fourteen settings, loaded by LoadSettings and saved by SaveSettings.
extern bool NotesOnTop;
extern bool TextOnTop;
extern bool PictureOnTop;
extern bool AllATyp;
extern bool AllRaum;
extern bool AllStil;
extern bool AllLoka;
extern bool AllPLZ;
extern int PLZFrom;
extern int PLZTo;
extern int MarginLeft;
extern int MarginRight;
extern int MarginTop;
extern int MarginBottom;

// Every value back to its state before start-up (empty, 0, false).
void ResetProgramState();

// ProgramDir + "Tourbuch.Ini".
QString SettingsFileName();

void LoadSettings();
// Throws SettingsWriteError on the first value that cannot be written.
void SaveSettings();

// Whether the window's border is sizeable: its size is not fixed
// (minimumSize() != maximumSize()). Only such a window stores "Breite"/"Hoehe".
bool IsSizeable(const QWidget *window);

// Position (and for a sizeable window, size) from the section, clamped to
// the primary screen. A window counts as sizeable unless its size is fixed.
// Positions and sizes are those of the outer window (frame geometry).
void LoadWindowPlacement(const QString &section, QWidget *window, int defaultLeft, int defaultTop,
                         int defaultWidth, int defaultHeight);
// Throws SettingsWriteError when the file cannot be written.
void SaveWindowPlacement(const QString &section, QWidget *window);

int ReadSettingInt(const QString &section, const QString &key, int defaultValue);
// Throws SettingsWriteError when the file cannot be written.
void WriteSettingInt(const QString &section, const QString &key, int value);

} // namespace Globals
