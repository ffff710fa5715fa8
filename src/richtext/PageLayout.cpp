#include "PageLayout.h"

#include <QPageSize>
#include <QTextDocument>
#include <QVariant>
#include <algorithm>

namespace richtext {

namespace {
constexpr const char *propertyName = "richtext_pageLayout";
constexpr int minimumText = twipsPerInch;
constexpr int largestPage = 200 * twipsPerInch; // far beyond any paper
} // namespace

int PageLayout::textWidth() const
{
    return std::max(minimumText, pageWidth - marginLeft - marginRight);
}

int PageLayout::textHeight() const
{
    return std::max(minimumText, pageHeight - marginTop - marginBottom);
}

PageLayout PageLayout::sanitized() const
{
    PageLayout out = *this;
    out.pageWidth = std::clamp(pageWidth, 2 * minimumText, largestPage);
    out.pageHeight = std::clamp(pageHeight, 2 * minimumText, largestPage);
    const auto margin = [](int value, int page) { return std::clamp(value, 0, page / 2 - minimumText / 2); };
    out.marginLeft = margin(marginLeft, out.pageWidth);
    out.marginRight = margin(marginRight, out.pageWidth);
    out.marginTop = margin(marginTop, out.pageHeight);
    out.marginBottom = margin(marginBottom, out.pageHeight);
    return out;
}

QPageLayout PageLayout::toPageLayout(QPageLayout::Orientation orientation) const
{
    const PageLayout page = sanitized();
    const double shortSide = std::min(page.pageWidth, page.pageHeight) / double(twipsPerPoint);
    const double longSide = std::max(page.pageWidth, page.pageHeight) / double(twipsPerPoint);
    // QPageSize wants the portrait form; the orientation turns it.
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Point, QString(), QPageSize::ExactMatch);
    const QMarginsF margins(page.marginLeft / double(twipsPerPoint), page.marginTop / double(twipsPerPoint),
                            page.marginRight / double(twipsPerPoint), page.marginBottom / double(twipsPerPoint));
    QPageLayout layout(size, orientation, QMarginsF(), QPageLayout::Point);
    layout.setMode(QPageLayout::FullPageMode); // our margins may be smaller than the paper's minimum
    layout.setMargins(margins);
    return layout;
}

PageLayout pageLayoutOf(const QTextDocument &document)
{
    const QVariant value = document.property(propertyName);
    if (!value.isValid())
        return PageLayout{};
    const QList<QVariant> v = value.toList();
    if (v.size() != 6)
        return PageLayout{};
    return PageLayout{v[0].toInt(), v[1].toInt(), v[2].toInt(), v[3].toInt(), v[4].toInt(), v[5].toInt()};
}

void setPageLayout(QTextDocument &document, const PageLayout &layout)
{
    const PageLayout page = layout.sanitized();
    document.setProperty(propertyName, QVariantList{page.pageWidth, page.pageHeight, page.marginLeft,
                                                    page.marginRight, page.marginTop, page.marginBottom});
}

} // namespace richtext
