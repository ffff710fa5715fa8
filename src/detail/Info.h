#pragma once
// The About window: the program's title, version and holdings, and who
// made it. Created for each opening and shown modally.

#include "app/Form.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

class TfrmInfo : public Form<QDialog> {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);

    QLabel *Label1() const { return m_Label1; }
    QLabel *lblVersion() const { return m_lblVersion; }
    QLabel *lblBestand() const { return m_lblBestand; }
    QGroupBox *GroupBox1() const { return m_GroupBox1; }
    QPushButton *BitBtn1() const { return m_BitBtn1; }

private:
    void FormShow() override;

    QLabel *m_Label1;
    QLabel *m_lblVersion;
    QLabel *m_Image1;
    QLabel *m_lblBestand;
    QGroupBox *m_GroupBox1;
    QPushButton *m_BitBtn1;
};
