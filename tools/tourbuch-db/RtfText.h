#pragma once
// Builds the small RTF documents of the demo data: a heading and
// paragraphs, plain or italic, in Windows-1252 like the program's texts.

#include <QString>

namespace tourbuchdb {

class RtfText {
public:
    RtfText &heading(const QString &text);
    RtfText &paragraph(const QString &text);
    RtfText &italicParagraph(const QString &text);
    // A paragraph that starts with a bold label: "Technik: 2 kW PA".
    RtfText &labelledParagraph(const QString &label, const QString &text);
    QString document() const;

    // Text as RTF: control characters escaped, other characters as \'xx of
    // Windows-1252 or, lacking there, as \uN.
    static QString escape(const QString &text);

private:
    QString m_body;
};

} // namespace tourbuchdb
