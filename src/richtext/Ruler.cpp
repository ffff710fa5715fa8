#include "Ruler.h"

#include "RichTextEditor.h"

#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextBlock>

namespace richtext {

namespace {
constexpr double unitsPerCentimetre = 96.0 / 2.54;
constexpr int markerWidth = 9;
constexpr int innerBorder = 6;
constexpr int horizontalOffset = 1;
} // namespace

Ruler::Ruler(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(20);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Ruler::sizeHint() const { return QSize(400, 20); }

void Ruler::setEditor(RichTextEditor *editor)
{
    for (const auto &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_editor = editor;
    if (editor) {
        const auto repaint = [this] { update(); };
        m_connections << connect(editor, &QTextEdit::cursorPositionChanged, this, repaint)
                      << connect(editor, &RichTextEditor::pageLayoutChanged, this, repaint)
                      << connect(editor->document(), &QTextDocument::contentsChanged, this, repaint)
                      << connect(editor->horizontalScrollBar(), &QScrollBar::valueChanged, this, repaint);
    }
    update();
}

double Ruler::xOf(double documentUnits) const
{
    if (!m_editor)
        return horizontalOffset + documentUnits;
    const QWidget *viewport = m_editor->viewport();
    const int viewportX = viewport->mapTo(window(), QPoint(0, 0)).x() - mapTo(window(), QPoint(0, 0)).x();
    return viewportX + m_editor->textLeftInViewport() + documentUnits + horizontalOffset;
}

void Ruler::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette pal = palette();
    p.fillRect(rect(), pal.color(QPalette::Dark)); // the button shadow of the ruler
    if (!m_editor)
        return;

    const double width = twipsToDocumentUnits(m_editor->pageLayout().textWidth());
    const double left = xOf(0);
    const QRectF textArea(left, innerBorder / 2.0, width, height() - innerBorder);
    p.fillRect(textArea, pal.color(QPalette::Base));

    // Scale: a number every centimetre, a long line at half, short at quarters.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::black);
    const double middle = height() / 2.0;
    const int quarters = int(width / (unitsPerCentimetre / 4));
    for (int q = 1; q <= quarters; ++q) {
        const double x = left + q * unitsPerCentimetre / 4;
        if (q % 4 == 0) {
            p.drawText(QRectF(x - 10, 0, 20, height()), Qt::AlignCenter, QString::number(q / 4));
        } else if (q % 2 == 0) {
            p.drawLine(QPointF(x, middle - 3), QPointF(x, middle + 3));
        } else {
            p.drawLine(QPointF(x, middle - 1), QPointF(x, middle + 1));
        }
    }

    const QTextBlockFormat format = m_editor->textCursor().blockFormat();
    p.setRenderHint(QPainter::Antialiasing);

    // Tab stops along the bottom edge.
    p.setPen(QPen(Qt::black, 1.5));
    const double base = height() - 3.5;
    for (const QTextOption::Tab &tab : format.tabPositions()) {
        const double x = left + tab.position;
        switch (tab.type) {
        case QTextOption::LeftTab:
            p.drawLine(QPointF(x, base - 5), QPointF(x, base));
            p.drawLine(QPointF(x, base), QPointF(x + 5, base));
            break;
        case QTextOption::RightTab:
            p.drawLine(QPointF(x, base - 5), QPointF(x, base));
            p.drawLine(QPointF(x - 5, base), QPointF(x, base));
            break;
        case QTextOption::CenterTab:
        case QTextOption::DelimiterTab:
            p.drawLine(QPointF(x, base - 5), QPointF(x, base));
            p.drawLine(QPointF(x - 4, base), QPointF(x + 4, base));
            if (tab.type == QTextOption::DelimiterTab)
                p.drawPoint(QPointF(x + 2.5, base - 3));
            break;
        }
    }

    // Indent markers: first line on top, left and right indent at the bottom.
    const auto marker = [&](double x, bool pointingDown) {
        const double half = markerWidth / 2.0;
        QPainterPath path;
        if (pointingDown) {
            path.moveTo(x - half, 0.5);
            path.lineTo(x + half, 0.5);
            path.lineTo(x, 0.5 + half);
        } else {
            path.moveTo(x - half, height() - 0.5);
            path.lineTo(x + half, height() - 0.5);
            path.lineTo(x, height() - 0.5 - half);
        }
        path.closeSubpath();
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(pal.color(QPalette::Button));
        p.drawPath(path);
    };
    const double leftIndent = format.leftMargin() + format.indent() * m_editor->document()->indentWidth();
    marker(left + leftIndent + format.textIndent(), true);
    marker(left + leftIndent, false);
    marker(left + width - format.rightMargin(), false);
}

} // namespace richtext
