#include "TourbuchMain.h"

#include "filter/Filter.h"

#include "GotoSearch.h"
#include "controls/WaitCursor.h"
#include "SplitControl.h"

#include "app/Application.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "controls/ButtonPictures.h"
#include "controls/DbGrid.h"
#include "controls/HelpViewer.h"
#include "controls/Lamp.h"
#include "detail/Info.h"
#include "richtext/DbRichText.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr const char *MainSection = "HAUPTFENSTER";
constexpr const char *ListWidthKey = "Breite Verzeichnis";
constexpr int StandardListWidth = 200;
constexpr int HelpContext = 2;

QString section() { return QString::fromLatin1(MainSection); }

// A panel whose children are placed by hand: reports its resizes.
QWidget *panel(QWidget *parent, const char *name)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QToolButton *speedButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QPushButton *rowButton(QWidget *parent, const char *name, const QString &caption, const QIcon &icon, int width)
{
    auto *b = new QPushButton(icon, caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->resize(width, 28);
    b->setAutoDefault(false);
    return b;
}

// Places a label with its natural size at a point; right-aligned text.
QLabel *label(QWidget *parent, const char *name, const QString &text, QPoint at, bool rightAligned)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    if (rightAligned)
        l->setAlignment(Qt::AlignRight | Qt::AlignTop);
    l->adjustSize();
    l->move(at);
    return l;
}

} // namespace

