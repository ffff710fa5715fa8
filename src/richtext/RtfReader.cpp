#include "RtfReader.h"

#include "PageLayout.h"
#include "common/Cp1252.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextOption>
#include <QUrl>
#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace richtext {

QString RtfReadReport::problem() const
{
    QStringList parts;
    if (!wellFormed)
        parts << QStringLiteral("Der Text ist unvollständig oder beschädigt; es wurde gelesen, was lesbar war.");
    if (picturesSkipped > 0)
        parts << QStringLiteral("%1 Bild(er) konnten nicht gelesen werden und fehlen.").arg(picturesSkipped);
    return parts.join(QLatin1Char(' '));
}

namespace {

// Bounds against hostile input.
constexpr int maxGroupDepth = 256;
constexpr int maxKeywordLength = 32;
constexpr int maxTabStops = 64;
constexpr int maxFontNameLength = 256;
constexpr qsizetype maxPictureBytes = 32 * 1024 * 1024;
constexpr int maxPictureSide = 10000;

enum class Destination { Text, Skip, FontTable, ColorTable, Picture };

enum class Kw {
    // document
    Ansi, Mac, Pc, Pca, Ansicpg, Deff, Uc, PaperW, PaperH, MargL, MargR, MargT, MargB, Landscape,
    // destinations
    FontTable, ColorTable, SkipDest, Pict, ShpPict, NonShpPict,
    // font and colour tables
    F, FCharset, Red, Green, Blue,
    // characters
    Plain, B, I, Ul, UlNone, Strike, Sub, Super, NoSuperSub, Fs, Cf, V,
    // paragraphs
    Par, Pard, Ql, Qr, Qc, Qj, Li, Ri, Fi, Sb, Sa, Tx, Tqr, Tqc, Tqdec, Tab, Line, Cell, Row,
    // special characters
    U, Char,
    // pictures
    PngBlip, JpegBlip, PicWGoal, PicHGoal, PicScaleX, PicScaleY, PicW, PicH, Bin,
};

struct KeywordInfo {
    Kw kw;
    char16_t ch = 0; // for Kw::Char
};

const std::unordered_map<std::string_view, KeywordInfo> &keywords()
{
    static const std::unordered_map<std::string_view, KeywordInfo> table = [] {
        std::unordered_map<std::string_view, KeywordInfo> t{
            {"ansi", {Kw::Ansi}}, {"mac", {Kw::Mac}}, {"pc", {Kw::Pc}}, {"pca", {Kw::Pca}},
            {"ansicpg", {Kw::Ansicpg}}, {"deff", {Kw::Deff}}, {"uc", {Kw::Uc}},
            {"paperw", {Kw::PaperW}}, {"paperh", {Kw::PaperH}}, {"margl", {Kw::MargL}},
            {"margr", {Kw::MargR}}, {"margt", {Kw::MargT}}, {"margb", {Kw::MargB}},
            {"pgwsxn", {Kw::PaperW}}, {"pghsxn", {Kw::PaperH}}, {"marglsxn", {Kw::MargL}},
            {"margrsxn", {Kw::MargR}}, {"margtsxn", {Kw::MargT}}, {"margbsxn", {Kw::MargB}},
            {"landscape", {Kw::Landscape}}, {"lndscpsxn", {Kw::Landscape}},
            {"fonttbl", {Kw::FontTable}}, {"colortbl", {Kw::ColorTable}}, {"pict", {Kw::Pict}},
            {"shppict", {Kw::ShpPict}}, {"nonshppict", {Kw::NonShpPict}},
            {"f", {Kw::F}}, {"fcharset", {Kw::FCharset}}, {"red", {Kw::Red}}, {"green", {Kw::Green}},
            {"blue", {Kw::Blue}},
            {"plain", {Kw::Plain}}, {"b", {Kw::B}}, {"i", {Kw::I}}, {"ul", {Kw::Ul}},
            {"ulnone", {Kw::UlNone}}, {"strike", {Kw::Strike}}, {"striked", {Kw::Strike}},
            {"sub", {Kw::Sub}}, {"super", {Kw::Super}}, {"nosupersub", {Kw::NoSuperSub}},
            {"fs", {Kw::Fs}}, {"cf", {Kw::Cf}}, {"v", {Kw::V}},
            {"par", {Kw::Par}}, {"page", {Kw::Par}}, {"sect", {Kw::Par}}, {"column", {Kw::Par}},
            {"pard", {Kw::Pard}}, {"ql", {Kw::Ql}}, {"qr", {Kw::Qr}}, {"qc", {Kw::Qc}},
            {"qj", {Kw::Qj}}, {"qd", {Kw::Qj}}, {"li", {Kw::Li}}, {"lin", {Kw::Li}},
            {"ri", {Kw::Ri}}, {"rin", {Kw::Ri}}, {"fi", {Kw::Fi}}, {"sb", {Kw::Sb}},
            {"sa", {Kw::Sa}}, {"tx", {Kw::Tx}}, {"tb", {Kw::Tx}}, {"tqr", {Kw::Tqr}},
            {"tqc", {Kw::Tqc}}, {"tqdec", {Kw::Tqdec}}, {"tab", {Kw::Tab}}, {"line", {Kw::Line}},
            {"cell", {Kw::Cell}}, {"nestcell", {Kw::Cell}}, {"row", {Kw::Row}},
            {"nestrow", {Kw::Row}}, {"u", {Kw::U}},
            {"pngblip", {Kw::PngBlip}}, {"jpegblip", {Kw::JpegBlip}}, {"picwgoal", {Kw::PicWGoal}},
            {"pichgoal", {Kw::PicHGoal}}, {"picscalex", {Kw::PicScaleX}},
            {"picscaley", {Kw::PicScaleY}}, {"picw", {Kw::PicW}}, {"pich", {Kw::PicH}},
            {"bin", {Kw::Bin}},
            {"emdash", {Kw::Char, 0x2014}}, {"endash", {Kw::Char, 0x2013}},
            {"bullet", {Kw::Char, 0x2022}}, {"lquote", {Kw::Char, 0x2018}},
            {"rquote", {Kw::Char, 0x2019}}, {"ldblquote", {Kw::Char, 0x201C}},
            {"rdblquote", {Kw::Char, 0x201D}}, {"emspace", {Kw::Char, 0x2003}},
            {"enspace", {Kw::Char, 0x2002}}, {"qmspace", {Kw::Char, 0x2005}},
            {"zwj", {Kw::Char, 0x200D}}, {"zwnj", {Kw::Char, 0x200C}},
        };
        // Destinations whose content is never shown as text.
        for (const char *name : {"stylesheet", "info", "header", "headerl", "headerr", "headerf",
                                 "footer", "footerl", "footerr", "footerf", "footnote", "object",
                                 "fldinst", "xe", "tc", "txe", "rxe", "bkmkstart", "bkmkend",
                                 "annotation", "atnid", "atnauthor", "listtable", "listoverridetable",
                                 "revtbl", "rsidtbl", "filetbl", "pn", "template", "private",
                                 "comment", "title", "author", "operator", "keywords", "subject",
                                 "doccomm", "company", "pgdsctbl", "shpinst", "objdata", "datafield",
                                 "themedata", "colorschememapping", "latentstyles", "datastore",
                                 "xmlnstbl", "generator", "userprops", "docvar", "fchars", "lchars"})
            t.emplace(name, KeywordInfo{Kw::SkipDest});
        return t;
    }();
    return table;
}

struct CharProps {
    int font = -1;          // font table number, -1 = the default font
    int halfPoints = 24;
    int color = 0;          // colour table index, 0 = automatic
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    char valign = 0;        // 0 normal, 1 subscript, 2 superscript
    bool operator==(const CharProps &) const = default;
};

struct TabStop {
    int position;
    QTextOption::TabType type;
    bool operator==(const TabStop &) const = default;
};

struct ParaProps {
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<TabStop> tabs;
    QTextOption::TabType nextTabType = QTextOption::LeftTab;
    bool operator==(const ParaProps &o) const
    {
        return align == o.align && leftIndent == o.leftIndent && rightIndent == o.rightIndent
               && firstIndent == o.firstIndent && spaceBefore == o.spaceBefore
               && spaceAfter == o.spaceAfter && tabs == o.tabs;
    }
};

struct GroupState {
    CharProps ch;
    ParaProps para;
    int uc = 1;
    Destination dest = Destination::Text;
    bool starred = false;       // "\*" seen: an unknown destination is skipped
    bool ownsDestination = false;
};

struct FontEntry {
    QString name;
};

struct PictureData {
    QByteArray bytes;
    bool png = false;
    bool jpeg = false;
    int wGoal = 0, hGoal = 0, w = 0, h = 0;
    int scaleX = 100, scaleY = 100;
    int pendingNibble = -1;
};

struct CharPropsHash {
    size_t operator()(const CharProps &c) const noexcept
    {
        size_t h = size_t(c.font) * 1000003u ^ size_t(c.halfPoints) * 7919u ^ size_t(c.color) * 131u;
        h ^= size_t(c.bold) | size_t(c.italic) << 1 | size_t(c.underline) << 2 | size_t(c.strike) << 3
             | size_t(c.valign) << 4;
        return h;
    }
};

// Control characters and the document's own markers have no place in text.
bool isTextCharacter(char16_t ch)
{
    if (ch < 0x20)
        return ch == u'\t';
    return ch != 0xFDD0 && ch != 0xFDD1 && ch != 0xFFFC && ch != 0xFFFE && ch != 0xFFFF;
}

int clampTwips(int value) { return std::clamp(value, -31680, 31680); } // +-22 inch

class Reader {
public:
    Reader(const QByteArray &rtf, QTextDocument &document)
        : m_data(rtf.constData()), m_size(rtf.size()), m_document(document), m_cursor(&document)
    {
        setCodePage(1252);
    }

