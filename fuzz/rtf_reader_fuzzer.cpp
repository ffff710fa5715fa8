// Feeds arbitrary bytes to the RTF reader, writes the result back and reads
// that again: neither step may crash, hang or run away with memory.

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rtf_reader_fuzzer";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument document;
    richtext::readRtf(input, document);
    const QByteArray written = richtext::writeRtf(document);
    QTextDocument again;
    const richtext::RtfReadReport report = richtext::readRtf(written, again);
    // What we write we must read back whole.
    if (!report.wellFormed || again.toPlainText() != document.toPlainText()) {
        const QString a = document.toPlainText(), b = again.toPlainText();
        qsizetype i = 0;
        while (i < a.size() && i < b.size() && a[i] == b[i])
            ++i;
        fprintf(stderr, "differ at %lld: %04x / %04x\n", (long long)i, i < a.size() ? a[i].unicode() : 0,
                i < b.size() ? b[i].unicode() : 0);
        fprintf(stderr, "read:    %s\nwritten: %s\nre-read: %s\n", qPrintable(document.toPlainText().toHtmlEscaped()),
                written.constData(), qPrintable(again.toPlainText().toHtmlEscaped()));
        std::abort();
    }
    return 0;
}
