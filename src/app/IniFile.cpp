#include "app/IniFile.h"

#include "common/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

SettingsWriteError SettingsWriteError::forFile(const QString &fileName)
{
    return SettingsWriteError(QStringLiteral("nach %1 kann nicht geschrieben werden")
                                  .arg(QDir::toNativeSeparators(fileName)));
}

namespace {

// The blanks Windows trims around keys and values (the C locale's isspace).
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
}

QString trimBlanks(const QString &s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin);
}

// One line of the file: its bytes as they are, and what it means.
struct Line {
    enum Kind { Other, Section, Key };
    QByteArray content;    // without the line end
    QByteArray terminator; // "\r\n", "\n" or empty (last line without end)
    Kind kind = Other;
    QString name; // section name or key, trimmed
    QString value; // key lines: the value, trimmed
};

Line classify(const QByteArray &content, const QByteArray &terminator)
{
    Line line;
    line.content = content;
    line.terminator = terminator;
    const QString text = trimBlanks(cp1252::decode(content));
    if (text.startsWith(QLatin1Char('['))) {
        const qsizetype close = text.indexOf(QLatin1Char(']'), 1);
        line.kind = Line::Section;
        line.name = trimBlanks(close < 0 ? text.mid(1) : text.mid(1, close - 1));
    } else if (!text.startsWith(QLatin1Char(';'))) {
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq > 0) {
            const QString key = trimBlanks(text.left(eq));
            if (!key.isEmpty()) {
                line.kind = Line::Key;
                line.name = key;
                line.value = trimBlanks(text.mid(eq + 1));
            }
        }
    }
    return line;
}

struct Document {
    std::vector<Line> lines;
    QByteArray eol = "\r\n"; // the line end of new lines
};

Document parse(const QByteArray &bytes)
{
    Document doc;
    if (!bytes.contains("\r\n") && bytes.contains('\n'))
        doc.eol = "\n";
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', pos);
        if (nl < 0) {
            doc.lines.push_back(classify(bytes.mid(pos), QByteArray()));
            break;
        }
        qsizetype end = nl;
        if (end > pos && bytes[end - 1] == '\r')
            --end;
        doc.lines.push_back(classify(bytes.mid(pos, end - pos), bytes.mid(end, nl + 1 - end)));
        pos = nl + 1;
    }
    return doc;
}

QByteArray serialize(const Document &doc)
{
    QByteArray out;
    for (const Line &line : doc.lines) {
        out += line.content;
        out += line.terminator;
    }
    return out;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first header line of the section, or -1.
qsizetype findSection(const Document &doc, const QString &section)
{
    const QString wanted = trimBlanks(section);
    for (size_t i = 0; i < doc.lines.size(); ++i)
        if (doc.lines[i].kind == Line::Section && sameName(doc.lines[i].name, wanted))
            return qsizetype(i);
    return -1;
}

// One past the last line of the section whose header is at `header`.
qsizetype sectionEnd(const Document &doc, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < qsizetype(doc.lines.size()) && doc.lines[size_t(i)].kind != Line::Section)
        ++i;
    return i;
}

// Index of the key's first line in the section, or -1.
qsizetype findKey(const Document &doc, qsizetype header, const QString &key)
{
    const QString wanted = trimBlanks(key);
    const qsizetype end = sectionEnd(doc, header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (doc.lines[size_t(i)].kind == Line::Key && sameName(doc.lines[size_t(i)].name, wanted))
            return i;
    return -1;
}

// The Windows read-only attribute: no write permission at all, or none for us.
bool isReadOnly(const QFileInfo &info)
{
    const QFileDevice::Permissions anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !(info.permissions() & anyWrite) || !info.isWritable();
}

} // namespace

IniFile::IniFile(const QString &fileName) : m_fileName(fileName) {}

QString IniFile::readString(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const Document doc = parse(file.readAll());
    file.close();

    const qsizetype header = findSection(doc, section);
    if (header < 0)
        return defaultValue;
    const qsizetype at = findKey(doc, header, key);
    if (at < 0)
        return defaultValue;
    QString value = doc.lines[size_t(at)].value;
    if (value.size() >= 2 && value.front() == value.back()
        && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    if (value.size() > MaxValueLength)
        value.truncate(MaxValueLength);
    return value;
}

bool IniFile::parseInteger(const QString &text, int *result)
{
    QString s = text;
    if (s.size() > 2 && s[0] == QLatin1Char('0') && (s[1] == QLatin1Char('x') || s[1] == QLatin1Char('X')))
        s = QLatin1Char('$') + s.mid(2);

    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    const bool hex = i < s.size() && s[i] == QLatin1Char('$');
    if (hex)
        ++i;
    if (i >= s.size())
        return false;

    qint64 magnitude = 0;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > (hex ? qint64(0xFFFFFFFF) : qint64(0x80000000)))
            return false;
    }

    qint64 value;
    if (hex) {
        // Up to 32 bits, taken as a signed 32-bit pattern ("$FFFFFFFF" is -1).
        value = qint64(qint32(quint32(magnitude)));
        if (negative)
            value = -value;
        if (value > qint64(INT32_MAX))
            return false;
    } else {
        value = negative ? -magnitude : magnitude;
        if (value > qint64(INT32_MAX))
            return false;
    }
    *result = int(value);
    return true;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    int value = 0;
    if (parseInteger(readString(section, key, QString()), &value))
        return value;
    return defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QFileInfo info(m_fileName);
    QByteArray bytes;
    if (info.exists()) {
        // QSaveFile would replace a read-only file; Windows refuses to write it.
        if (info.isDir() || isReadOnly(info))
            throw SettingsWriteError::forFile(m_fileName);
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            throw SettingsWriteError::forFile(m_fileName);
        bytes = file.readAll();
        file.close();
    }

    Document doc = parse(bytes);
    const QString keyName = trimBlanks(key);
    const QString valueText = trimBlanks(value);
    auto makeLine = [&](const QString &name) {
        return classify(cp1252::encode(name + QLatin1Char('=') + valueText), doc.eol);
    };

    const qsizetype header = findSection(doc, section);
    if (header >= 0) {
        const qsizetype at = findKey(doc, header, keyName);
        if (at >= 0) {
            // Replace the key's line, keeping the file's spelling of the key
            // and the line's own end.
            Line &line = doc.lines[size_t(at)];
            const QByteArray terminator = line.terminator;
            line = makeLine(line.name);
            line.terminator = terminator;
        } else {
            // After the section's last key line (or its header), so that the
            // blank lines and anything else that ends the section stay behind.
            qsizetype after = header;
            const qsizetype end = sectionEnd(doc, header);
            for (qsizetype i = header + 1; i < end; ++i)
                if (doc.lines[size_t(i)].kind == Line::Key)
                    after = i;
            if (doc.lines[size_t(after)].terminator.isEmpty())
                doc.lines[size_t(after)].terminator = doc.eol;
            doc.lines.insert(doc.lines.begin() + after + 1, makeLine(keyName));
        }
    } else {
        if (!doc.lines.empty() && doc.lines.back().terminator.isEmpty())
            doc.lines.back().terminator = doc.eol;
        doc.lines.push_back(classify(cp1252::encode(QLatin1Char('[') + trimBlanks(section) + QLatin1Char(']')),
                                     doc.eol));
        doc.lines.push_back(makeLine(keyName));
    }

    const QByteArray out = serialize(doc);
    QSaveFile file(m_fileName);
    // A writable file in a directory we may not create files in is written
    // in place, as Windows would.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        throw SettingsWriteError::forFile(m_fileName);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
