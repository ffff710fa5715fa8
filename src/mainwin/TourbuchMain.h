#pragma once
// The main window: the address browser.

#include "data/Table.h"

#include <QMainWindow>

class QLabel;
class QFrame;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);   // runs FormCreate
    ~TfrmMain() override;                           // runs FormDestroy

    data::Table &tblAdre() { return *m_tblAdre; }
    data::DataSource &dsAdre() { return *m_dsAdre; }
    QWidget *pnlLinks() const { return m_pnlLinks; }
    QLabel *lblAnzahl() const { return m_lblAnzahl; }

    void pbFilterOffClick();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormDestroy();
    void setListWidth(int width);

    data::Table *m_tblAdre = nullptr;
    data::DataSource *m_dsAdre = nullptr;
    QWidget *m_pnlLinks = nullptr;
    QFrame *m_pnlHSplit = nullptr;
    QWidget *m_pnlRechts = nullptr;
    QLabel *m_lblAnzahl = nullptr;
};
