#include "RichTextToolBar.h"

#include "DocumentFile.h"
#include "RichTextEditor.h"
#include "controls/Modal.h"

#include <QComboBox>
#include <QDir>
#include <QFontComboBox>
#include <QPainter>
#include <QResizeEvent>
#include <QToolButton>
#include <algorithm>

namespace richtext {

namespace {
constexpr int buttonSize = 26;
constexpr int groupGap = 4;
constexpr int margin = 2;

struct NamedColor {
    const char *name;
    QRgb rgb;
};
constexpr NamedColor colorTable[] = {
    {"Schwarz", 0x000000}, {"Dunkelrot", 0x800000}, {"Grün", 0x008000}, {"Oliv", 0x808000},
    {"Dunkelblau", 0x000080}, {"Violett", 0x800080}, {"Blaugrün", 0x008080}, {"Grau", 0x808080},
    {"Silber", 0xC0C0C0}, {"Rot", 0xFF0000}, {"Hellgrün", 0x00FF00}, {"Gelb", 0xFFFF00},
    {"Blau", 0x0000FF}, {"Magenta", 0xFF00FF}, {"Türkis", 0x00FFFF}, {"Weiß", 0xFFFFFF},
};

QIcon colorSwatch(QColor color)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(color);
    painter.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

bool isCheckable(ToolIcon icon)
{
    switch (icon) {
    case ToolIcon::Bold:
    case ToolIcon::Italic:
    case ToolIcon::Under:
    case ToolIcon::StrikeOut:
    case ToolIcon::Sub:
    case ToolIcon::Super:
    case ToolIcon::Left:
    case ToolIcon::Right:
    case ToolIcon::Justified:
    case ToolIcon::Center:
        return true;
    default:
        return false;
    }
}
} // namespace

RichTextToolBar::RichTextToolBar(QWidget *parent)
    : QWidget(parent), m_fontName(new QFontComboBox(this)), m_fontSize(new QComboBox(this)),
      m_fontColor(new QComboBox(this))
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    m_fontName->setFontFilters(QFontComboBox::ScalableFonts);
    m_fontName->setToolTip(QStringLiteral("Schriftart"));
    m_fontName->setFixedWidth(150);
    m_fontName->setFocusPolicy(Qt::ClickFocus);

    m_fontSize->setEditable(true);
    m_fontSize->setToolTip(QStringLiteral("Schriftgröße"));
    m_fontSize->setFixedWidth(56);
    m_fontSize->setFocusPolicy(Qt::ClickFocus);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_fontSize->addItem(QString::number(size));

    m_fontColor->setToolTip(QStringLiteral("Schriftfarbe"));
    m_fontColor->setFixedWidth(110);
    m_fontColor->setFocusPolicy(Qt::ClickFocus);
    for (const NamedColor &c : colorTable)
        m_fontColor->addItem(colorSwatch(QColor(c.rgb)), QString::fromUtf8(c.name), QColor(c.rgb));

    connect(m_fontName, &QFontComboBox::textActivated, this, [this](const QString &family) {
        if (m_editor && !m_updating) {
            m_editor->setFontFamilyName(family);
            m_editor->setFocus();
        }
    });
    connect(m_fontSize, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const double size = QLocale().toDouble(text, &ok);
        if (m_editor && !m_updating && ok && size >= 1 && size <= 1638) {
            m_editor->setFontSize(size);
            m_editor->setFocus();
        }
    });
    connect(m_fontColor, &QComboBox::activated, this, [this](int index) {
        if (m_editor && !m_updating) {
            m_editor->setFontColor(m_fontColor->itemData(index).value<QColor>());
            m_editor->setFocus();
        }
    });
    setIcons(documentIcons());
}

QList<ToolIcon> RichTextToolBar::documentIcons()
{
    return {ToolIcon::Normal, ToolIcon::Bold, ToolIcon::Italic, ToolIcon::Under,
            ToolIcon::Left, ToolIcon::Right, ToolIcon::Justified, ToolIcon::Center,
            ToolIcon::Copy, ToolIcon::Cut, ToolIcon::Paste, ToolIcon::SelAll,
            ToolIcon::Save, ToolIcon::Print, ToolIcon::PrintSetup};
}

