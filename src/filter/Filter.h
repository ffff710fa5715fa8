#pragma once
// The filter definition dialog: per category "alle" or the entries chosen in
// its selection dialog, and "alle" postal codes or a range. OK stores the
// definition in the filter settings and, when it changed, runs the filter.

#include "app/Form.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace controls {
class SpinEdit;
}

class TfrmFilter : public Form<QDialog> {
    Q_OBJECT
public:
    // Counts the category tables; throws data::DatabaseError.
    explicit TfrmFilter(QWidget *parent = nullptr);

    int TotalATyp = 0, TotalRaum = 0, TotalStil = 0, TotalLoka = 0;
    int ChosenATyp = 0, ChosenRaum = 0, ChosenStil = 0, ChosenLoka = 0;
    bool Changed = false;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLabel *lblATyp, *lblRaum, *lblStil, *lblLoka;
    QToolButton *pbSetATyp, *pbSetRaum, *pbSetStil, *pbSetLoka;
    QCheckBox *cbATypAlle, *cbRaumAlle, *cbStilAlle, *cbLokaAlle, *cbPLZAlle;
    controls::SpinEdit *editPLZVon, *editPLZBis;
    QPushButton *pbHilfe, *pbOk;

    void pbOkClick();
    void pbSetATypClick();
    void pbSetRaumClick();
    void pbSetStilClick();
    void pbSetLokaClick();
    void cbATypAlleClick();
    void cbRaumAlleClick();
    void cbStilAlleClick();
    void cbLokaAlleClick();
    void cbPLZAlleClick();
    void editPLZVonChange();
    void editPLZBisChange();
    void pbHilfeClick();

    void UpdateATypCount();
    void UpdateRaumCount();
    void UpdateStilCount();
    void UpdateLokaCount();

protected:
    // The close box and Escape: Cancel, nothing stored.
    void reject() override;

private:
    void FormCreate();
    void FormShow() override;
    void FormHide() override;
};

// Shows the filter definition dialog modally over `parent`. Returns 1 when
// the definition changed, was stored and the filter has been run; 2 otherwise.
int ExecuteFilterDefinition(QWidget *parent);
