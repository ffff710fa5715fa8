#pragma once
// Page size and margins of a rich-text document, in twips (1440 to the
// inch). The layout travels with its QTextDocument as a property, so the
// RTF reader, the writer, the editor and printing all see the same page.

#include <QMarginsF>
#include <QPageLayout>

class QTextDocument;

namespace richtext {

inline constexpr int twipsPerInch = 1440;
inline constexpr int twipsPerPoint = 20;
// QTextDocument lengths (indents, tab stops) are pixels at 96 dpi.
inline constexpr double twipsPerDocumentUnit = 15.0;

inline double twipsToDocumentUnits(int twips) { return twips / twipsPerDocumentUnit; }
inline int documentUnitsToTwips(double units) { return qRound(units * twipsPerDocumentUnit); }

struct PageLayout {
    int pageWidth = 12240;
    int pageHeight = 15840;
    int marginLeft = 1440;
    int marginRight = 1440;
    int marginTop = 1440;
    int marginBottom = 1440;

    bool landscape() const { return pageWidth > pageHeight; }
    // Width of the text between the side margins, never below one inch so
    // that extreme margins still leave something to write on.
    int textWidth() const;
    int textHeight() const;
    // Keeps every measure in a range a printer can handle.
    PageLayout sanitized() const;
    // The page for a printer of the given orientation: the shorter side
    // becomes the width for portrait, the longer one for landscape.
    QPageLayout toPageLayout(QPageLayout::Orientation orientation) const;

    bool operator==(const PageLayout &) const = default;
};

PageLayout pageLayoutOf(const QTextDocument &document);
void setPageLayout(QTextDocument &document, const PageLayout &layout);

} // namespace richtext