TfrmMain::TfrmMain(QWidget *parent)
    : Form<QMainWindow>(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    setWindowIcon(QIcon(controls::pictures::programIcon(32)));

    m_tblAdre = new data::Table(this);
    m_tblAdre->setObjectName(QStringLiteral("tblAdre"));
    m_tblAdre->setDatabaseName(QStringLiteral("Tourbuch"));
    m_tblAdre->setTableName(QStringLiteral("ADRE"));
    m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
    m_tblAdre->setAfterOpen([](data::Table &t) { data::DisableFieldTranslation(t); });
    m_dsAdre = new data::DataSource(this);
    m_dsAdre->setObjectName(QStringLiteral("dsAdre"));
    m_dsAdre->setDataSet(m_tblAdre);

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(300);
    connect(m_Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    buildWindow();
    buildMenus();
    resize(658, 430);

    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // A destructor must not throw: a failure here (a read-only settings file)
    // is shown like any other error.
    TourbuchApplication::guarded([this] { FormDestroy(); });
}

void TfrmMain::buildWindow()
{
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_Bevel1 = new QFrame(central);
    m_Bevel1->setObjectName(QStringLiteral("Bevel1"));
    m_Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    m_Bevel1->setFixedHeight(2);
    column->addWidget(m_Bevel1);

    auto *body = new QWidget(central);
    auto *row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    column->addWidget(body, 1);

    // --- the list side ---
    m_pnlLinks = panel(body, "pnlLinks");
    auto *links = new QVBoxLayout(m_pnlLinks);
    links->setContentsMargins(4, 4, 4, 4);
    links->setSpacing(0);

    m_pnlFilter = panel(m_pnlLinks, "pnlFilter");
    m_pnlFilter->setFixedHeight(141);
    m_pnlFilter->installEventFilter(this);
    links->addWidget(m_pnlFilter);

    m_gbFilter = new QGroupBox(QStringLiteral(" Filter "), m_pnlFilter);
    m_gbFilter->setObjectName(QStringLiteral("gbFilter"));
    m_gbFilter->setGeometry(0, 0, 192, 65);
    m_pbFilterOn = speedButton(m_gbFilter, "pbFilterOn", QStringLiteral("Ein"), QRect(10, 24, 35, 25));
    m_pbFilterOff = speedButton(m_gbFilter, "pbFilterOff", QStringLiteral("Aus"), QRect(46, 24, 35, 25));
    m_pbFilterOn->setCheckable(true);
    m_pbFilterOff->setCheckable(true);
    m_pbFilterOff->setChecked(true);
    // An exclusive pair: a click on the button already down keeps it down
    // and still runs its handler, which re-applies the view.
    m_filterGroup = new QButtonGroup(this);
    m_filterGroup->setExclusive(true);
    m_filterGroup->addButton(m_pbFilterOn, 1);
    m_filterGroup->addButton(m_pbFilterOff, 2);
    connect(m_pbFilterOn, &QToolButton::clicked, this, [this] { pbFilterOnClick(); });
    connect(m_pbFilterOff, &QToolButton::clicked, this, [this] { pbFilterOffClick(); });
    m_imgFilterOn = new controls::Lamp(QColor(0, 200, 0), m_gbFilter);
    m_imgFilterOn->setObjectName(QStringLiteral("imgFilterOn"));
    m_imgFilterOn->setGeometry(88, 28, 17, 17);
    m_imgFilterOff = new controls::Lamp(QColor(230, 0, 0), m_gbFilter);
    m_imgFilterOff->setObjectName(QStringLiteral("imgFilterOff"));
    m_imgFilterOff->setGeometry(88, 28, 17, 17);
    m_imgFilterOn->hide();
    m_pbFilterDef = speedButton(m_gbFilter, "pbFilterDef", QStringLiteral("Ändern"), QRect(114, 26, 66, 25));
    connect(m_pbFilterDef, &QToolButton::clicked, this, [this] { pbFilterDefClick(); });

    m_Label1 = label(m_pnlFilter, "Label1", QStringLiteral("Anzeige:"), QPoint(10, 78), true);
    m_lblAnzahl = label(m_pnlFilter, "lblAnzahl", QStringLiteral("0 von 0"), QPoint(68, 78), false);
    QFont bold = font();
    bold.setBold(true);
    m_lblAnzahl->setFont(bold);
    m_lblAnzahl->adjustSize();
    m_Label3 = label(m_pnlFilter, "Label3", QStringLiteral("Gehe zu:"), QPoint(8, 106), true);
    m_editGotoKey = new QLineEdit(m_pnlFilter);
    m_editGotoKey->setObjectName(QStringLiteral("editGotoKey"));
    m_editGotoKey->setGeometry(69, 102, 123, 24);
    m_editGotoKey->installEventFilter(this);
    m_Label3->setBuddy(m_editGotoKey);

    m_gridAdre = new controls::DbGrid(m_dsAdre, QStringLiteral("ADRE_NAME"), QStringLiteral("Name"), 60, m_pnlLinks);
    m_gridAdre->setObjectName(QStringLiteral("gridAdre"));
    links->addWidget(m_gridAdre, 1);
    row->addWidget(m_pnlLinks);

    // --- the splitter bar ---
    m_pnlHSplit = new QFrame(body);
    m_pnlHSplit->setObjectName(QStringLiteral("pnlHSplit"));
    m_pnlHSplit->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_pnlHSplit->setLineWidth(1);
    m_pnlHSplit->setFixedWidth(5);
    m_pnlHSplit->setCursor(Qt::SplitHCursor);
    m_pnlHSplit->installEventFilter(this);
    row->addWidget(m_pnlHSplit);

    // --- the address side ---
    m_pnlRechts = panel(body, "pnlRechts");
    auto *rechts = new QVBoxLayout(m_pnlRechts);
    rechts->setContentsMargins(0, 0, 0, 0);
    rechts->setSpacing(0);
    m_pnlAdresse = panel(m_pnlRechts, "pnlAdresse");
    auto *adresse = new QVBoxLayout(m_pnlAdresse);
    adresse->setContentsMargins(4, 4, 4, 4);
    m_DBWPRichTextMain = new richtext::DbRichText(m_pnlAdresse);
    m_DBWPRichTextMain->setObjectName(QStringLiteral("DBWPRichTextMain"));
    m_DBWPRichTextMain->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_DBWPRichTextMain->setLineWidth(1);
    m_DBWPRichTextMain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_DBWPRichTextMain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The description wraps at the pane, whatever its page width.
    m_DBWPRichTextMain->setLineWrapMode(QTextEdit::WidgetWidth);
    m_DBWPRichTextMain->setTabChangesFocus(false);
    m_DBWPRichTextMain->setOverwriteMode(false);
    m_DBWPRichTextMain->setDataSource(m_dsAdre);
    m_DBWPRichTextMain->setDataField(QStringLiteral("ADRE_MEMO"));
    adresse->addWidget(m_DBWPRichTextMain);
    rechts->addWidget(m_pnlAdresse, 1);

    m_pnlButtons = panel(m_pnlRechts, "pnlButtons");
    m_pnlButtons->setFixedHeight(41);
    m_pnlButtons->installEventFilter(this);
    m_pbInfos = rowButton(m_pnlButtons, "pbInfos", QStringLiteral("&Infos"), controls::pictures::info(), 70);
    m_pbNotizen = rowButton(m_pnlButtons, "pbNotizen", QStringLiteral("&Notizen"), controls::pictures::notes(), 80);
    m_pbDrucken = rowButton(m_pnlButtons, "pbDrucken", QStringLiteral("D&rucken"), controls::pictures::print(), 80);
    m_pbHilfe = rowButton(m_pnlButtons, "pbHilfe", QStringLiteral("&Hilfe"), controls::pictures::help(), 70);
    m_pbEnde = rowButton(m_pnlButtons, "pbEnde", QStringLiteral("&Ende"), controls::pictures::exit(), 70);
    // Not tab stops, but a click may focus them.
    m_pbInfos->setFocusPolicy(Qt::ClickFocus);
    m_pbDrucken->setFocusPolicy(Qt::ClickFocus);
    m_pbDrucken->hide();
    connect(m_pbInfos, &QPushButton::clicked, this, [this] { pbInfosClick(); });
    connect(m_pbNotizen, &QPushButton::clicked, this, [this] { pbNotizenClick(); });
    connect(m_pbDrucken, &QPushButton::clicked, this, [this] { pbDruckenClick(); });
    connect(m_pbHilfe, &QPushButton::clicked, this, [this] { pbHilfeClick(); });
    connect(m_pbEnde, &QPushButton::clicked, this, [this] { pbEndeClick(); });
    rechts->addWidget(m_pnlButtons);
    row->addWidget(m_pnlRechts, 1);

    setCentralWidget(central);
    setListWidth(StandardListWidth);

    // Only these take the focus by Tab, in this order.
    m_gridAdre->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(m_gridAdre, m_editGotoKey);
    setTabOrder(m_editGotoKey, m_DBWPRichTextMain);
    setTabOrder(m_DBWPRichTextMain, m_pbNotizen);
    setTabOrder(m_pbNotizen, m_pbHilfe);
    setTabOrder(m_pbHilfe, m_pbEnde);
    setTabOrder(m_pbEnde, m_gridAdre);

    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { pbHilfeClick(); });

    connect(m_dsAdre, &data::DataSource::dataChange, this,
            [this](const data::Field *field) { dsAdreDataChange(field); });
}

