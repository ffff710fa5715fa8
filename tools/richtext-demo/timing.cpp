// Writes and reads a mail-merge-like document of 65,536 short paragraphs as
// RTF and, for comparison, as Qt's HTML; prints the times.

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextCursor>
#include <QTextDocument>
#include <cstdio>

namespace {
template <typename F>
double milliseconds(F &&work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    constexpr int paragraphs = 65536;
    QTextDocument source;
    source.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
    {
        QTextCursor cursor(&source);
        cursor.beginEditBlock();
        for (int i = 0; i < paragraphs; ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(QStringLiteral("Name %1;Straße %2;%3;Köln").arg(i).arg(i % 200).arg(10000 + i % 90000));
        }
        cursor.endEditBlock();
    }

    QByteArray rtf;
    QString html;
    const double writeRtfMs = milliseconds([&] { rtf = richtext::writeRtf(source); });
    const double writeHtmlMs = milliseconds([&] { html = source.toHtml(); });
    QTextDocument fromRtf;
    QTextDocument fromHtml;
    const double readRtfMs = milliseconds([&] { richtext::readRtf(rtf, fromRtf); });
    const double readHtmlMs = milliseconds([&] { fromHtml.setHtml(html); });

    std::printf("%d paragraphs\n", paragraphs);
    std::printf("write: RTF %8.1f ms (%lld bytes)   HTML %8.1f ms (%lld characters)\n", writeRtfMs,
                static_cast<long long>(rtf.size()), writeHtmlMs, static_cast<long long>(html.size()));
    std::printf("read:  RTF %8.1f ms                  HTML %8.1f ms\n", readRtfMs, readHtmlMs);
    std::printf("same text back: RTF %s, HTML %s\n", fromRtf.toPlainText() == source.toPlainText() ? "yes" : "NO",
                fromHtml.toPlainText() == source.toPlainText() ? "yes" : "NO");
    return 0;
}
