#include "Filter.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "controls/HelpViewer.h"
#include "controls/SpinEdit.h"
#include "filter/DoFilter.h"
#include "filter/FilterRun.h"
#include "filter/SetATyp.h"
#include "filter/SetLoka.h"
#include "filter/SetRaum.h"
#include "filter/SetStil.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <memory>

namespace {

const int HelpContext = 4;

// A small list with a pointing hand-like arrow: "choose entries".
QIcon selectPicture()
{
    QPixmap pm(18, 18);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 12, 15));
    for (int i = 0; i < 4; ++i) {
        const qreal y = 4.5 + i * 3;
        p.setPen(QPen(i == 1 ? QColor(0, 0, 128) : QColor(128, 128, 128), 1.5));
        p.drawLine(QPointF(4, y), QPointF(11, y));
    }
    // tick on the chosen line
    p.setPen(QPen(QColor(0, 128, 0), 2));
    p.drawPolyline(QPolygonF({QPointF(11, 8), QPointF(13, 11), QPointF(17, 4)}));
    return QIcon(pm);
}

QIcon okPicture()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    return QIcon(pm);
}

QLabel *rightAlignedLabel(const QString &text, int x, int y, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->adjustSize();
    label->move(x, y);
    return label;
}

QLabel *countLabel(int x, int y, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("9999 von 9999"), parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setGeometry(x, y, 90, label->sizeHint().height());
    return label;
}

QToolButton *selectButton(const QString &hint, int x, int y, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setIcon(selectPicture());
    button->setIconSize(QSize(18, 18));
    button->setToolTip(hint);
    button->setAutoRaise(false);
    button->setGeometry(x, y, 25, 25);
    return button;
}

QCheckBox *allBox(int x, int y, QWidget *parent)
{
    auto *box = new QCheckBox(QStringLiteral("alle"), parent);
    box->setGeometry(x, y, 65, 17);
    return box;
}

controls::SpinEdit *plzEdit(int x, int y, QWidget *parent)
{
    auto *edit = new controls::SpinEdit(parent);
    edit->setRange(1, 99999);
    edit->setMaxLength(5);
    edit->setValue(1);
    edit->setGeometry(x, y, 66, 26);
    return edit;
}

// Runs the selection dialog of one category; true when it ended with OK.
template <class Dialog>
bool chooseEntries(QWidget *parent)
{
    Dialog dialog(parent);
    return dialog.exec() == 1;
}

} // namespace