void TfrmMain::buildMenus()
{
    QMenu *mnhDatei = menuBar()->addMenu(QStringLiteral("&Datei"));
    mnhDatei->setObjectName(QStringLiteral("mnhDatei"));
    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                       void (TfrmMain::*handler)()) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    m_mnpFilter = item(mnhDatei, "mnpFilter", QStringLiteral("&Filter definieren"), QKeySequence(Qt::CTRL | Qt::Key_F),
                       &TfrmMain::mnpFilterClick);
    m_mnpFilterOn = item(mnhDatei, "mnpFilterOn", QStringLiteral("Filter &ein"), QKeySequence(Qt::CTRL | Qt::Key_E),
                         &TfrmMain::mnpFilterOnClick);
    m_mnpFilterOff = item(mnhDatei, "mnpFilterOff", QStringLiteral("Filter &aus"),
                          QKeySequence(Qt::CTRL | Qt::Key_A), &TfrmMain::mnpFilterOffClick);
    // One check mark between the two.
    auto *checks = new QActionGroup(this);
    checks->setExclusive(true);
    for (QAction *a : {m_mnpFilterOn, m_mnpFilterOff}) {
        a->setCheckable(true);
        checks->addAction(a);
    }
    m_mnpFilterOff->setChecked(true);
    mnhDatei->addSeparator()->setObjectName(QStringLiteral("N2"));
    m_mnpDrucken = item(mnhDatei, "mnpDrucken", QStringLiteral("&Drucken"), QKeySequence(Qt::CTRL | Qt::Key_P),
                        &TfrmMain::mnpDruckenClick);
    m_mnpRaender = item(mnhDatei, "mnpRaender", QStringLiteral("Ränder"), QKeySequence(), &TfrmMain::mnpRaenderClick);
    mnhDatei->addSeparator()->setObjectName(QStringLiteral("N1"));
    m_mnpBeenden = item(mnhDatei, "mnpBeenden", QStringLiteral("&Beenden"), QKeySequence(Qt::CTRL | Qt::Key_X),
                        &TfrmMain::mnpBeendenClick);

    QMenu *mnhHilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    mnhHilfe->setObjectName(QStringLiteral("mnhHilfe"));
    m_mnpInfo = item(mnhHilfe, "mnpInfo", QStringLiteral("&Info"), QKeySequence(), &TfrmMain::mnpInfoClick);
}