    RtfReadReport run();

private:
    // parsing
    void parseControl();
    void dispatch(std::string_view word, bool hasParam, int param);
    void pushGroup();
    bool popGroup();
    void endDestination(const GroupState &closed);

    // output
    void emitChar(char16_t ch);
    void emitByte(unsigned char byte) { emitChar(m_codePage[byte]); }
    void flushRun();
    void ensureBlock();
    void endParagraph();
    void finishText();
    void applyParagraphFormat();
    void insertPicture(const PictureData &picture);
    QTextCharFormat charFormat(const CharProps &props);

    void setCodePage(int codePage);
    GroupState &state() { return m_stack.back(); }

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    QTextDocument &m_document;
    QTextCursor m_cursor;
    RtfReadReport m_report;

    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0;     // groups opened beyond maxGroupDepth
    int m_skipChars = 0;         // fallback characters after \u still to skip
    bool m_finished = false;

    std::array<char16_t, 256> m_codePage{};
    int m_defaultFont = 0;
    QHash<int, FontEntry> m_fonts;
    int m_pendingFont = 0;
    QString m_pendingFontName;
    std::vector<QColor> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    PictureData m_picture;
    int m_pictureCount = 0;

    PageLayout m_page;
    bool m_landscape = false;

    QString m_run;
    CharProps m_runProps;
    bool m_blockPending = false;  // a paragraph ended; its successor is not made yet
    bool m_firstBlock = true;
    bool m_textFinished = false;
    ParaProps m_appliedPara;      // format of the current block
    std::unordered_map<CharProps, QTextCharFormat, CharPropsHash> m_formats;
};

void Reader::setCodePage(int codePage)
{
    for (int b = 0; b < 256; ++b)
        m_codePage[b] = cp1252::toUnicode(uchar(b));
    if (codePage == 1252)
        return;
    // Other single-byte code pages when the platform knows them.
    QStringDecoder decoder(QByteArray("windows-") + QByteArray::number(codePage));
    if (!decoder.isValid() || codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950)
        return;
    for (int b = 128; b < 256; ++b) {
        const char byte = char(b);
        const QString s = decoder.decode(QByteArrayView(&byte, 1));
        if (s.size() == 1)
            m_codePage[b] = s.at(0).unicode();
    }
}

RtfReadReport Reader::run()
{
    m_document.clear();
    m_document.setUndoRedoEnabled(false);
    m_cursor = QTextCursor(&m_document);
    m_cursor.beginEditBlock();
    m_stack.reserve(maxGroupDepth + 1);
    m_stack.emplace_back(); // outside every group
    bool sawGroup = false;

    while (m_pos < m_size && !m_finished) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            m_skipChars = 0;
            pushGroup();
            sawGroup = true;
            break;
        case '}':
            ++m_pos;
            m_skipChars = 0;
            if (!popGroup())
                m_finished = true;
            break;
        case '\\':
            ++m_pos;
            parseControl();
            break;
        case '\r':
        case '\n':
            ++m_pos;
            break;
        default:
            if (m_skipChars > 0) {
                --m_skipChars;
                ++m_pos;
                break;
            }
            if (state().dest == Destination::Picture) {
                int nibble = -1;
                if (c >= '0' && c <= '9')
                    nibble = c - '0';
                else if (c >= 'a' && c <= 'f')
                    nibble = c - 'a' + 10;
                else if (c >= 'A' && c <= 'F')
                    nibble = c - 'A' + 10;
                ++m_pos;
                if (nibble < 0)
                    break;
                if (m_picture.pendingNibble < 0) {
                    m_picture.pendingNibble = nibble;
                } else {
                    if (m_picture.bytes.size() < maxPictureBytes)
                        m_picture.bytes.append(char(m_picture.pendingNibble << 4 | nibble));
                    m_picture.pendingNibble = -1;
                }
                break;
            }
            if (state().dest == Destination::Text && !state().ch.hidden) {
                // The common case: a stretch of plain text in one format.
                if (!(state().ch == m_runProps)) {
                    flushRun();
                    m_runProps = state().ch;
                }
                ensureBlock();
                const qsizetype start = m_pos;
                while (m_pos < m_size) {
                    const char t = m_data[m_pos];
                    if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n')
                        break;
                    ++m_pos;
                }
                m_run.reserve(m_run.size() + (m_pos - start));
                for (qsizetype i = start; i < m_pos; ++i) {
                    const char16_t ch = m_codePage[uchar(m_data[i])];
                    if (isTextCharacter(ch))
                        m_run.append(QChar(ch));
                }
                break;
            }
            ++m_pos;
            emitByte(uchar(c));
            break;
        }
    }

    if (!sawGroup || m_stack.size() > 1 || m_overflowDepth > 0 || !m_finished)
        m_report.wellFormed = false;
    if (state().dest == Destination::Picture && m_stack.size() > 1)
        ++m_report.picturesSkipped; // the picture never closed

    finishText();
    m_cursor.endEditBlock();
    m_document.setUndoRedoEnabled(true);

    if (m_landscape && m_page.pageWidth < m_page.pageHeight)
        std::swap(m_page.pageWidth, m_page.pageHeight);
    setPageLayout(m_document, m_page);
    return m_report;
}

