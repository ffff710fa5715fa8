// Switching the main window's list between all addresses and the addresses
// of the last filter run. Only the index and range of the address table
// change: the filter itself is evaluated elsewhere.

#include "TourbuchMain.h"

#include "controls/WaitCursor.h"

#include "app/Globals.h"
#include "controls/DbGrid.h"
#include "controls/Lamp.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

const QString IdField = QStringLiteral("ADRE_ID");
constexpr int HighestId = 65535;

// The list shows the new view once, after index, range and position are set.
class ViewChange {
public:
    ViewChange(data::Table &table, controls::DbGrid *grid) : m_detached((grid->gridModel()->invalidate(), table)) {}

private:
    data::ControlsDisabled m_detached;
};

} // namespace

bool TfrmMain::filterOn() const
{
    return m_pbFilterOn->isChecked();
}

void TfrmMain::showFilterState(bool on)
{
    m_imgFilterOff->setVisible(!on);
    m_imgFilterOn->setVisible(on);
}

void TfrmMain::pbFilterOnClick()
{
    m_mnpFilterOn->setChecked(true);
    m_pbFilterOn->setChecked(true);
    const controls::WaitCursor hourglass;
    {
        const ViewChange change(*m_tblAdre, m_gridAdre);
        const int current = m_tblAdre->fieldByName(IdField).asInteger();
        m_tblAdre->setIndexName(QStringLiteral("AD_SEL"));
        m_tblAdre->setRange({1, 0}, {1, HighestId});
        // An address that did not pass leaves the first one of the view current.
        m_tblAdre->findKey({1, current});
    }
    showFilterState(true);
    m_lblAnzahl->setText(QStringLiteral("%1 von %2").arg(m_tblAdre->recordCount()).arg(Globals::AddressTotal));
    m_lblAnzahl->adjustSize();
    m_editGotoKey->setFocus();
}

void TfrmMain::pbFilterOffClick()
{
    m_mnpFilterOff->setChecked(true);
    m_pbFilterOff->setChecked(true);
    const controls::WaitCursor hourglass;
    {
        const ViewChange change(*m_tblAdre, m_gridAdre);
        // 0 from an empty filtered view: the first address then.
        const int current = m_tblAdre->fieldByName(IdField).asInteger();
        m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
        m_tblAdre->setRange({0}, {HighestId});
        m_tblAdre->findKey({current});
    }
    showFilterState(false);
    m_lblAnzahl->setText(QStringLiteral("Alle %1").arg(Globals::AddressTotal));
    m_lblAnzahl->adjustSize();
    // While the window is being created it is not active: the focus stays.
    if (isActiveWindow())
        m_editGotoKey->setFocus();
}

void TfrmMain::mnpFilterOnClick()
{
    if (m_pbFilterOn->isChecked())
        return;
    m_pbFilterOn->setChecked(true);
    pbFilterOnClick();
}

void TfrmMain::mnpFilterOffClick()
{
    if (m_pbFilterOff->isChecked())
        return;
    m_pbFilterOff->setChecked(true);
    pbFilterOffClick();
}
