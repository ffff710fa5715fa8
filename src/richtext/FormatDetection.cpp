#include "FormatDetection.h"

#include "common/Cp1252.h"

#include <QStringDecoder>

namespace richtext {

namespace {
QByteArray leadingBytes(const QByteArray &bytes)
{
    qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (start < bytes.size() && QChar::isSpace(uchar(bytes[start])))
        ++start;
    return bytes.mid(start, 1024).toLower();
}
} // namespace

TextFormat detectFormat(const QByteArray &bytes)
{
    const QByteArray head = leadingBytes(bytes);
    if (head.startsWith("{\\rtf"))
        return TextFormat::Rtf;
    if (head.startsWith("<!doctype html") || head.startsWith("<html") || head.contains("<body")
        || head.contains("<html") || (head.startsWith("<") && head.contains("<p") && head.contains("</")))
        return TextFormat::Html;
    return TextFormat::Plain;
}

QString decodePlainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    return cp1252::decode(bytes);
}

} // namespace richtext