void Reader::parseControl()
{
    if (m_pos >= m_size)
        return;
    const char c = m_data[m_pos];
    const bool isLetter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!isLetter) {
        ++m_pos;
        if (c == '\'') {
            int value = 0;
            int digits = 0;
            while (digits < 2 && m_pos < m_size) {
                const char h = m_data[m_pos];
                int nibble = -1;
                if (h >= '0' && h <= '9')
                    nibble = h - '0';
                else if (h >= 'a' && h <= 'f')
                    nibble = h - 'a' + 10;
                else if (h >= 'A' && h <= 'F')
                    nibble = h - 'A' + 10;
                if (nibble < 0)
                    break;
                value = value * 16 + nibble;
                ++digits;
                ++m_pos;
            }
            if (m_skipChars > 0) {
                --m_skipChars;
                return;
            }
            if (digits > 0)
                emitByte(uchar(value));
            return;
        }
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        switch (c) {
        case '\\':
        case '{':
        case '}':
            emitChar(char16_t(c));
            break;
        case '~':
            emitChar(0x00A0);
            break;
        case '_':
            emitChar(0x2011);
            break;
        case '*':
            state().starred = true;
            break;
        case '\r':
        case '\n':
            dispatch("par", false, 0);
            break;
        case '\t':
            dispatch("tab", false, 0);
            break;
        default: // \- optional hyphen, \: index subentry, \| formula and unknown symbols
            break;
        }
        return;
    }

    const qsizetype wordStart = m_pos;
    while (m_pos < m_size) {
        const char l = m_data[m_pos];
        if (!((l >= 'a' && l <= 'z') || (l >= 'A' && l <= 'Z')))
            break;
        ++m_pos;
    }
    const std::string_view word(m_data + wordStart,
                                size_t(std::min<qsizetype>(m_pos - wordStart, maxKeywordLength)));
    bool hasParam = false;
    bool negative = false;
    long long value = 0;
    if (m_pos < m_size && m_data[m_pos] == '-' && m_pos + 1 < m_size && m_data[m_pos + 1] >= '0'
        && m_data[m_pos + 1] <= '9') {
        negative = true;
        ++m_pos;
    }
    while (m_pos < m_size && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
        hasParam = true;
        if (value < 100000000000LL)
            value = value * 10 + (m_data[m_pos] - '0');
        ++m_pos;
    }
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;
    value = std::clamp(negative ? -value : value, -2147483647LL, 2147483647LL);

    if (m_skipChars > 0) {
        --m_skipChars;
        if (word == "bin" && hasParam && value > 0)
            m_pos += std::min<qsizetype>(value, m_size - m_pos);
        return;
    }
    dispatch(word, hasParam, int(value));
}