void RichTextToolBar::setIcons(const QList<ToolIcon> &icons)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_icons.clear();
    for (const ToolIcon icon : icons) {
        if (m_buttons.contains(int(icon)))
            continue;
        auto *button = new QToolButton(this);
        button->setIcon(toolIconPicture(icon));
        button->setIconSize(QSize(18, 18));
        button->setFixedSize(buttonSize, buttonSize);
        button->setToolTip(toolIconHint(icon));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(isCheckable(icon));
        connect(button, &QToolButton::clicked, this, [this, icon] { clickIcon(icon); });
        button->show();
        m_buttons.insert(int(icon), button);
        m_icons.append(icon);
    }
    updateState();
    updateGeometry();
    arrange(width(), true);
}

void RichTextToolBar::setFontListsVisible(bool visible)
{
    m_fontListsVisible = visible;
    m_fontName->setVisible(visible);
    m_fontSize->setVisible(visible);
    m_fontColor->setVisible(visible);
    updateGeometry();
    arrange(width(), true);
}

void RichTextToolBar::setEditor(RichTextEditor *editor)
{
    for (const auto &connection : std::as_const(m_editorConnections))
        disconnect(connection);
    m_editorConnections.clear();
    m_editor = editor;
    if (editor) {
        m_editorConnections << connect(editor, &QTextEdit::currentCharFormatChanged, this,
                                       [this] { updateState(); })
                            << connect(editor, &QTextEdit::cursorPositionChanged, this,
                                       [this] { updateState(); })
                            << connect(editor, &QTextEdit::copyAvailable, this, [this] { updateState(); });
    }
    updateState();
}

void RichTextToolBar::clickIcon(ToolIcon icon)
{
    QToolButton *b = button(icon);
    const bool checked = b && b->isCheckable() ? b->isChecked() : false;
    const ToolIconId id = toolIconId(icon);
    IconEvent event{id.group, id.number, false};
    emit iconSelection(event);
    if (!event.handled)
        runBuiltIn(icon, checked);
    updateState();
}

void RichTextToolBar::releaseIcon(int group, int number)
{
    for (const ToolIcon icon : std::as_const(m_icons)) {
        if (toolIconId(icon) == ToolIconId{group, number}) {
            QToolButton *b = button(icon);
            b->setDown(false);
            if (b->isCheckable())
                b->setChecked(false);
        }
    }
}

void RichTextToolBar::runBuiltIn(ToolIcon icon, bool checked)
{
    RichTextEditor *e = m_editor;
    if (!e)
        return;
    switch (icon) {
    case ToolIcon::Normal:
        e->setNormalStyle();
        break;
    case ToolIcon::Bold:
        e->setBold(checked);
        break;
    case ToolIcon::Italic:
        e->setItalic(checked);
        break;
    case ToolIcon::Under:
        e->setUnderline(checked);
        break;
    case ToolIcon::StrikeOut:
        e->setStrikeOut(checked);
        break;
    case ToolIcon::Sub:
        e->setVerticalAlignment(checked ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal);
        break;
    case ToolIcon::Super:
        e->setVerticalAlignment(checked ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal);
        break;
    case ToolIcon::Left:
        e->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
        break;
    case ToolIcon::Right:
        e->setAlignment(Qt::AlignRight | Qt::AlignAbsolute);
        break;
    case ToolIcon::Justified:
        e->setAlignment(Qt::AlignJustify);
        break;
    case ToolIcon::Center:
        e->setAlignment(Qt::AlignHCenter);
        break;
    case ToolIcon::Copy:
        e->copy();
        break;
    case ToolIcon::Cut:
        e->cut();
        break;
    case ToolIcon::Paste:
        e->paste();
        break;
    case ToolIcon::SelAll:
        e->selectAll();
        break;
    case ToolIcon::Save: {
        const QString fileName = controls::Modal::saveFileName(
            e, QStringLiteral("Speichern unter"), QDir::currentPath(),
            QStringLiteral("Richtext (*.RTF)"), QStringLiteral("RTF"));
        if (fileName.isEmpty())
            break;
        try {
            e->saveToFile(fileName);
        } catch (const SaveError &error) {
            controls::Modal::error(e, error.message());
        }
        break;
    }
    case ToolIcon::Print:
        e->printDocument();
        break;
    case ToolIcon::PrintSetup:
        e->printerSetup();
        break;
    default:
        break; // icons without an action of their own in this editor
    }
    if (icon != ToolIcon::Save && icon != ToolIcon::Print && icon != ToolIcon::PrintSetup)
        e->setFocus();
}

