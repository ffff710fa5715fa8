#include "DispBild.h"

#include "app/Application.h"
#include "app/Globals.h"

#include <QShowEvent>

namespace {
constexpr const char *Section = "BILDER";
}

TfrmDispBild::TfrmDispBild(QWidget *parent)
    : Form<QWidget>(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDispBild"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    resize(440, 352);
    setWindowFlag(Qt::WindowStaysOnTopHint, Globals::PictureOnTop);
}

void TfrmDispBild::FormShow()
{
    Globals::LoadWindowPlacement(QString::fromLatin1(Section), this, 146, 36, 440, 352);
}

void TfrmDispBild::FormHide()
{
    Globals::SaveWindowPlacement(QString::fromLatin1(Section), this);
}


