#include "SetCategory.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/HelpViewer.h"
#include "controls/Modal.h"
#include "controls/WaitCursor.h"
#include "data/Table.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace {

// Suspends the display of a table's bound controls for a scope.
const int HelpContext = 2;

} // namespace

TfrmSetCategory::TfrmSetCategory(const CategoryDialogConfig &config, QWidget *parent)
    : Form<QDialog>(parent),
      tblAll(new data::Table(this)),
      dsAll(new data::DataSource(this)),
      tblSel(new data::Table(this)),
      dsSel(new data::DataSource(this)),
      Label1(new QLabel(QStringLiteral("Nicht anzeigen:"), this)),
      Label2(new QLabel(QStringLiteral("Anzeigen:"), this)),
      gridAll(nullptr),
      gridSel(nullptr),
      pbSelOne(new QPushButton(QStringLiteral(">"), this)),
      pbSelAll(new QPushButton(QStringLiteral(">>"), this)),
      pbUnselAll(new QPushButton(QStringLiteral("<<"), this)),
      pbUnselOne(new QPushButton(QStringLiteral("<"), this)),
      pbHilfe(new QPushButton(QStringLiteral("&Hilfe"), this)),
      pbOk(new QPushButton(QStringLiteral("Ok"), this)),
      m_config(config)
{
    setWindowTitle(m_config.caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(m_config.clientWidth, 285);

    for (data::Table *t : {tblAll, tblSel}) {
        t->setTableName(m_config.table);
        t->setIndexName(m_config.selIndex);
        t->setAfterOpen(data::DisableFieldTranslation);
    }
    tblAll->setFilter(m_config.selField + QStringLiteral(" = 0"));
    tblAll->setFiltered(true);
    tblSel->setFilter(m_config.selField + QStringLiteral(" = 1"));
    tblSel->setFiltered(true);
    dsAll->setDataSet(tblAll);
    dsSel->setDataSet(tblSel);
    FormCreate();

    gridAll = new controls::DbGrid(dsAll, m_config.nameField, QString(), 22, this);
    gridSel = new controls::DbGrid(dsSel, m_config.nameField, QString(), 22, this);
    for (controls::DbGrid *grid : {gridAll, gridSel}) {
        grid->horizontalHeader()->hide();
        // The names fit the list's width: no sideways scrolling.
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        grid->setShowGrid(false);
        grid->setWordWrap(false);
    }

    Label1->move(14, m_config.headingTop);
    Label2->move(302, m_config.headingTop);
    gridAll->setGeometry(8, m_config.gridTop, 192, 185);
    gridSel->setGeometry(294, m_config.gridTop, 192, 185);
    const std::pair<QPushButton *, QString> moves[] = {{pbSelOne, m_config.hintSelOne},
                                                       {pbSelAll, m_config.hintSelAll},
                                                       {pbUnselAll, m_config.hintUnselAll},
                                                       {pbUnselOne, m_config.hintUnselOne}};
    int i = 0;
    for (const auto &[button, hint] : moves) {
        button->setGeometry(m_config.buttonLeft, m_config.buttonTops[i++], 75, 25);
        button->setToolTip(hint);
        button->setAutoDefault(false);
    }
    pbHilfe->setGeometry(294, 241, 86, 28);
    pbHilfe->setAutoDefault(false);
    pbOk->setGeometry(400, 241, 86, 28);
    pbOk->setToolTip(QStringLiteral("Änderungen akzeptieren und Fenster schließen"));
    pbOk->setDefault(true);

    const auto guarded = [this](void (TfrmSetCategory::*handler)()) {
        return [this, handler] { TourbuchApplication::guarded([this, handler] { (this->*handler)(); }); };
    };
    connect(pbSelOne, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbSelOneClick));
    connect(pbSelAll, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbSelAllClick));
    connect(pbUnselAll, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbUnselAllClick));
    connect(pbUnselOne, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbUnselOneClick));
    connect(pbHilfe, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbHilfeClick));
    connect(pbOk, &QPushButton::clicked, this, guarded(&TfrmSetCategory::pbOkClick));
}

TfrmSetCategory::~TfrmSetCategory()
{
    FormDestroy();
}

void TfrmSetCategory::FormCreate()
{
    tblAll->open();
    tblSel->open();
    Changed = false;
}

void TfrmSetCategory::FormDestroy()
{
    // Never throws out of a destructor: a failing close only loses nothing,
    // every move was posted when it was made.
    try {
        tblSel->close();
        tblAll->close();
    } catch (...) {
    }
}



void TfrmSetCategory::FormShow()
{
    Globals::LoadWindowPlacement(m_config.section, this, 40, 40, frameGeometry().width(), frameGeometry().height());
}

void TfrmSetCategory::FormHide()
{
    Globals::SaveWindowPlacement(m_config.section, this);
}

void TfrmSetCategory::reject()
{
    done(2);
}

int TfrmSetCategory::idOf(data::Table *table) const
{
    return table->fieldByName(m_config.idField).asInteger();
}

bool TfrmSetCategory::selectOne()
{
    const int id = idOf(tblAll);
    if (id == 0)
        return false;
    tblAll->edit();
    tblAll->fieldByName(m_config.selField).setAsInteger(1);
    tblAll->post();
    tblAll->findNearest({0, id});
    tblSel->refresh();
    tblSel->findKey({1, id});
    Changed = true;
    return true;
}

bool TfrmSetCategory::unselectOne()
{
    const int id = idOf(tblSel);
    if (id == 0)
        return false;
    tblSel->edit();
    tblSel->fieldByName(m_config.selField).setAsInteger(0);
    tblSel->post();
    tblSel->findNearest({1, id});
    tblAll->refresh();
    tblAll->findKey({0, id});
    Changed = true;
    return true;
}

void TfrmSetCategory::pbSelOneClick()
{
    selectOne();
}

void TfrmSetCategory::pbUnselOneClick()
{
    unselectOne();
}

void TfrmSetCategory::pbSelAllClick()
{
    controls::WaitCursor wait;
    data::ControlsDisabled all(*tblAll);
    data::ControlsDisabled sel(*tblSel);
    while (idOf(tblAll) > 0) {
        selectOne();
        tblAll->first();
    }
}

void TfrmSetCategory::pbUnselAllClick()
{
    controls::WaitCursor wait;
    data::ControlsDisabled sel(*tblSel);
    data::ControlsDisabled all(*tblAll);
    while (idOf(tblSel) > 0) {
        unselectOne();
        tblSel->first();
    }
}

void TfrmSetCategory::pbOkClick()
{
    if (idOf(tblSel) == 0) {
        controls::Modal::information(this, m_config.emptyMessage);
        return;
    }
    done(Changed ? 1 : 2);
}

void TfrmSetCategory::pbHilfeClick()
{
    const auto *app = qobject_cast<TourbuchApplication *>(QCoreApplication::instance());
    const QString helpFile =
        app && !app->helpFile().isEmpty() ? app->helpFile() : Globals::ProgramDir + QStringLiteral("Tourbuch.hlp");
    controls::HelpViewer::showTopic(this, helpFile, HelpContext);
}
