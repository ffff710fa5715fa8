#include "SetLoka.h"

namespace {

CategoryDialogConfig setLokaConfig()
{
    CategoryDialogConfig config;
    config.table = QStringLiteral("LOKA");
    config.idField = QStringLiteral("LOKA_ID");
    config.nameField = QStringLiteral("LOKA_NAME");
    config.selField = QStringLiteral("LOKA_SEL");
    config.selIndex = QStringLiteral("LO_SEL");
    config.caption = QStringLiteral("Lokaltypen wählen");
    config.hintSelOne = QStringLiteral("Ein Lokaltyp in die Auswahl \"Anzeigen\"");
    config.hintSelAll = QStringLiteral("Alle Lokaltypen in die Auswahl \"Anzeigen\"");
    config.hintUnselAll = QStringLiteral("Alle Lokaltypen in die Auswahl \"Nicht Anzeigen\"");
    config.hintUnselOne = QStringLiteral("Ein Lokaltyp in die Auswahl \"Nicht Anzeigen\"");
    config.emptyMessage = QStringLiteral("Mind. ein Lokaltyp muß ausgewählt werden");
    config.section = QStringLiteral("LOKALTYPEN");
    config.clientWidth = 500;
    config.buttonLeft = 212;
    return config;
}

} // namespace

TfrmSetLoka::TfrmSetLoka(QWidget *parent) : TfrmSetCategory(setLokaConfig(), parent) {}