// --- lifecycle

void TfrmMain::FormCreate()
{
    m_Timer1->stop();
    m_GotoBusy = false;
    m_Splitter = std::make_unique<TSplitControl>(this);
    Globals::LoadSettings();
    // The list fetches its names once, for the view the window starts with.
    const data::ControlsDisabled detached(*m_tblAdre);
    m_tblAdre->open();
    m_tblAdre->setIndexName(QStringLiteral("AD_ID"));
    // No range is set yet, so this counts every address.
    Globals::AddressTotal = m_tblAdre->recordCount();
    m_ButtonRowWidth = m_pbInfos->width() + m_pbDrucken->width() + m_pbNotizen->width() + m_pbHilfe->width()
                       + m_pbEnde->width() + 36;
    m_mnpFilterOff->setChecked(true);
    m_pbFilterOff->setChecked(true);
    pbFilterOffClick();
}

void TfrmMain::FormShow()
{
    setWindowTitle(QStringLiteral("%1 5.0").arg(QString::fromLatin1(Startup::ApplicationTitle)));
    Globals::LoadWindowPlacement(section(), this, 12, 9, 634, 342);
    setListWidth(Globals::ReadSettingInt(section(), QString::fromLatin1(ListWidthKey), StandardListWidth));
    m_editGotoKey->setFocus();
}

void TfrmMain::FormHide()
{
    Globals::SaveWindowPlacement(section(), this);
    Globals::WriteSettingInt(section(), QString::fromLatin1(ListWidthKey), m_pnlLinks->width());
}

void TfrmMain::FormDestroy()
{
    m_Timer1->stop();
    // A description still being edited is stored, not dropped: closing the
    // table posts a modified record.
    m_tblAdre->close();
    Globals::SaveSettings();
}

void TfrmMain::setListWidth(int width)
{
    m_pnlLinks->setFixedWidth(width);
}



void TfrmMain::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, whatever else is open.
    event->accept();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

// --- sizes

void TfrmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmMain::FormResize()
{
    // The layouts may not have placed the right side yet: reckon its width.
    const int rightWidth = width() - m_pnlLinks->width() - m_pnlHSplit->width();
    if (rightWidth < m_ButtonRowWidth && m_pnlLinks->width() > StandardListWidth)
        setListWidth(StandardListWidth);
}

void TfrmMain::pnlFilterResize()
{
    m_gbFilter->resize(m_pnlFilter->width(), m_gbFilter->height());
    m_editGotoKey->resize(m_pnlFilter->width() - m_editGotoKey->x(), m_editGotoKey->height());
}

void TfrmMain::pnlButtonsResize()
{
    const int borderOfAdresse = 4;
    const int top = (m_pnlButtons->height() - m_pbInfos->height() + borderOfAdresse) / 2;
    int left = (m_pnlButtons->width() - m_ButtonRowWidth) / 2 + 6;
    // Hidden buttons keep their place, so the others never move.
    for (QPushButton *b : {m_pbInfos, m_pbNotizen, m_pbDrucken, m_pbHilfe, m_pbEnde}) {
        b->move(left, top);
        left += b->width() + 6;
    }
}

void TfrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        applySizeLimits();
}

void TfrmMain::applySizeLimits()
{
    if (isActiveWindow()) {
        // The frame and caption lie outside the client area Qt limits; the
        // menu bar lies inside it.
        const int minWidth = m_pnlHSplit->width() + m_ButtonRowWidth + StandardListWidth;
        const int minHeight = menuBar()->sizeHint().height() + m_Bevel1->height() + m_pnlFilter->height() + 94;
        setMinimumSize(minWidth, minHeight);
    } else {
        setMinimumSize(0, 0);
    }
}

// --- the current address

void TfrmMain::setNotesWindow(QWidget *notesWindow, std::function<void(int)> showNoteFor)
{
    m_notesWindow = notesWindow;
    m_showNoteFor = std::move(showNoteFor);
}