void RichTextToolBar::updateState()
{
    if (!m_editor) {
        for (QToolButton *b : std::as_const(m_buttons))
            b->setEnabled(false);
        return;
    }
    m_updating = true;
    const QTextCharFormat format = m_editor->currentCharFormat();
    const Qt::Alignment align = m_editor->alignment() & Qt::AlignHorizontal_Mask;
    const bool readOnly = m_editor->isReadOnly();
    const bool hasSelection = m_editor->textCursor().hasSelection();
    const auto setChecked = [this](ToolIcon icon, bool on) {
        if (QToolButton *b = button(icon))
            b->setChecked(on);
    };
    setChecked(ToolIcon::Bold, format.fontWeight() > QFont::Medium);
    setChecked(ToolIcon::Italic, format.fontItalic());
    setChecked(ToolIcon::Under, format.fontUnderline());
    setChecked(ToolIcon::StrikeOut, format.fontStrikeOut());
    setChecked(ToolIcon::Sub, format.verticalAlignment() == QTextCharFormat::AlignSubScript);
    setChecked(ToolIcon::Super, format.verticalAlignment() == QTextCharFormat::AlignSuperScript);
    setChecked(ToolIcon::Justified, align & Qt::AlignJustify);
    setChecked(ToolIcon::Center, align & Qt::AlignHCenter);
    setChecked(ToolIcon::Right, bool(align & (Qt::AlignRight | Qt::AlignTrailing)));
    setChecked(ToolIcon::Left, !(align & (Qt::AlignJustify | Qt::AlignHCenter | Qt::AlignRight | Qt::AlignTrailing)));
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it) {
        const ToolIcon icon = ToolIcon(it.key());
        const ToolIconId id = toolIconId(icon);
        bool enabled = true;
        if (icon == ToolIcon::Copy)
            enabled = hasSelection;
        else if (icon == ToolIcon::Cut)
            enabled = hasSelection && !readOnly;
        else if (icon == ToolIcon::Paste)
            enabled = !readOnly;
        else if (id.group == IconGroup::Style || id.group == IconGroup::Paragraph)
            enabled = !readOnly;
        it.value()->setEnabled(enabled);
    }
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? m_editor->document()->defaultFont().family() : families.constFirst();
    m_fontName->setCurrentFont(QFont(family));
    double points = format.fontPointSize();
    if (points <= 0)
        points = m_editor->document()->defaultFont().pointSizeF();
    m_fontSize->setEditText(points > 0 ? QLocale().toString(points, 'g', 4) : QString());
    const QColor color = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                          : QColor(Qt::black);
    const int colorIndex = m_fontColor->findData(color);
    m_fontColor->setCurrentIndex(colorIndex);
    m_fontName->setEnabled(!readOnly);
    m_fontSize->setEnabled(!readOnly);
    m_fontColor->setEnabled(!readOnly);
    m_updating = false;
}

int RichTextToolBar::arrange(int width, bool apply) const
{
    // Lays the lists and icons out in rows; returns the height they need.
    int x = margin;
    int y = margin;
    int rowHeight = 0;
    const auto place = [&](QWidget *w, int gapBefore) {
        const QSize size = w->sizeHint().expandedTo(w->minimumSize()).boundedTo(w->maximumSize());
        if (x > margin && x + gapBefore + size.width() > width - margin) {
            x = margin;
            y += rowHeight + 2;
            rowHeight = 0;
        } else if (x > margin) {
            x += gapBefore;
        }
        if (apply)
            w->setGeometry(x, y + std::max(0, (buttonSize - size.height()) / 2), size.width(), size.height());
        x += size.width();
        rowHeight = std::max(rowHeight, std::max(size.height(), buttonSize));
    };
    if (m_fontListsVisible) {
        place(m_fontName, 0);
        place(m_fontSize, 2);
        place(m_fontColor, 2);
    }
    int lastGroup = -1;
    for (const ToolIcon icon : m_icons) {
        const int group = toolIconId(icon).group;
        const bool first = lastGroup < 0;
        place(m_buttons.value(int(icon)), first ? (m_fontListsVisible ? groupGap * 2 : 0)
                                                : (group != lastGroup ? groupGap : 0));
        lastGroup = group;
    }
    return y + rowHeight + margin;
}

int RichTextToolBar::heightForWidth(int width) const { return arrange(width, false); }

QSize RichTextToolBar::sizeHint() const
{
    return QSize(800, arrange(std::max(width(), 200), false));
}

QSize RichTextToolBar::minimumSizeHint() const { return QSize(buttonSize + 2 * margin, buttonSize + 2 * margin); }

void RichTextToolBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int needed = arrange(event->size().width(), true);
    if (needed != event->size().height())
        updateGeometry();
}

} // namespace richtext
