#include "Cp1252.h"

namespace cp1252 {

namespace {
// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined, which
// decode to the C1 control of the same number.
constexpr char16_t high[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
} // namespace

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F && high[byte - 0x80] != 0)
        return high[byte - 0x80];
    return char16_t(byte);
}

std::optional<unsigned char> fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (int i = 0; i < 32; ++i)
        if (high[i] == ch && ch != 0)
            return static_cast<unsigned char>(0x80 + i);
    if (ch >= 0x80 && ch <= 0x9F && high[ch - 0x80] == 0)
        return static_cast<unsigned char>(ch);
    return std::nullopt;
}

QString decode(const QByteArray &bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(toUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray encode(const QString &text, char replacement)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const auto b = fromUnicode(c.unicode());
        out.append(b ? static_cast<char>(*b) : replacement);
    }
    return out;
}

} // namespace cp1252
