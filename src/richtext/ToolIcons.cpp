#include "ToolIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace richtext {

namespace {
struct IconInfo {
    ToolIcon icon;
    int group;
    int number;
    const char *hint;
};

// Numbers count from 1 within each group, in the order of the hint list.
constexpr IconInfo iconTable[] = {
    {ToolIcon::Normal, IconGroup::Style, 1, "Normal"},
    {ToolIcon::Bold, IconGroup::Style, 2, "Bold"},
    {ToolIcon::Italic, IconGroup::Style, 3, "Italic"},
    {ToolIcon::Under, IconGroup::Style, 4, "Under"},
    {ToolIcon::Hyperlink, IconGroup::Style, 5, "Hyperlink"},
    {ToolIcon::StrikeOut, IconGroup::Style, 6, "StrikeOut"},
    {ToolIcon::Sub, IconGroup::Style, 7, "Sub"},
    {ToolIcon::Super, IconGroup::Style, 8, "Super"},
    {ToolIcon::Hidden, IconGroup::Style, 9, "Hidden"},
    {ToolIcon::RTFCode, IconGroup::Style, 10, "RTFCode"},
    {ToolIcon::Left, IconGroup::Paragraph, 1, "Left"},
    {ToolIcon::Right, IconGroup::Paragraph, 2, "Right"},
    {ToolIcon::Justified, IconGroup::Paragraph, 3, "Justified"},
    {ToolIcon::Center, IconGroup::Paragraph, 4, "Center"},
    {ToolIcon::Copy, IconGroup::Edit, 1, "Copy"},
    {ToolIcon::Cut, IconGroup::Edit, 2, "Cut"},
    {ToolIcon::Paste, IconGroup::Edit, 3, "Paste"},
    {ToolIcon::SelAll, IconGroup::Edit, 4, "SelAll"},
    {ToolIcon::HideSel, IconGroup::Edit, 5, "HideSel"},
    {ToolIcon::Find, IconGroup::Edit, 6, "Find"},
    {ToolIcon::Replace, IconGroup::Edit, 7, "Replace"},
    {ToolIcon::Spell, IconGroup::Edit, 8, "Spell"},
    {ToolIcon::Exit, IconGroup::File, 1, "Exit"},
    {ToolIcon::New, IconGroup::File, 2, "New"},
    {ToolIcon::Open, IconGroup::File, 3, "Open"},
    {ToolIcon::Save, IconGroup::File, 4, "Save"},
    {ToolIcon::Close, IconGroup::File, 5, "Close"},
    {ToolIcon::Print, IconGroup::Print, 1, "Print"},
    {ToolIcon::PrintSetup, IconGroup::Print, 2, "PrintSetup"},
    {ToolIcon::Next, IconGroup::Database, 1, "Next"},
    {ToolIcon::Prev, IconGroup::Database, 2, "Prev"},
    {ToolIcon::Add, IconGroup::Database, 3, "Add"},
    {ToolIcon::Del, IconGroup::Database, 4, "Del"},
    {ToolIcon::Edit, IconGroup::Database, 5, "Edit"},
    {ToolIcon::Cancel, IconGroup::Database, 6, "Cancel"},
    {ToolIcon::ToStart, IconGroup::Database, 7, "ToStart"},
    {ToolIcon::ToEnd, IconGroup::Database, 8, "ToEnd"},
    {ToolIcon::Post, IconGroup::Database, 9, "Post"},
};

const IconInfo &info(ToolIcon icon) { return iconTable[int(icon)]; }

// All pictures are drawn on a 20 x 20 grid and scaled.
void drawLetter(QPainter &p, const QString &text, bool bold, bool italic, bool underline, bool strike)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strike);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRectF(0, 0, 20, 19), Qt::AlignCenter, text);
}

void drawLines(QPainter &p, const QList<std::pair<int, int>> &lines)
{
    p.setPen(QPen(Qt::black, 1.6));
    int y = 4;
    for (const auto &[left, right] : lines) {
        p.drawLine(QPointF(left, y), QPointF(right, y));
        y += 4;
    }
}

void drawPage(QPainter &p, const QRectF &r)
{
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - 3, r.top());
    page.lineTo(r.right(), r.top() + 3);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (double y = r.top() + 4; y < r.bottom() - 1; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}

