#include "SetATyp.h"

namespace {

CategoryDialogConfig setATypConfig()
{
    CategoryDialogConfig config;
    config.table = QStringLiteral("ATYP");
    config.idField = QStringLiteral("ATYP_ID");
    config.nameField = QStringLiteral("ATYP_NAME");
    config.selField = QStringLiteral("ATYP_SEL");
    config.selIndex = QStringLiteral("AT_SEL");
    config.caption = QStringLiteral("Adresstypen wählen");
    config.hintSelOne = QStringLiteral("Ein Adresstyp in die Auswahl \"Anzeigen\"");
    config.hintSelAll = QStringLiteral("Alle Adresstypen in die Auswahl \"Anzeigen\"");
    config.hintUnselAll = QStringLiteral("Alle Adresstypen in die Auswahl \"Nicht anzeigen\"");
    config.hintUnselOne = QStringLiteral("Ein Adresstyp in die Auswahl \"Nicht anzeigen\"");
    config.emptyMessage = QStringLiteral("Mind. ein Adresstyp muß ausgewählt werden");
    config.section = QStringLiteral("ADRESSTYPEN");
    return config;
}

} // namespace

TfrmSetATyp::TfrmSetATyp(QWidget *parent) : TfrmSetCategory(setATypConfig(), parent) {}
