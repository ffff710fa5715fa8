#pragma once
// The dialog that chooses the entries of one category the filter shows:
// the entries not chosen on the left, the chosen ones on the right, each a
// view of the same table through a record filter on its SEL field. Every
// move is written at once. SetATyp, SetRaum, SetStil and SetLoka configure it.

#include "app/Form.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace controls {
class DbGrid;
}
namespace data {
class DataSource;
class Table;
} // namespace data

struct CategoryDialogConfig {
    QString table;        // "ATYP"
    QString idField;      // "ATYP_ID"
    QString nameField;    // "ATYP_NAME"
    QString selField;     // "ATYP_SEL"
    QString selIndex;     // "AT_SEL"
    QString caption;
    QString hintSelOne, hintSelAll, hintUnselAll, hintUnselOne;
    QString emptyMessage; // shown by OK when nothing is chosen
    QString section;      // placement section of the settings file
    int clientWidth = 494;
    int headingTop = 14;
    int gridTop = 36;
    int buttonLeft = 209;
    int buttonTops[4] = {74, 103, 133, 162};
};

class TfrmSetCategory : public Form<QDialog> {
    Q_OBJECT
public:
    // Opens both views of the table; throws data::DatabaseError.
    TfrmSetCategory(const CategoryDialogConfig &config, QWidget *parent);
    ~TfrmSetCategory() override;

    // Result: 1 OK (something moved and something is chosen), 2 Cancel.
    bool Changed = false;

    data::Table *tblAll;
    data::DataSource *dsAll;
    data::Table *tblSel;
    data::DataSource *dsSel;
    QLabel *Label1;
    QLabel *Label2;
    controls::DbGrid *gridAll;
    controls::DbGrid *gridSel;
    QPushButton *pbSelOne;
    QPushButton *pbSelAll;
    QPushButton *pbUnselAll;
    QPushButton *pbUnselOne;
    QPushButton *pbHilfe;
    QPushButton *pbOk;

    void pbSelOneClick();
    void pbSelAllClick();
    void pbUnselOneClick();
    void pbUnselAllClick();
    void pbOkClick();
    void pbHilfeClick();

protected:
    // The close box and Escape: Cancel; the moves made stay stored.
    void reject() override;

private:
    void FormCreate();
    void FormDestroy();
    void FormShow() override;
    void FormHide() override;
    int idOf(data::Table *table) const;
    bool selectOne();
    bool unselectOne();

    CategoryDialogConfig m_config;
};
