#pragma once
// Reads RTF as word processors write it into a QTextDocument: text,
// character and paragraph formats, tab stops, page layout and PNG/JPEG
// pictures. Anything it does not know is skipped. Hostile input is read
// best-effort within fixed bounds: it never crashes, hangs or grows memory
// beyond a small multiple of its own size.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace richtext {

struct RtfReadReport {
    bool wellFormed = true;     // braces balanced and a closing brace seen
    int picturesSkipped = 0;    // unsupported or broken pictures
    // German description of what was wrong, empty when nothing was.
    QString problem() const;
};

// Replaces the document's content (and page layout) with the RTF.
RtfReadReport readRtf(const QByteArray &rtf, QTextDocument &document);

} // namespace richtext
