#pragma once
// Writes a QTextDocument as RTF 1.x in Windows-1252 (\ansicpg1252) that
// word processors open as meant: font and colour tables, page size and
// margins, paragraph alignment, indents, spacing and tab stops, character
// formats, and pictures as PNG.

#include <QByteArray>

class QTextDocument;

namespace richtext {

QByteArray writeRtf(const QTextDocument &document);

} // namespace richtext