void TfrmMain::dsAdreDataChange(const data::Field *)
{
    if (!m_tblAdre->active())
        return;
    const int adreRef = m_tblAdre->fieldByName(QStringLiteral("ADRE_REF")).asInteger();
    const bool hasAddress = adreRef != 0;
    m_pbNotizen->setVisible(hasAddress);
    if (m_notesWindow && m_notesWindow->isVisible() && m_showNoteFor)
        m_showNoteFor(adreRef);
    m_pbDrucken->setVisible(hasAddress);
    bool related = false;
    if (hasAddress) {
        for (const char *field : {"BAND_ID", "STUD_ID", "LABE_ID"})
            if (m_tblAdre->fieldByName(QString::fromLatin1(field)).asInteger() != 0) {
                related = true;
                break;
            }
    }
    m_pbInfos->setVisible(hasAddress && related);
}

// --- go-to search

void TfrmMain::editGotoKeyKeyUp()
{
    if (m_GotoBusy)
        return;
    m_Timer1->stop();
    QCoreApplication::processEvents();
    m_Timer1->start();
}

void TfrmMain::Timer1Timer()
{
    m_GotoBusy = true;
    m_Timer1->stop();
    struct Idle {
        bool &busy;
        ~Idle() { busy = false; }
    } idle{m_GotoBusy};
    const controls::WaitCursor hourglass;
    const data::ControlsDisabled detached(*m_tblAdre);
    mainwin::gotoSearch(*m_tblAdre, m_editGotoKey->text(), m_pbFilterOff->isChecked());
}

// --- splitter

void TfrmMain::pnlHSplitMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                  bool doubleClick, int, int)
{
    if (button == Qt::LeftButton && buttons == Qt::LeftButton && modifiers == Qt::NoModifier && !doubleClick)
        m_Splitter->BeginTrack(m_pnlHSplit, m_pnlLinks, StandardListWidth, 0);
}

void TfrmMain::SplitterMouseMove(int x, int y)
{
    if (m_Splitter->IsTracking())
        m_Splitter->TrackTo(x, y);
}

void TfrmMain::SplitterMouseUp()
{
    // The drag ends where the mouse was last moved, whichever button rose.
    if (m_Splitter->IsTracking())
        m_Splitter->EndTrack();
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pnlHSplit) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto *e = static_cast<QMouseEvent *>(event);
            const QPoint p = e->position().toPoint();
            pnlHSplitMouseDown(e->button(), e->buttons(), e->modifiers(),
                               event->type() == QEvent::MouseButtonDblClick, p.x(), p.y());
            return true;
        }
        case QEvent::MouseMove: {
            const QPoint p = static_cast<QMouseEvent *>(event)->position().toPoint();
            SplitterMouseMove(p.x(), p.y());
            return true;
        }
        case QEvent::MouseButtonRelease:
            SplitterMouseUp();
            return true;
        default: break;
        }
    } else if (watched == m_editGotoKey && event->type() == QEvent::KeyRelease) {
        editGotoKeyKeyUp();
    } else if (watched == m_pnlFilter && event->type() == QEvent::Resize) {
        pnlFilterResize();
    } else if (watched == m_pnlButtons && event->type() == QEvent::Resize) {
        pnlButtonsResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- buttons and menu items

void TfrmMain::pbHilfeClick()
{
    controls::HelpViewer::showTopic(this, Globals::ProgramDir + QString::fromLatin1(Startup::HelpFileName),
                                    HelpContext);
}

void TfrmMain::pbEndeClick()
{
    close();
}

void TfrmMain::mnpBeendenClick()
{
    close();
}

void TfrmMain::mnpInfoClick()
{
    TfrmInfo info(this);
    info.exec();
}

// The windows behind these come with the filter definition, the output,
// the margins, the notes and the related records.
void TfrmMain::pbFilterDefClick()
{
    // OK means the definition changed and a run has marked the addresses.
    if (ExecuteFilterDefinition(this) != QDialog::Accepted)
        return;
    m_pbFilterOn->setChecked(true);
    pbFilterOnClick();   // re-reads the view, so the list shows the new marks
}

void TfrmMain::mnpFilterClick()
{
    pbFilterDefClick();
}
void TfrmMain::pbDruckenClick() {}
void TfrmMain::mnpDruckenClick() {}
void TfrmMain::mnpRaenderClick() {}
void TfrmMain::pbNotizenClick() {}
void TfrmMain::pbInfosClick() {}