void Reader::pushGroup()
{
    if (m_stack.size() > size_t(maxGroupDepth)) {
        ++m_overflowDepth;
        return;
    }
    GroupState next = state();
    next.starred = false;
    next.ownsDestination = false;
    m_stack.push_back(std::move(next));
}

bool Reader::popGroup()
{
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.size() <= 1)
        return false; // a closing brace without its opening one
    if (m_stack.size() == 2)
        finishText(); // the last paragraph keeps the formats of the document group
    GroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    if (closed.ownsDestination)
        endDestination(closed);
    else if (closed.dest == Destination::FontTable && !m_pendingFontName.isEmpty())
        emitChar(u';'); // a font entry group without its semicolon
    return m_stack.size() > 1; // the document group closed: the rest is not RTF
}

void Reader::endDestination(const GroupState &closed)
{
    switch (closed.dest) {
    case Destination::FontTable:
        if (!m_pendingFontName.trimmed().isEmpty())
            m_fonts.insert(m_pendingFont, FontEntry{m_pendingFontName.trimmed()});
        m_pendingFontName.clear();
        break;
    case Destination::Picture:
        if (state().dest == Destination::Text)
            insertPicture(m_picture);
        m_picture = PictureData{};
        break;
    default:
        break;
    }
}

void Reader::dispatch(std::string_view word, bool hasParam, int param)
{
    GroupState &s = state();
    const auto &table = keywords();
    const auto found = table.find(word);
    if (found == table.end()) {
        if (s.starred && !s.ownsDestination) {
            s.dest = Destination::Skip;
            s.ownsDestination = true;
        }
        return;
    }
    const Kw kw = found->second.kw;
    const bool on = !hasParam || param != 0;

    if (kw == Kw::Bin) {
        // Binary data is skipped wherever it stands, or it would be read as RTF.
        const qsizetype length = std::clamp<qsizetype>(param, 0, m_size - m_pos);
        if (s.dest == Destination::Picture && m_picture.bytes.size() + length <= maxPictureBytes)
            m_picture.bytes.append(m_data + m_pos, length);
        m_pos += length;
        return;
    }
    if (s.dest == Destination::Skip)
        return;

    const auto beginDestination = [&](Destination d) {
        if (s.dest == Destination::Skip)
            return;
        s.dest = d;
        s.ownsDestination = true;
    };

    switch (kw) {
    case Kw::Ansi:
        setCodePage(1252);
        break;
    case Kw::Mac:
    case Kw::Pc:
    case Kw::Pca:
        break;
    case Kw::Ansicpg:
        if (hasParam)
            setCodePage(param);
        break;
    case Kw::Deff:
        m_defaultFont = param;
        break;
    case Kw::Uc:
        s.uc = std::clamp(param, 0, 10);
        break;
    case Kw::PaperW:
        if (param > 0)
            m_page.pageWidth = param;
        break;
    case Kw::PaperH:
        if (param > 0)
            m_page.pageHeight = param;
        break;
    case Kw::MargL:
        m_page.marginLeft = std::max(0, param);
        break;
    case Kw::MargR:
        m_page.marginRight = std::max(0, param);
        break;
    case Kw::MargT:
        m_page.marginTop = std::max(0, param);
        break;
    case Kw::MargB:
        m_page.marginBottom = std::max(0, param);
        break;
    case Kw::Landscape:
        m_landscape = true;
        break;
    case Kw::FontTable:
        beginDestination(Destination::FontTable);
        m_pendingFontName.clear();
        break;
    case Kw::ColorTable:
        beginDestination(Destination::ColorTable);
        m_colors.clear();
        m_red = m_green = m_blue = -1;
        break;
    case Kw::SkipDest:
    case Kw::NonShpPict:
        beginDestination(Destination::Skip);
        break;
    case Kw::ShpPict:
        s.starred = false; // the PNG form of a picture: read it
        break;
    case Kw::Pict:
        if (s.dest == Destination::Text) {
            flushRun();
            m_picture = PictureData{};
            beginDestination(Destination::Picture);
        } else {
            beginDestination(Destination::Skip);
        }
        break;
    case Kw::F:
        if (s.dest == Destination::FontTable) {
            if (!m_pendingFontName.trimmed().isEmpty())
                m_fonts.insert(m_pendingFont, FontEntry{m_pendingFontName.trimmed()});
            m_pendingFontName.clear();
            m_pendingFont = param;
        } else {
            s.ch.font = param;
        }
        break;
    case Kw::FCharset:
        break;
    case Kw::Red:
        m_red = std::clamp(param, 0, 255);
        break;
    case Kw::Green:
        m_green = std::clamp(param, 0, 255);
        break;
    case Kw::Blue:
        m_blue = std::clamp(param, 0, 255);
        break;
    case Kw::Plain:
        s.ch = CharProps{};
        break;
    case Kw::B:
        s.ch.bold = on;
        break;
    case Kw::I:
        s.ch.italic = on;
        break;
    case Kw::Ul:
        s.ch.underline = on;
        break;
    case Kw::UlNone:
        s.ch.underline = false;
        break;
    case Kw::Strike:
        s.ch.strike = on;
        break;
    case Kw::Sub:
        s.ch.valign = on ? 1 : 0;
        break;
    case Kw::Super:
        s.ch.valign = on ? 2 : 0;
        break;
    case Kw::NoSuperSub:
        s.ch.valign = 0;
        break;
    case Kw::Fs:
        if (hasParam && param > 0)
            s.ch.halfPoints = std::clamp(param, 2, 3276);
        break;
    case Kw::Cf:
        s.ch.color = std::clamp(param, 0, 65535);
        break;
    case Kw::V:
        s.ch.hidden = on;
        break;
    case Kw::Par:
    case Kw::Row:
        if (s.dest == Destination::Text)
            endParagraph();
        break;
    case Kw::Pard:
        s.para = ParaProps{};
        break;
    case Kw::Ql:
        s.para.align = Qt::AlignLeft;
        break;
    case Kw::Qr:
        s.para.align = Qt::AlignRight;
        break;
    case Kw::Qc:
        s.para.align = Qt::AlignHCenter;
        break;
    case Kw::Qj:
        s.para.align = Qt::AlignJustify;
        break;
    case Kw::Li:
        s.para.leftIndent = clampTwips(param);
        break;
    case Kw::Ri:
        s.para.rightIndent = clampTwips(param);
        break;
    case Kw::Fi:
        s.para.firstIndent = clampTwips(param);
        break;
    case Kw::Sb:
        s.para.spaceBefore = std::clamp(param, 0, 31680);
        break;
    case Kw::Sa:
        s.para.spaceAfter = std::clamp(param, 0, 31680);
        break;
    case Kw::Tx:
        if (s.para.tabs.size() < size_t(maxTabStops))
            s.para.tabs.push_back({std::clamp(param, 0, 31680), s.para.nextTabType});
        s.para.nextTabType = QTextOption::LeftTab;
        break;
    case Kw::Tqr:
        s.para.nextTabType = QTextOption::RightTab;
        break;
    case Kw::Tqc:
        s.para.nextTabType = QTextOption::CenterTab;
        break;
    case Kw::Tqdec:
        s.para.nextTabType = QTextOption::DelimiterTab;
        break;
    case Kw::Tab:
    case Kw::Cell:
        emitChar(u'\t');
        break;
    case Kw::Line:
        emitChar(0x2028);
        break;
    case Kw::U: {
        const int code = param < 0 ? param + 65536 : param;
        if (code > 0 && code < 65536)
            emitChar(char16_t(code));
        m_skipChars = s.uc;
        break;
    }
    case Kw::Char:
        emitChar(found->second.ch);
        break;
    case Kw::PngBlip:
        m_picture.png = true;
        break;
    case Kw::JpegBlip:
        m_picture.jpeg = true;
        break;
    case Kw::PicWGoal:
        m_picture.wGoal = std::clamp(param, 0, 31680);
        break;
    case Kw::PicHGoal:
        m_picture.hGoal = std::clamp(param, 0, 31680);
        break;
    case Kw::PicScaleX:
        m_picture.scaleX = std::clamp(param, 1, 1000);
        break;
    case Kw::PicScaleY:
        m_picture.scaleY = std::clamp(param, 1, 1000);
        break;
    case Kw::PicW:
        m_picture.w = std::clamp(param, 0, maxPictureSide);
        break;
    case Kw::PicH:
        m_picture.h = std::clamp(param, 0, maxPictureSide);
        break;
    case Kw::Bin:
        break;
    }
}