TfrmFilter::TfrmFilter(QWidget *parent)
    : Form<QDialog>(parent)
{
    setWindowTitle(QStringLiteral("Filter ändern"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(312, 284);

    Label1 = rightAlignedLabel(QStringLiteral("Adresstypen:"), 24, 16, this);
    lblATyp = countLabel(109, 16, this);
    pbSetATyp = selectButton(QStringLiteral("Gewünschte Adresstypen auswählen"), 204, 12, this);
    cbATypAlle = allBox(240, 16, this);

    Label2 = rightAlignedLabel(QStringLiteral("Großräume:"), 31, 48, this);
    lblRaum = countLabel(109, 48, this);
    pbSetRaum = selectButton(QStringLiteral("Gewünschte Großräume auswählen"), 204, 44, this);
    cbRaumAlle = allBox(240, 48, this);

    Label3 = rightAlignedLabel(QStringLiteral("Stilrichtungen:"), 18, 80, this);
    lblStil = countLabel(109, 80, this);
    pbSetStil = selectButton(QStringLiteral("Gewünschte Stilrichtungen auswählen"), 204, 76, this);
    cbStilAlle = allBox(240, 80, this);

    Label4 = rightAlignedLabel(QStringLiteral("Lokaltypen:"), 34, 112, this);
    lblLoka = countLabel(109, 112, this);
    pbSetLoka = selectButton(QStringLiteral("Gewünschte Lokaltypen auswählen"), 204, 108, this);
    cbLokaAlle = allBox(240, 112, this);

    Label5 = rightAlignedLabel(QStringLiteral("PLZ von:"), 51, 163, this);
    editPLZVon = plzEdit(109, 158, this);
    Label6 = rightAlignedLabel(QStringLiteral("bis:"), 80, 194, this);
    editPLZBis = plzEdit(109, 189, this);
    cbPLZAlle = allBox(241, 178, this);

    pbHilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
    pbHilfe->setGeometry(19, 242, 97, 28);
    pbHilfe->setAutoDefault(false);
    pbOk = new QPushButton(okPicture(), QStringLiteral("Ok"), this);
    pbOk->setGeometry(196, 241, 97, 28);
    pbOk->setDefault(true);
    pbOk->setToolTip(QStringLiteral("Fenster schließen und Filter setzen"));

    const auto guarded = [this](void (TfrmFilter::*handler)()) {
        return [this, handler] { TourbuchApplication::guarded([this, handler] { (this->*handler)(); }); };
    };
    connect(pbOk, &QPushButton::clicked, this, guarded(&TfrmFilter::pbOkClick));
    connect(pbHilfe, &QPushButton::clicked, this, guarded(&TfrmFilter::pbHilfeClick));
    connect(pbSetATyp, &QToolButton::clicked, this, guarded(&TfrmFilter::pbSetATypClick));
    connect(pbSetRaum, &QToolButton::clicked, this, guarded(&TfrmFilter::pbSetRaumClick));
    connect(pbSetStil, &QToolButton::clicked, this, guarded(&TfrmFilter::pbSetStilClick));
    connect(pbSetLoka, &QToolButton::clicked, this, guarded(&TfrmFilter::pbSetLokaClick));
    connect(cbATypAlle, &QCheckBox::clicked, this, guarded(&TfrmFilter::cbATypAlleClick));
    connect(cbRaumAlle, &QCheckBox::clicked, this, guarded(&TfrmFilter::cbRaumAlleClick));
    connect(cbStilAlle, &QCheckBox::clicked, this, guarded(&TfrmFilter::cbStilAlleClick));
    connect(cbLokaAlle, &QCheckBox::clicked, this, guarded(&TfrmFilter::cbLokaAlleClick));
    connect(cbPLZAlle, &QCheckBox::clicked, this, guarded(&TfrmFilter::cbPLZAlleClick));
    connect(editPLZVon, &QSpinBox::textChanged, this, [this] { editPLZVonChange(); });
    connect(editPLZBis, &QSpinBox::textChanged, this, [this] { editPLZBisChange(); });

    FormCreate();
}

void TfrmFilter::FormCreate()
{
    TotalATyp = filter::CountCategoryTotal(filter::Category::ATyp);
    TotalRaum = filter::CountCategoryTotal(filter::Category::Raum);
    TotalStil = filter::CountCategoryTotal(filter::Category::Stil);
    TotalLoka = filter::CountCategoryTotal(filter::Category::Loka);
}



void TfrmFilter::FormShow()
{
    // The section also holds the filter settings.
    Globals::LoadWindowPlacement(QStringLiteral("FILTER"), this, 258, 130, frameGeometry().width(),
                                 frameGeometry().height());
    cbATypAlle->setChecked(Globals::AllATyp);
    cbATypAlleClick();
    cbRaumAlle->setChecked(Globals::AllRaum);
    cbRaumAlleClick();
    cbStilAlle->setChecked(Globals::AllStil);
    cbStilAlleClick();
    cbLokaAlle->setChecked(Globals::AllLoka);
    cbLokaAlleClick();
    cbPLZAlle->setChecked(Globals::AllPLZ);
    cbPLZAlleClick();
    editPLZVon->setValue(Globals::PLZFrom);   // clamped to 1..99999
    editPLZBis->setValue(Globals::PLZTo);
    Changed = false;
}

void TfrmFilter::FormHide()
{
    Globals::SaveWindowPlacement(QStringLiteral("FILTER"), this);
}

void TfrmFilter::reject()
{
    done(2);
}

void TfrmFilter::cbATypAlleClick()
{
    pbSetATyp->setEnabled(!cbATypAlle->isChecked());
    UpdateATypCount();
}

void TfrmFilter::cbRaumAlleClick()
{
    pbSetRaum->setEnabled(!cbRaumAlle->isChecked());
    UpdateRaumCount();
}

void TfrmFilter::cbStilAlleClick()
{
    pbSetStil->setEnabled(!cbStilAlle->isChecked());
    UpdateStilCount();
}

void TfrmFilter::cbLokaAlleClick()
{
    pbSetLoka->setEnabled(!cbLokaAlle->isChecked());
    UpdateLokaCount();
}

void TfrmFilter::cbPLZAlleClick()
{
    editPLZVon->setEnabled(!cbPLZAlle->isChecked());
    editPLZBis->setEnabled(!cbPLZAlle->isChecked());
}

void TfrmFilter::editPLZVonChange()
{
    Changed = true;
}

void TfrmFilter::editPLZBisChange()
{
    Changed = true;
}

namespace {

void updateCount(QCheckBox *all, filter::Category category, int total, int &chosen, QLabel *label)
{
    chosen = all->isChecked() ? total : filter::CountCategoryChosen(category);
    label->setText(QStringLiteral("%1 von %2").arg(chosen).arg(total));
}

} // namespace

void TfrmFilter::UpdateATypCount()
{
    updateCount(cbATypAlle, filter::Category::ATyp, TotalATyp, ChosenATyp, lblATyp);
}

void TfrmFilter::UpdateRaumCount()
{
    updateCount(cbRaumAlle, filter::Category::Raum, TotalRaum, ChosenRaum, lblRaum);
}

void TfrmFilter::UpdateStilCount()
{
    updateCount(cbStilAlle, filter::Category::Stil, TotalStil, ChosenStil, lblStil);
}

void TfrmFilter::UpdateLokaCount()
{
    updateCount(cbLokaAlle, filter::Category::Loka, TotalLoka, ChosenLoka, lblLoka);
}

void TfrmFilter::pbSetATypClick()
{
    if (chooseEntries<TfrmSetATyp>(this)) {
        Changed = true;
        UpdateATypCount();
    }
}

void TfrmFilter::pbSetRaumClick()
{
    if (chooseEntries<TfrmSetRaum>(this)) {
        Changed = true;
        UpdateRaumCount();
    }
}

void TfrmFilter::pbSetStilClick()
{
    if (chooseEntries<TfrmSetStil>(this)) {
        Changed = true;
        UpdateStilCount();
    }
}

void TfrmFilter::pbSetLokaClick()
{
    if (chooseEntries<TfrmSetLoka>(this)) {
        Changed = true;
        UpdateLokaCount();
    }
}

void TfrmFilter::pbOkClick()
{
    if (!Changed)
        Changed = cbATypAlle->isChecked() != Globals::AllATyp || cbRaumAlle->isChecked() != Globals::AllRaum
                  || cbStilAlle->isChecked() != Globals::AllStil || cbLokaAlle->isChecked() != Globals::AllLoka
                  || cbPLZAlle->isChecked() != Globals::AllPLZ;
    Globals::AllATyp = cbATypAlle->isChecked();
    Globals::AllRaum = cbRaumAlle->isChecked();
    Globals::AllStil = cbStilAlle->isChecked();
    Globals::AllLoka = cbLokaAlle->isChecked();
    Globals::AllPLZ = cbPLZAlle->isChecked();
    Globals::PLZFrom = editPLZVon->textValue() < 1 ? 1 : std::min(editPLZVon->textValue(), 99999);
    Globals::PLZTo = editPLZBis->textValue() < 1 ? 1 : std::min(editPLZBis->textValue(), 99999);
    if (Globals::PLZFrom > Globals::PLZTo) {
        std::swap(Globals::PLZFrom, Globals::PLZTo);
        editPLZVon->setValue(Globals::PLZFrom);
        editPLZBis->setValue(Globals::PLZTo);
    }
    if (!Changed) {
        done(2);
        return;
    }
    // On an error the marks stay as they were and the dialog stays open,
    // so the user may try again or leave by the close box.
    if (!RunFilterWithProgress(this, ChosenATyp < TotalATyp, ChosenRaum < TotalRaum, ChosenStil < TotalStil,
                               ChosenLoka < TotalLoka, !cbPLZAlle->isChecked()))
        return;
    done(1);
}

void TfrmFilter::pbHilfeClick()
{
    const auto *app = qobject_cast<TourbuchApplication *>(QCoreApplication::instance());
    const QString helpFile =
        app && !app->helpFile().isEmpty() ? app->helpFile() : Globals::ProgramDir + QStringLiteral("Tourbuch.hlp");
    controls::HelpViewer::showTopic(this, helpFile, HelpContext);
}

int ExecuteFilterDefinition(QWidget *parent)
{
    TfrmFilter frmFilter(parent);
    return frmFilter.exec();
}
