#include "RtfWriter.h"

#include "PageLayout.h"
#include "common/Cp1252.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <cmath>

namespace richtext {

namespace {

struct RunProps {
    int font = 0;
    int halfPoints = 24;
    int color = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int valign = 0; // 0 normal, 1 sub, 2 super
    bool operator==(const RunProps &) const = default;
};

void appendNumber(QByteArray &out, const char *word, long long value)
{
    out.append('\\').append(word).append(QByteArray::number(value));
}

int toTwips(double documentUnits) { return documentUnitsToTwips(documentUnits); }

class Writer {
public:
    explicit Writer(const QTextDocument &document) : m_document(document)
    {
        const QFont font = document.defaultFont();
        m_defaultFamily = font.family();
        m_defaultPoints = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
        if (m_defaultPoints <= 0)
            m_defaultPoints = 12;
        fontIndex(m_defaultFamily);
    }

    QByteArray write();

private:
    int fontIndex(const QString &family);
    int colorIndex(const QColor &color);
    RunProps runProps(const QTextCharFormat &format);
    void writeParagraphFormat(const QTextBlock &block);
    void writeRunProps(const RunProps &props);
    void writeText(const QString &text);
    void writePicture(const QTextImageFormat &format);

    const QTextDocument &m_document;
    QString m_defaultFamily;
    double m_defaultPoints;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QList<QColor> m_colors;
    QHash<QRgb, int> m_colorIndex;
    QByteArray m_body;
    RunProps m_current;
    bool m_haveCurrent = false;
};

int Writer::fontIndex(const QString &family)
{
    const auto found = m_fontIndex.constFind(family);
    if (found != m_fontIndex.constEnd())
        return *found;
    m_fonts.append(family);
    m_fontIndex.insert(family, int(m_fonts.size() - 1));
    return int(m_fonts.size() - 1);
}

int Writer::colorIndex(const QColor &color)
{
    const QRgb rgb = color.rgb();
    const auto found = m_colorIndex.constFind(rgb);
    if (found != m_colorIndex.constEnd())
        return *found;
    m_colors.append(color);
    m_colorIndex.insert(rgb, int(m_colors.size())); // index 0 is "automatic"
    return int(m_colors.size());
}

RunProps Writer::runProps(const QTextCharFormat &format)
{
    RunProps props;
    const QStringList families = format.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? m_defaultFamily : families.constFirst();
    props.font = fontIndex(family.isEmpty() ? m_defaultFamily : family);
    double points = format.fontPointSize();
    if (points <= 0 && format.hasProperty(QTextFormat::FontPixelSize))
        points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    if (points <= 0)
        points = m_defaultPoints;
    props.halfPoints = std::max(2, int(std::lround(points * 2)));
    props.bold = format.fontWeight() > QFont::Medium;
    props.italic = format.fontItalic();
    props.underline = format.fontUnderline();
    props.strike = format.fontStrikeOut();
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSubScript:
        props.valign = 1;
        break;
    case QTextCharFormat::AlignSuperScript:
        props.valign = 2;
        break;
    default:
        break;
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        const QBrush brush = format.foreground();
        if (brush.style() != Qt::NoBrush)
            props.color = colorIndex(brush.color());
    }
    return props;
}

void Writer::writeParagraphFormat(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    m_body.append("\\pard");
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignJustify)
        m_body.append("\\qj");
    else if (align & Qt::AlignHCenter)
        m_body.append("\\qc");
    else if (align & (Qt::AlignRight | Qt::AlignTrailing))
        m_body.append("\\qr");
    else
        m_body.append("\\ql");
    const double indentLevels = format.indent() * m_document.indentWidth();
    const int left = toTwips(format.leftMargin() + indentLevels);
    if (left != 0)
        appendNumber(m_body, "li", left);
    if (const int right = toTwips(format.rightMargin()); right != 0)
        appendNumber(m_body, "ri", right);
    if (const int first = toTwips(format.textIndent()); first != 0)
        appendNumber(m_body, "fi", first);
    if (const int before = toTwips(format.topMargin()); before != 0)
        appendNumber(m_body, "sb", before);
    if (const int after = toTwips(format.bottomMargin()); after != 0)
        appendNumber(m_body, "sa", after);
    const QList<QTextOption::Tab> tabs = format.tabPositions();
    for (const QTextOption::Tab &tab : tabs) {
        switch (tab.type) {
        case QTextOption::RightTab:
            m_body.append("\\tqr");
            break;
        case QTextOption::CenterTab:
            m_body.append("\\tqc");
            break;
        case QTextOption::DelimiterTab:
            m_body.append("\\tqdec");
            break;
        case QTextOption::LeftTab:
            break;
        }
        appendNumber(m_body, "tx", toTwips(tab.position));
    }
    m_body.append(' ');
}

