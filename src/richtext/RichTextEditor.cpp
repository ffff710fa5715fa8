#include "RichTextEditor.h"

#include "DocumentFile.h"
#include "FormatDetection.h"
#include "Printing.h"
#include "RtfWriter.h"
#include "common/Cp1252.h"

#include <QScrollBar>
#include <QTextDocument>

namespace richtext {

namespace {
constexpr int defaultTabStopTwips = 720;

class LoadGuard {
public:
    explicit LoadGuard(bool &flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~LoadGuard() { m_flag = m_old; }
    LoadGuard(const LoadGuard &) = delete;
    LoadGuard &operator=(const LoadGuard &) = delete;

private:
    bool &m_flag;
    bool m_old;
};
} // namespace

RichTextEditor::RichTextEditor(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(true);
    setTabChangesFocus(false);
    setOverwriteMode(false);
    setUndoRedoEnabled(true);
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    document()->setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!m_loading)
            emit userChanged();
    });
    applyLayout();
}

void RichTextEditor::setPageLayout(const PageLayout &layout)
{
    m_page = layout.sanitized();
    applyLayout();
    emit pageLayoutChanged();
}

void RichTextEditor::applyLayout()
{
    const LoadGuard guard(m_loading); // a new page is no change of the text
    richtext::setPageLayout(*document(), m_page);
    setLineWrapColumnOrWidth(qRound(twipsToDocumentUnits(m_page.textWidth()) + 2 * document()->documentMargin()));
    QTextOption option = document()->defaultTextOption();
    option.setTabStopDistance(twipsToDocumentUnits(defaultTabStopTwips));
    document()->setDefaultTextOption(option);
}

void RichTextEditor::afterLoad()
{
    applyLayout();
    document()->clearUndoRedoStacks();
    document()->setModified(false);
    moveCursor(QTextCursor::Start);
}

QString RichTextEditor::setContent(const QByteArray &bytes)
{
    QString problem;
    {
        const LoadGuard guard(m_loading);
        problem = loadDocument(bytes, *document());
        afterLoad();
    }
    return problem;
}

QString RichTextEditor::setContentString(const QString &text)
{
    const QByteArray head = text.left(64).trimmed().toLatin1();
    // RTF keeps its bytes in its own code page; everything else is Unicode.
    if (head.startsWith("{\\rtf"))
        return setContent(cp1252::encode(text));
    return setContent(text.toUtf8());
}

void RichTextEditor::clearContent()
{
    const LoadGuard guard(m_loading);
    document()->clear();
    afterLoad();
}

QByteArray RichTextEditor::toRtf() const { return writeRtf(*document()); }

void RichTextEditor::saveToFile(const QString &fileName) const { saveDocument(*document(), fileName); }

bool RichTextEditor::printDocument() { return richtext::printDocument(this, *document()); }

bool RichTextEditor::printerSetup() { return richtext::printerSetup(this); }

void RichTextEditor::mergeFormat(const QTextCharFormat &format)
{
    // With a selection the format goes onto it, else onto what is typed next.
    mergeCurrentCharFormat(format);
}

void RichTextEditor::setBold(bool on)
{
    QTextCharFormat f;
    f.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeFormat(f);
}

void RichTextEditor::setItalic(bool on)
{
    QTextCharFormat f;
    f.setFontItalic(on);
    mergeFormat(f);
}

void RichTextEditor::setUnderline(bool on)
{
    QTextCharFormat f;
    f.setFontUnderline(on);
    mergeFormat(f);
}

void RichTextEditor::setStrikeOut(bool on)
{
    QTextCharFormat f;
    f.setFontStrikeOut(on);
    mergeFormat(f);
}

void RichTextEditor::setVerticalAlignment(QTextCharFormat::VerticalAlignment alignment)
{
    QTextCharFormat f;
    f.setVerticalAlignment(alignment);
    mergeFormat(f);
}

void RichTextEditor::setFontFamilyName(const QString &family)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{family});
    mergeFormat(f);
}

void RichTextEditor::setFontSize(double points)
{
    if (points <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(points);
    mergeFormat(f);
}

void RichTextEditor::setFontColor(const QColor &color)
{
    QTextCharFormat f;
    f.setForeground(color);
    mergeFormat(f);
}

void RichTextEditor::setNormalStyle()
{
    QTextCharFormat f;
    f.setFontWeight(QFont::Normal);
    f.setFontItalic(false);
    f.setFontUnderline(false);
    f.setFontStrikeOut(false);
    f.setVerticalAlignment(QTextCharFormat::AlignNormal);
    mergeFormat(f);
}

double RichTextEditor::textLeftInViewport() const
{
    return document()->documentMargin() - horizontalScrollBar()->value();
}

} // namespace richtext
