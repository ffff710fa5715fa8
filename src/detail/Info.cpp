#include "Info.h"

#include "app/Globals.h"
#include "app/Startup.h"
#include "controls/ButtonPictures.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

QLabel *centredLabel(QWidget *parent, const char *name, const QString &text, QRect box)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setGeometry(box);
    return l;
}

} // namespace

TfrmInfo::TfrmInfo(QWidget *parent)
    : Form<QDialog>(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setFixedSize(436, 405);

    m_Label1 = centredLabel(this, "Label1", QString::fromLatin1(Startup::ApplicationTitle), QRect(26, 14, 385, 19));
    QFont title = font;
    title.setPixelSize(16);
    title.setBold(true);
    m_Label1->setFont(title);

    m_lblVersion = centredLabel(this, "lblVersion", QString(), QRect(98, 37, 241, 16));
    QFont bold = font;
    bold.setBold(true);
    m_lblVersion->setFont(bold);

    m_Image1 = new QLabel(this);
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setGeometry(32, 57, 32, 32);
    m_Image1->setPixmap(controls::pictures::programIcon(32));

    m_lblBestand = centredLabel(this, "lblBestand", QString(), QRect(86, 83, 264, 16));

    m_GroupBox1 = new QGroupBox(this);
    m_GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    m_GroupBox1->setGeometry(10, 164, 416, 190);
    auto *credits = new QLabel(m_GroupBox1);
    credits->setObjectName(QStringLiteral("lblCredits"));
    credits->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    credits->setTextFormat(Qt::RichText);
    credits->setWordWrap(true);
    credits->setText(QStringLiteral(
        "<p><b>Idee, Recherche und Adressdaten</b><br>"
        "JOX Musikbüro Orbenland<br>Am Probenraum 7, 12345 Orbenstadt<br>"
        "Telefon 01234 567890 &middot; info@jox-orbenland.example</p>"
        "<p><b>Programm</b><br>"
        "Orbenland-Software<br>Notenweg 3, 12345 Orbenstadt<br>"
        "software@jox-orbenland.example</p>"
        "<p>www.jox-orbenland.example</p>"));
    auto *box = new QVBoxLayout(m_GroupBox1);
    box->addWidget(credits);

    m_BitBtn1 = new QPushButton(controls::pictures::ok(), QStringLiteral("Ok"), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_BitBtn1->setGeometry(174, 364, 89, 33);
    m_BitBtn1->setDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmInfo::FormShow()
{
    m_lblVersion->setText(QStringLiteral("Version 5.0 (09.11.2001)"));
    // The whole database, whatever the filter shows.
    m_lblBestand->setText(QStringLiteral("Aktueller Bestand: %1 Adressen").arg(Globals::AddressTotal));
    // No placement of its own: centred on the screen.
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}
