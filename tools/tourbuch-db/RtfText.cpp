#include "RtfText.h"

#include "common/Cp1252.h"

namespace tourbuchdb {

QString RtfText::escape(const QString &text)
{
    QString rtf;
    rtf.reserve(text.size() + 16);
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code == u'\\' || code == u'{' || code == u'}') {
            rtf += QLatin1Char('\\');
            rtf += ch;
        } else if (code == u'\n') {
            rtf += QLatin1String("\\line ");
        } else if (code == u'\t') {
            rtf += QLatin1String("\\tab ");
        } else if (code >= 0x20 && code < 0x80) {
            rtf += ch;
        } else if (const auto byte = cp1252::fromUnicode(code); byte && code >= 0x80) {
            rtf += QStringLiteral("\\'%1").arg(int(*byte), 2, 16, QLatin1Char('0'));
        } else {
            // \uc1: one '?' follows for readers without Unicode.
            rtf += QStringLiteral("\\u%1?").arg(int(qint16(code)));
        }
    }
    return rtf;
}

RtfText &RtfText::heading(const QString &text)
{
    m_body += QStringLiteral("\\pard\\sa120\\cf1\\b\\fs28 %1\\b0\\fs20\\cf0\\par\r\n").arg(escape(text));
    return *this;
}

RtfText &RtfText::paragraph(const QString &text)
{
    m_body += QStringLiteral("\\pard\\sa120 %1\\par\r\n").arg(escape(text));
    return *this;
}

RtfText &RtfText::italicParagraph(const QString &text)
{
    m_body += QStringLiteral("\\pard\\sa120\\i %1\\i0\\par\r\n").arg(escape(text));
    return *this;
}

RtfText &RtfText::labelledParagraph(const QString &label, const QString &text)
{
    m_body += QStringLiteral("\\pard\\sa120\\b %1\\b0  %2\\par\r\n").arg(escape(label), escape(text));
    return *this;
}

QString RtfText::document() const
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0"
                          "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}\r\n"
                          "{\\colortbl ;\\red0\\green0\\blue128;}\r\n"
                          "\\viewkind4\\uc1\\f0\\fs20\r\n")
        + m_body + QStringLiteral("}\r\n");
}

} // namespace tourbuchdb