void Reader::emitChar(char16_t ch)
{
    if (!isTextCharacter(ch))
        return;
    GroupState &s = state();
    switch (s.dest) {
    case Destination::Text:
        if (s.ch.hidden)
            return;
        if (!(s.ch == m_runProps)) {
            flushRun();
            m_runProps = s.ch;
        }
        ensureBlock();
        m_run.append(QChar(ch));
        return;
    case Destination::FontTable:
        if (ch == u';') {
            if (!m_pendingFontName.trimmed().isEmpty())
                m_fonts.insert(m_pendingFont, FontEntry{m_pendingFontName.trimmed()});
            m_pendingFontName.clear();
        } else if (m_pendingFontName.size() < maxFontNameLength) {
            m_pendingFontName.append(QChar(ch));
        }
        return;
    case Destination::ColorTable:
        if (ch == u';') {
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.emplace_back(); // "automatic"
            else
                m_colors.emplace_back(std::max(0, m_red), std::max(0, m_green), std::max(0, m_blue));
            m_red = m_green = m_blue = -1;
        }
        return;
    case Destination::Skip:
    case Destination::Picture:
        return;
    }
}

QTextCharFormat Reader::charFormat(const CharProps &props)
{
    const auto cached = m_formats.find(props);
    if (cached != m_formats.end())
        return cached->second;
    QTextCharFormat format;
    auto font = m_fonts.constFind(props.font >= 0 ? props.font : m_defaultFont);
    if (font == m_fonts.constEnd())
        font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.constEnd())
        format.setFontFamilies(QStringList{font->name});
    format.setFontPointSize(props.halfPoints / 2.0);
    if (props.bold)
        format.setFontWeight(QFont::Bold);
    if (props.italic)
        format.setFontItalic(true);
    if (props.underline)
        format.setFontUnderline(true);
    if (props.strike)
        format.setFontStrikeOut(true);
    if (props.valign == 1)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (props.valign == 2)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (props.color > 0 && size_t(props.color) < m_colors.size() && m_colors[size_t(props.color)].isValid())
        format.setForeground(m_colors[size_t(props.color)]);
    m_formats.emplace(props, format);
    return format;
}