void Writer::writeRunProps(const RunProps &props)
{
    if (m_haveCurrent && props == m_current)
        return;
    m_haveCurrent = true;
    m_current = props;
    m_body.append("\\plain");
    appendNumber(m_body, "f", props.font);
    appendNumber(m_body, "fs", props.halfPoints);
    if (props.color)
        appendNumber(m_body, "cf", props.color);
    if (props.bold)
        m_body.append("\\b");
    if (props.italic)
        m_body.append("\\i");
    if (props.underline)
        m_body.append("\\ul");
    if (props.strike)
        m_body.append("\\strike");
    if (props.valign == 1)
        m_body.append("\\sub");
    else if (props.valign == 2)
        m_body.append("\\super");
    m_body.append(' ');
}

void appendEscaped(QByteArray &out, const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    for (const QChar qc : text) {
        const char16_t ch = qc.unicode();
        switch (ch) {
        case u'\\':
            out.append("\\\\");
            continue;
        case u'{':
            out.append("\\{");
            continue;
        case u'}':
            out.append("\\}");
            continue;
        case u'\t':
            out.append("\\tab ");
            continue;
        case 0x2028: // line separator
        case u'\n':
        case u'\r':
            out.append("\\line ");
            continue;
        case 0x00A0:
            out.append("\\~");
            continue;
        default:
            break;
        }
        if (ch >= 0x20 && ch < 0x7F) {
            out.append(char(ch));
            continue;
        }
        if (ch < 0x20)
            continue; // other control characters have no place in RTF text
        if (const auto byte = cp1252::fromUnicode(ch)) {
            out.append("\\'").append(hex[*byte >> 4]).append(hex[*byte & 15]);
            continue;
        }
        // RTF's \u takes a signed 16-bit number; '?' stands in for old readers.
        out.append("\\u").append(QByteArray::number(int(qint16(ch)))).append('?');
    }
}

void Writer::writeText(const QString &text) { appendEscaped(m_body, text); }

void Writer::writePicture(const QTextImageFormat &format)
{
    const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    QImage image;
    if (resource.typeId() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.typeId() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else if (resource.typeId() == QMetaType::QByteArray)
        image = QImage::fromData(resource.toByteArray());
    if (image.isNull())
        return; // a picture that is gone cannot be written
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return;
    const double width = format.width() > 0 ? format.width() : image.width();
    const double height = format.height() > 0 ? format.height() : image.height();
    m_body.append("{\\pict\\pngblip");
    appendNumber(m_body, "picw", image.width());
    appendNumber(m_body, "pich", image.height());
    appendNumber(m_body, "picwgoal", toTwips(width));
    appendNumber(m_body, "pichgoal", toTwips(height));
    m_body.append("\r\n");
    const QByteArray hexData = png.toHex();
    for (qsizetype i = 0; i < hexData.size(); i += 128)
        m_body.append(hexData.constData() + i, std::min<qsizetype>(128, hexData.size() - i)).append("\r\n");
    m_body.append('}');
}

QByteArray Writer::write()
{
    m_body.reserve(m_document.characterCount() + m_document.blockCount() * 16 + 256);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        writeParagraphFormat(block);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            writeRunProps(runProps(format));
            if (format.isImageFormat()) {
                const QTextImageFormat image = format.toImageFormat();
                for (int i = 0; i < fragment.length(); ++i)
                    writePicture(image);
            } else {
                writeText(fragment.text());
            }
        }
        m_body.append("\\par\r\n");
    }

    QByteArray out;
    out.reserve(m_body.size() + 1024);
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl");
    for (int i = 0; i < m_fonts.size(); ++i) {
        out.append("{\\f").append(QByteArray::number(i)).append("\\fnil\\fcharset0 ");
        appendEscaped(out, m_fonts.at(i));
        out.append(";}");
    }
    out.append("}\r\n{\\colortbl;");
    for (const QColor &color : std::as_const(m_colors)) {
        appendNumber(out, "red", color.red());
        appendNumber(out, "green", color.green());
        appendNumber(out, "blue", color.blue());
        out.append(';');
    }
    out.append("}\r\n");
    const PageLayout page = pageLayoutOf(m_document);
    appendNumber(out, "paperw", page.pageWidth);
    appendNumber(out, "paperh", page.pageHeight);
    appendNumber(out, "margl", page.marginLeft);
    appendNumber(out, "margr", page.marginRight);
    appendNumber(out, "margt", page.marginTop);
    appendNumber(out, "margb", page.marginBottom);
    if (page.landscape())
        out.append("\\landscape");
    out.append("\r\n");
    out.append(m_body);
    out.append("}\r\n");
    return out;
}

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    Writer writer(document);
    return writer.write();
}

} // namespace richtext
