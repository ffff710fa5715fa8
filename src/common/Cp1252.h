#pragma once
// Windows-1252, the single-byte code page of the settings file, of RTF's
// \'xx escapes and of plain-text exports.

#include <QByteArray>
#include <QString>
#include <optional>

namespace cp1252 {

// The Unicode character of a byte.
char16_t toUnicode(unsigned char byte);

// The byte of a character, or nothing when the code page lacks it.
std::optional<unsigned char> fromUnicode(char16_t ch);

QString decode(const QByteArray &bytes);

// Characters the code page lacks become `replacement`.
QByteArray encode(const QString &text, char replacement = '?');

} // namespace cp1252
