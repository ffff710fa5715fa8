#pragma once
// The rich-text editor: a QTextEdit that shows its document at the line
// width of a page layout in twips, loads RTF, HTML or plain text by
// content, saves by file extension and prints on the program printer.

#include "PageLayout.h"

#include <QByteArray>
#include <QTextEdit>

namespace richtext {

class RichTextEditor : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextEditor(QWidget *parent = nullptr);

    // Page size and margins; the text width on screen and the pages in print.
    void setPageLayout(const PageLayout &layout);
    PageLayout pageLayout() const { return m_page; }

    // Replaces the content, detecting RTF, HTML or plain text. The editor's
    // page layout stays; undo starts afresh. Returns a German note on damaged
    // input, else empty.
    QString setContent(const QByteArray &bytes);
    // Content kept as a string (a memo field): RTF or HTML text, else plain.
    QString setContentString(const QString &text);
    void clearContent();
    QByteArray toRtf() const;

    // Saves by extension (RTF, DOC, HTM, HTML, TXT, PDF, ODT). Throws SaveError.
    void saveToFile(const QString &fileName) const;
    // The whole document on the program printer; German messages on failure.
    bool printDocument();
    bool printerSetup();

    // Character formats for the selection or the next typed text.
    void setBold(bool on);
    void setItalic(bool on);
    void setUnderline(bool on);
    void setStrikeOut(bool on);
    void setVerticalAlignment(QTextCharFormat::VerticalAlignment alignment);
    void setFontFamilyName(const QString &family);
    void setFontSize(double points);
    void setFontColor(const QColor &color);
    // Back to plain: no bold, italic, underline, strike-out or raised text.
    void setNormalStyle();

    // Document units (pixels at 96 dpi) between the viewport's left edge and
    // the start of the text line, for the ruler.
    double textLeftInViewport() const;

signals:
    void pageLayoutChanged();
    // The user changed the text or its formats (not a load).
    void userChanged();

private:
    void applyLayout();
    void afterLoad();
    void mergeFormat(const QTextCharFormat &format);

    PageLayout m_page;
    bool m_loading = false;
};

} // namespace richtext
