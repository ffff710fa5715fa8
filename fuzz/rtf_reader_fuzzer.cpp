// Feeds arbitrary bytes to the RTF reader, writes the result back and reads
// that again: neither step may crash, hang or run away with memory.

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <cstdint>
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
    if (!report.wellFormed || again.toPlainText() != document.toPlainText())
        std::abort();
    return 0;
}