void drawPrinter(QPainter &p)
{
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 2.5, 9, 6));                   // paper in
    p.setBrush(QColor(170, 170, 170));
    p.drawRoundedRect(QRectF(2.5, 8.5, 15, 6), 1.5, 1.5); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 12.5, 9, 5));                  // paper out
    p.setBrush(QColor(40, 160, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(15, 10.5), 0.9, 0.9);
}

void drawPicture(QPainter &p, ToolIcon icon)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case ToolIcon::Normal:
        drawLetter(p, QStringLiteral("N"), false, false, false, false);
        break;
    case ToolIcon::Bold:
        drawLetter(p, QStringLiteral("B"), true, false, false, false);
        break;
    case ToolIcon::Italic:
        drawLetter(p, QStringLiteral("I"), true, true, false, false);
        break;
    case ToolIcon::Under:
        drawLetter(p, QStringLiteral("U"), true, false, true, false);
        break;
    case ToolIcon::StrikeOut:
        drawLetter(p, QStringLiteral("S"), true, false, false, true);
        break;
    case ToolIcon::Sub:
        drawLetter(p, QStringLiteral("x\u2082"), false, false, false, false);
        break;
    case ToolIcon::Super:
        drawLetter(p, QStringLiteral("x\u00B2"), false, false, false, false);
        break;
    case ToolIcon::Hidden:
        drawLetter(p, QStringLiteral("H"), false, true, false, false);
        break;
    case ToolIcon::RTFCode:
        drawLetter(p, QStringLiteral("{}"), true, false, false, false);
        break;
    case ToolIcon::Hyperlink:
        p.setPen(QPen(QColor(0, 0, 180), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(2, 7, 9, 6), 3, 3);
        p.drawRoundedRect(QRectF(9, 7, 9, 6), 3, 3);
        break;
    case ToolIcon::Left:
        drawLines(p, {{2, 18}, {2, 12}, {2, 18}, {2, 10}});
        break;
    case ToolIcon::Right:
        drawLines(p, {{2, 18}, {8, 18}, {2, 18}, {10, 18}});
        break;
    case ToolIcon::Justified:
        drawLines(p, {{2, 18}, {2, 18}, {2, 18}, {2, 18}});
        break;
    case ToolIcon::Center:
        drawLines(p, {{2, 18}, {5, 15}, {2, 18}, {6, 14}});
        break;
    case ToolIcon::Copy:
        drawPage(p, QRectF(2.5, 2.5, 9, 11));
        drawPage(p, QRectF(8.5, 6.5, 9, 11));
        break;
    case ToolIcon::Cut:
        p.setPen(QPen(QColor(60, 60, 60), 1.4));
        p.drawLine(QPointF(6, 2), QPointF(12.5, 13));
        p.drawLine(QPointF(14, 2), QPointF(7.5, 13));
        p.setPen(QPen(QColor(0, 0, 160), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 15.5), 2.6, 2.6);
        p.drawEllipse(QPointF(14, 15.5), 2.6, 2.6);
        break;
    case ToolIcon::Paste:
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(200, 150, 80));
        p.drawRoundedRect(QRectF(2.5, 3.5, 11, 14), 1.5, 1.5);
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(5.5, 2.5, 5, 3));
        drawPage(p, QRectF(9.5, 7.5, 8, 10));
        break;
    case ToolIcon::SelAll:
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        p.setPen(QPen(QColor(0, 0, 160), 1.6));
        for (int y = 6; y <= 14; y += 4)
            p.drawLine(QPointF(5, y), QPointF(15, y));
        break;
    case ToolIcon::HideSel:
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(QRectF(2.5, 2.5, 15, 15));
        break;
    case ToolIcon::Find:
    case ToolIcon::Replace:
        p.setPen(QPen(QColor(40, 40, 40), 1.6));
        p.setBrush(QColor(210, 230, 255));
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.setPen(QPen(QColor(40, 40, 40), 2.6));
        p.drawLine(QPointF(11.5, 11.5), QPointF(17, 17));
        if (icon == ToolIcon::Replace) {
            p.setPen(QPen(QColor(200, 0, 0), 1.6));
            p.drawLine(QPointF(12, 3), QPointF(18, 3));
        }
        break;
    case ToolIcon::Spell:
        drawLetter(p, QStringLiteral("abc"), false, false, false, false);
        break;
    case ToolIcon::Exit:
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(3.5, 2.5, 8, 15));
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(QPointF(10, 10), QPointF(18, 10));
        p.drawLine(QPointF(15, 7), QPointF(18, 10));
        p.drawLine(QPointF(15, 13), QPointF(18, 10));
        break;
    case ToolIcon::New:
        drawPage(p, QRectF(4.5, 2.5, 11, 15));
        break;
    case ToolIcon::Open:
        p.setPen(QPen(QColor(120, 90, 0), 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(2.5, 5.5, 15, 11));
        p.drawRect(QRectF(2.5, 4.5, 6, 2));
        break;
    case ToolIcon::Save:
        p.setPen(QPen(QColor(20, 20, 60), 1));
        p.setBrush(QColor(40, 70, 160));
        p.drawRoundedRect(QRectF(2.5, 2.5, 15, 15), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 2.5, 9, 6));   // label
        p.setBrush(QColor(190, 190, 190));
        p.drawRect(QRectF(5.5, 11.5, 9, 6));  // shutter
        p.setBrush(QColor(40, 70, 160));
        p.drawRect(QRectF(11.5, 12.5, 2, 4));
        break;
    case ToolIcon::Close:
        drawPage(p, QRectF(4.5, 2.5, 11, 15));
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(QPointF(7, 8), QPointF(13, 14));
        p.drawLine(QPointF(13, 8), QPointF(7, 14));
        break;
    case ToolIcon::Print:
        drawPrinter(p);
        break;
    case ToolIcon::PrintSetup:
        drawPrinter(p);
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(255, 220, 60));
        p.drawEllipse(QPointF(15, 15), 3.5, 3.5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(15, 15), 1.2, 1.2);
        break;
    case ToolIcon::Next:
    case ToolIcon::Prev:
    case ToolIcon::ToStart:
    case ToolIcon::ToEnd: {
        const bool forward = icon == ToolIcon::Next || icon == ToolIcon::ToEnd;
        QPainterPath arrow;
        arrow.moveTo(forward ? 6 : 14, 4);
        arrow.lineTo(forward ? 14 : 6, 10);
        arrow.lineTo(forward ? 6 : 14, 16);
        arrow.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(arrow);
        if (icon == ToolIcon::ToStart || icon == ToolIcon::ToEnd)
            p.drawRect(QRectF(forward ? 15 : 3, 4, 2, 12));
        break;
    }
    case ToolIcon::Add:
        drawLetter(p, QStringLiteral("+"), true, false, false, false);
        break;
    case ToolIcon::Del:
        drawLetter(p, QStringLiteral("\u2212"), true, false, false, false);
        break;
    case ToolIcon::Edit:
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(250, 210, 80));
        p.drawPolygon(QPolygonF({QPointF(4, 16), QPointF(5, 12), QPointF(14, 3), QPointF(17, 6),
                                 QPointF(8, 15)}));
        break;
    case ToolIcon::Cancel:
        p.setPen(QPen(QColor(200, 0, 0), 2.2));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case ToolIcon::Post:
        p.setPen(QPen(QColor(0, 140, 0), 2.2));
        p.drawLine(QPointF(4, 10), QPointF(8, 15));
        p.drawLine(QPointF(8, 15), QPointF(16, 4));
        break;
    }
}
} // namespace

ToolIconId toolIconId(ToolIcon icon) { return {info(icon).group, info(icon).number}; }

QString toolIconHint(ToolIcon icon) { return QString::fromLatin1(info(icon).hint); }

QIcon toolIconPicture(ToolIcon icon, int size)
{
    QIcon result;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            painter.scale(size * scale / 20.0, size * scale / 20.0);
            drawPicture(painter, icon);
        }
        pixmap.setDevicePixelRatio(scale);
        result.addPixmap(pixmap);
    }
    return result;
}

QList<ToolIcon> allToolIcons()
{
    QList<ToolIcon> icons;
    for (const IconInfo &entry : iconTable)
        icons.append(entry.icon);
    return icons;
}

} // namespace richtext