void Reader::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
}

void Reader::ensureBlock()
{
    if (!m_blockPending)
        return;
    m_blockPending = false;
    m_cursor.insertBlock();
}

void Reader::endParagraph()
{
    flushRun();
    ensureBlock();
    applyParagraphFormat();
    m_blockPending = true;
}

void Reader::finishText()
{
    if (m_textFinished)
        return;
    m_textFinished = true;
    flushRun();
    if (!m_blockPending)
        applyParagraphFormat();
}

void Reader::applyParagraphFormat()
{
    const ParaProps &para = state().para;
    if (!m_firstBlock && para == m_appliedPara)
        return; // a new block inherits its predecessor's format
    m_firstBlock = false;
    m_appliedPara = para;
    QTextBlockFormat format;
    format.setAlignment(para.align);
    format.setLeftMargin(twipsToDocumentUnits(para.leftIndent));
    format.setRightMargin(twipsToDocumentUnits(para.rightIndent));
    format.setTextIndent(twipsToDocumentUnits(para.firstIndent));
    format.setTopMargin(twipsToDocumentUnits(para.spaceBefore));
    format.setBottomMargin(twipsToDocumentUnits(para.spaceAfter));
    if (!para.tabs.empty()) {
        std::vector<TabStop> tabs = para.tabs;
        std::stable_sort(tabs.begin(), tabs.end(),
                         [](const TabStop &a, const TabStop &b) { return a.position < b.position; });
        QList<QTextOption::Tab> list;
        for (const TabStop &tab : tabs) {
            QTextOption::Tab t(twipsToDocumentUnits(tab.position), tab.type);
            if (tab.type == QTextOption::DelimiterTab)
                t.delimiter = QLatin1Char(',');
            list.append(t);
        }
        format.setTabPositions(list);
    }
    m_cursor.setBlockFormat(format);
}

