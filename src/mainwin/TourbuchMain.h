#pragma once
// The main window: the address browser. On the left the filter box, the
// count, the go-to field and the list of names; on the right the editable
// description of the current address and the button row.

#include "app/Form.h"
#include "data/Table.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TSplitControl;

namespace controls {
class DbGrid;
class Lamp;
} // namespace controls
namespace richtext {
class DbRichText;
}

class TfrmMain : public Form<QMainWindow> {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);   // runs FormCreate
    ~TfrmMain() override;                           // runs FormDestroy

    // --- what other windows use ---
    data::Table &tblAdre() { return *m_tblAdre; }
    data::DataSource &dsAdre() { return *m_dsAdre; }
    // The filter is on exactly when pbFilterOn is down.
    bool filterOn() const;

    // The notes window's seam. The notes window registers itself once it
    // exists; while it is visible, every change of the current address
    // calls showNoteFor with the address's ADRE_REF (0 for none). The window
    // is watched, so its destruction needs no unregistering.
    void setNotesWindow(QWidget *notesWindow, std::function<void(int adreRef)> showNoteFor);

    // --- handlers; public because other windows and the list outputs run them ---
    void pbFilterOnClick();
    void pbFilterOffClick();
    void mnpFilterOnClick();
    void mnpFilterOffClick();
    void pbFilterDefClick();   // filter definition dialog
    void mnpFilterClick();
    void pbDruckenClick();     // output dialog
    void mnpDruckenClick();
    void mnpRaenderClick();    // printer margins dialog
    void pbNotizenClick();     // notes window
    void pbInfosClick();       // related studio, band or label
    void mnpInfoClick();       // About window
    void pbHilfeClick();
    void pbEndeClick();
    void mnpBeendenClick();
    // Also run by the notes window right after it is shown (field empty).
    void dsAdreDataChange(const data::Field *field = nullptr);
    void editGotoKeyKeyUp();
    void Timer1Timer();
    // The bar's mouse events; x, y in pnlHSplit's coordinates.
    void pnlHSplitMouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                            bool doubleClick, int x, int y);
    void SplitterMouseMove(int x, int y);
    void SplitterMouseUp();

    // --- the controls, for the windows built on this one and for tests ---
    QFrame *Bevel1() const { return m_Bevel1; }
    QWidget *pnlLinks() const { return m_pnlLinks; }
    QWidget *pnlFilter() const { return m_pnlFilter; }
    QGroupBox *gbFilter() const { return m_gbFilter; }
    QToolButton *pbFilterOn() const { return m_pbFilterOn; }
    QToolButton *pbFilterOff() const { return m_pbFilterOff; }
    QToolButton *pbFilterDef() const { return m_pbFilterDef; }
    controls::Lamp *imgFilterOn() const { return m_imgFilterOn; }
    controls::Lamp *imgFilterOff() const { return m_imgFilterOff; }
    QLabel *lblAnzahl() const { return m_lblAnzahl; }
    QLineEdit *editGotoKey() const { return m_editGotoKey; }
    controls::DbGrid *gridAdre() const { return m_gridAdre; }
    QFrame *pnlHSplit() const { return m_pnlHSplit; }
    QWidget *pnlRechts() const { return m_pnlRechts; }
    QWidget *pnlAdresse() const { return m_pnlAdresse; }
    richtext::DbRichText *DBWPRichTextMain() const { return m_DBWPRichTextMain; }
    QWidget *pnlButtons() const { return m_pnlButtons; }
    QPushButton *pbInfos() const { return m_pbInfos; }
    QPushButton *pbNotizen() const { return m_pbNotizen; }
    QPushButton *pbDrucken() const { return m_pbDrucken; }
    QPushButton *pbHilfe() const { return m_pbHilfe; }
    QPushButton *pbEnde() const { return m_pbEnde; }
    QAction *mnpFilter() const { return m_mnpFilter; }
    QAction *mnpFilterOn() const { return m_mnpFilterOn; }
    QAction *mnpFilterOff() const { return m_mnpFilterOff; }
    QAction *mnpDrucken() const { return m_mnpDrucken; }
    QAction *mnpRaender() const { return m_mnpRaender; }
    QAction *mnpBeenden() const { return m_mnpBeenden; }
    QAction *mnpInfo() const { return m_mnpInfo; }
    QTimer *Timer1() const { return m_Timer1; }
    TSplitControl &Splitter() { return *m_Splitter; }
    bool GotoBusy() const { return m_GotoBusy; }
    int ButtonRowWidth() const { return m_ButtonRowWidth; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void FormCreate();
    void FormShow() override;
    void FormHide() override;
    void FormDestroy();
    void FormResize();
    void pnlFilterResize();
    void pnlButtonsResize();
    // The minimum track size holds only while the window is active.
    void applySizeLimits();
    void setListWidth(int width);
    // The view of tblAdre as the filter switch leaves it.
    void showFilterState(bool on);

    data::Table *m_tblAdre = nullptr;
    data::DataSource *m_dsAdre = nullptr;
    QTimer *m_Timer1 = nullptr;
    bool m_GotoBusy = false;
    std::unique_ptr<TSplitControl> m_Splitter;
    int m_ButtonRowWidth = 200;

    QPointer<QWidget> m_notesWindow;
    std::function<void(int)> m_showNoteFor;

    QFrame *m_Bevel1 = nullptr;
    QWidget *m_pnlLinks = nullptr;
    QWidget *m_pnlFilter = nullptr;
    QGroupBox *m_gbFilter = nullptr;
    QToolButton *m_pbFilterOn = nullptr;
    QToolButton *m_pbFilterOff = nullptr;
    QToolButton *m_pbFilterDef = nullptr;
    QButtonGroup *m_filterGroup = nullptr;
    controls::Lamp *m_imgFilterOn = nullptr;
    controls::Lamp *m_imgFilterOff = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_lblAnzahl = nullptr;
    QLabel *m_Label3 = nullptr;
    QLineEdit *m_editGotoKey = nullptr;
    controls::DbGrid *m_gridAdre = nullptr;
    QFrame *m_pnlHSplit = nullptr;
    QWidget *m_pnlRechts = nullptr;
    QWidget *m_pnlAdresse = nullptr;
    richtext::DbRichText *m_DBWPRichTextMain = nullptr;
    QWidget *m_pnlButtons = nullptr;
    QPushButton *m_pbInfos = nullptr;
    QPushButton *m_pbNotizen = nullptr;
    QPushButton *m_pbDrucken = nullptr;
    QPushButton *m_pbHilfe = nullptr;
    QPushButton *m_pbEnde = nullptr;
    QAction *m_mnpFilter = nullptr;
    QAction *m_mnpFilterOn = nullptr;
    QAction *m_mnpFilterOff = nullptr;
    QAction *m_mnpDrucken = nullptr;
    QAction *m_mnpRaender = nullptr;
    QAction *m_mnpBeenden = nullptr;
    QAction *m_mnpInfo = nullptr;
};
