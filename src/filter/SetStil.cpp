#include "SetStil.h"

namespace {

CategoryDialogConfig setStilConfig()
{
    CategoryDialogConfig config;
    config.table = QStringLiteral("STIL");
    config.idField = QStringLiteral("STIL_ID");
    config.nameField = QStringLiteral("STIL_NAME");
    config.selField = QStringLiteral("STIL_SEL");
    config.selIndex = QStringLiteral("ST_SEL");
    config.caption = QStringLiteral("Stilrichtungen wählen");
    config.hintSelOne = QStringLiteral("Eine Stilrichtung in die Auswahl \"Anzeigen\"");
    config.hintSelAll = QStringLiteral("Alle Stilrichtungen in die Auswahl \"Anzeigen\"");
    config.hintUnselAll = QStringLiteral("Alle Stilrichtungen in die Auswahl \"Nicht Anzeigen\"");
    config.hintUnselOne = QStringLiteral("Eine Stilrichtung in die Auswahl \"Nicht Anzeigen\"");
    config.emptyMessage = QStringLiteral("Mind. eine Stilrichtung muß ausgewählt werden");
    config.section = QStringLiteral("STILRICHTUNGEN");
    return config;
}

} // namespace

TfrmSetStil::TfrmSetStil(QWidget *parent) : TfrmSetCategory(setStilConfig(), parent) {}
