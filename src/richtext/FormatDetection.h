#pragma once
// Which kind of text a file or field holds, judged by its bytes.

#include <QByteArray>
#include <QString>

namespace richtext {

enum class TextFormat { Rtf, Html, Plain };

TextFormat detectFormat(const QByteArray &bytes);

// Plain text bytes as characters: UTF-8 when they are valid UTF-8 (with or
// without byte-order mark), Windows-1252 otherwise.
QString decodePlainText(const QByteArray &bytes);

} // namespace richtext
