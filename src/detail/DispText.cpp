#include "DispText.h"

#include "app/Application.h"
#include "app/Globals.h"

#include <QShowEvent>

namespace {
constexpr const char *Section = "TEXTE";
}

TfrmDispText::TfrmDispText(QWidget *parent)
    : Form<QWidget>(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDispText"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    resize(637, 452);
    setWindowFlag(Qt::WindowStaysOnTopHint, Globals::TextOnTop);
}

void TfrmDispText::FormShow()
{
    Globals::LoadWindowPlacement(QString::fromLatin1(Section), this, 39, 61, 637, 452);
}

void TfrmDispText::FormHide()
{
    Globals::SaveWindowPlacement(QString::fromLatin1(Section), this);
}


