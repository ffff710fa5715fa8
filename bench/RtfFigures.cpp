// RTF writing and reading beside Qt's own HTML for the same document: the
// size of a mail-merge list of every address.

#include "Figures.h"

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace bench {

namespace {

void fillListDocument(QTextDocument &document, int paragraphs)
{
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (int i = 0; i < paragraphs; ++i) {
        if (i > 0)
            cursor.insertBlock();
        cursor.insertText(QStringLiteral("Name %1;Straße %2;%3;Köln").arg(i).arg(i % 200).arg(10000 + i % 90000));
    }
    cursor.endEditBlock();
}

} // namespace

std::vector<Row> rtfFigures(const Context &context)
{
    QTextDocument source;
    fillListDocument(source, context.addresses);

    QByteArray rtf;
    QString html;
    const PairTimes writes = timePair(
        context.rounds, nullptr, [&] { rtf = richtext::writeRtf(source); }, nullptr, [&] { html = source.toHtml(); });

    std::unique_ptr<QTextDocument> fromRtf, fromHtml;
    const PairTimes reads = timePair(
        context.rounds, [&] { fromRtf = std::make_unique<QTextDocument>(); },
        [&] { richtext::readRtf(rtf, *fromRtf); }, [&] { fromHtml = std::make_unique<QTextDocument>(); },
        [&] { fromHtml->setHtml(html); });

    Row write = ratioRow(QStringLiteral("RTF write"), QStringLiteral("ms"), median(writes.ours), median(writes.peer), 1);
    Row read = ratioRow(QStringLiteral("RTF read"), QStringLiteral("ms"), median(reads.ours), median(reads.peer), 1);
    const QString text = source.toPlainText();
    if (fromRtf->toPlainText() != text)
        read.failures << QStringLiteral("RTF gives another text back");
    if (fromHtml->toPlainText() != text)
        read.failures << QStringLiteral("HTML gives another text back");
    return {write, read};
}

} // namespace bench
