#include "TourbuchMain.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "app/Startup.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
constexpr const char *MainSection = "HAUPTFENSTER";
constexpr const char *ListWidthKey = "Breite Verzeichnis";
constexpr int DefaultListWidth = 200;
} // namespace

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    resize(658, 430);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);

    auto *central = new QWidget(this);
    auto *row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    m_pnlLinks = new QWidget(central);
    m_pnlLinks->setObjectName(QStringLiteral("pnlLinks"));
    auto *links = new QVBoxLayout(m_pnlLinks);
    links->setContentsMargins(4, 4, 4, 4);
    m_lblAnzahl = new QLabel(QStringLiteral("0 von 0"), m_pnlLinks);
    m_lblAnzahl->setObjectName(QStringLiteral("lblAnzahl"));
    QFont bold = font;
    bold.setBold(true);
    m_lblAnzahl->setFont(bold);
    links->addWidget(m_lblAnzahl);
    links->addStretch(1);

    m_pnlHSplit = new QFrame(central);
    m_pnlHSplit->setObjectName(QStringLiteral("pnlHSplit"));
    m_pnlHSplit->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_pnlHSplit->setFixedWidth(5);
    m_pnlHSplit->setCursor(Qt::SplitHCursor);

    m_pnlRechts = new QWidget(central);
    m_pnlRechts->setObjectName(QStringLiteral("pnlRechts"));

    row->addWidget(m_pnlLinks);
    row->addWidget(m_pnlHSplit);
    row->addWidget(m_pnlRechts, 1);
    setCentralWidget(central);
    setListWidth(DefaultListWidth);

    m_tblAdre = new data::Table(this);
    m_tblAdre->setObjectName(QStringLiteral("tblAdre"));
    m_tblAdre->setDatabaseName(QStringLiteral("Tourbuch"));
    m_tblAdre->setTableName(QStringLiteral("ADRE"));
    m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
    m_tblAdre->setAfterOpen([](data::Table &t) { data::DisableFieldTranslation(t); });
    m_dsAdre = new data::DataSource(this);
    m_dsAdre->setObjectName(QStringLiteral("dsAdre"));
    m_dsAdre->setDataSet(m_tblAdre);

    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // A destructor must not throw: a failure here (a read-only settings file)
    // is shown like any other error.
    TourbuchApplication::guarded([this] { FormDestroy(); });
}

void TfrmMain::FormCreate()
{
    Globals::LoadSettings();
    m_tblAdre->open();
    m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
    // No range is set yet, so this counts every address.
    Globals::AddressTotal = m_tblAdre->recordCount();
    pbFilterOffClick();
}

void TfrmMain::pbFilterOffClick()
{
    const int current = m_tblAdre->fieldByName(QStringLiteral("ADRE_ID")).asInteger();
    m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
    m_tblAdre->setRange({0}, {65535});
    m_tblAdre->findKey({current});
    m_lblAnzahl->setText(QStringLiteral("Alle %1").arg(Globals::AddressTotal));
}

void TfrmMain::FormShow()
{
    setWindowTitle(QStringLiteral("%1 5.0").arg(QString::fromLatin1(Startup::ApplicationTitle)));
    Globals::LoadWindowPlacement(QString::fromLatin1(MainSection), this, 12, 9, 634, 342);
    setListWidth(Globals::ReadSettingInt(QString::fromLatin1(MainSection), QString::fromLatin1(ListWidthKey),
                                         DefaultListWidth));
}

void TfrmMain::FormHide()
{
    Globals::SaveWindowPlacement(QString::fromLatin1(MainSection), this);
    Globals::WriteSettingInt(QString::fromLatin1(MainSection), QString::fromLatin1(ListWidthKey),
                             m_pnlLinks->width());
}

void TfrmMain::FormDestroy()
{
    // A description still being edited is stored, not dropped.
    m_tblAdre->close();
    Globals::SaveSettings();
}

void TfrmMain::setListWidth(int width)
{
    m_pnlLinks->setFixedWidth(width);
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        TourbuchApplication::guarded([this] { FormShow(); });
}

void TfrmMain::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        TourbuchApplication::guarded([this] { FormHide(); });
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}
