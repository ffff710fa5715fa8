#include "SetRaum.h"

namespace {

CategoryDialogConfig setRaumConfig()
{
    CategoryDialogConfig config;
    config.table = QStringLiteral("RAUM");
    config.idField = QStringLiteral("RAUM_ID");
    config.nameField = QStringLiteral("RAUM_NAME");
    config.selField = QStringLiteral("RAUM_SEL");
    config.selIndex = QStringLiteral("RA_SEL");
    config.caption = QStringLiteral("Großräume wählen");
    config.hintSelOne = QStringLiteral("Ein Großraum in die Auswahl \"Anzeigen\"");
    config.hintSelAll = QStringLiteral("Alle Großräume in die Auswahl \"Anzeigen\"");
    config.hintUnselAll = QStringLiteral("Alle Großräume in die Auswahl \"Nicht Anzeigen\"");
    config.hintUnselOne = QStringLiteral("Ein Großraum in die Auswahl \"Nicht Anzeigen\"");
    config.emptyMessage = QStringLiteral("Mind. ein Großraum muß ausgewählt werden");
    config.section = QStringLiteral("GROSSRAEUME");
    config.headingTop = 9;
    config.gridTop = 31;
    config.buttonLeft = 210;
    config.buttonTops[0] = 69;
    config.buttonTops[1] = 98;
    config.buttonTops[2] = 128;
    config.buttonTops[3] = 157;
    return config;
}

} // namespace

TfrmSetRaum::TfrmSetRaum(QWidget *parent) : TfrmSetCategory(setRaumConfig(), parent) {}