void Reader::insertPicture(const PictureData &picture)
{
    if (!picture.png && !picture.jpeg) {
        ++m_report.picturesSkipped;
        return;
    }
    QByteArray bytes = picture.bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, picture.png ? "png" : "jpeg");
    const QSize size = reader.size();
    QImage image;
    if (size.isValid() && size.width() <= maxPictureSide && size.height() <= maxPictureSide)
        image = reader.read();
    if (image.isNull()) {
        ++m_report.picturesSkipped;
        return;
    }
    ensureBlock();
    const QString name = QStringLiteral("rtf-picture-%1").arg(++m_pictureCount);
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    // Size on the page: the goal in twips, else the bitmap at 96 dpi.
    double width = picture.wGoal > 0 ? twipsToDocumentUnits(picture.wGoal) : image.width();
    double height = picture.hGoal > 0 ? twipsToDocumentUnits(picture.hGoal) : image.height();
    width = width * picture.scaleX / 100.0;
    height = height * picture.scaleY / 100.0;
    format.setWidth(width);
    format.setHeight(height);
    m_cursor.insertImage(format);
}

} // namespace

RtfReadReport readRtf(const QByteArray &rtf, QTextDocument &document)
{
    Reader reader(rtf, document);
    return reader.run();
}

} // namespace richtext
