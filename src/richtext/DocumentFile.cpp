#include "DocumentFile.h"

#include "FormatDetection.h"
#include "PageLayout.h"
#include "Printing.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "common/Cp1252.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace richtext {

SaveError::SaveError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) {}

FileKind fileKindFor(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("htm") || suffix == QLatin1String("html"))
        return FileKind::Html;
    if (suffix == QLatin1String("txt"))
        return FileKind::PlainText;
    if (suffix == QLatin1String("pdf"))
        return FileKind::Pdf;
    if (suffix == QLatin1String("odt"))
        return FileKind::OpenDocument;
    return FileKind::Rtf;
}

QByteArray encodeDocument(const QTextDocument &document, FileKind kind)
{
    switch (kind) {
    case FileKind::Html:
        return document.toHtml().toUtf8();
    case FileKind::PlainText: {
        QString text = document.toPlainText();
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return cp1252::encode(text);
    }
    case FileKind::Rtf:
    case FileKind::Pdf:
    case FileKind::OpenDocument:
        break;
    }
    return writeRtf(document);
}

namespace {
QByteArray pdfBytes(const QTextDocument &document)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Tourbuch"));
    const PageLayout page = pageLayoutOf(document);
    applyPageLayout(document, writer, page.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (paintDocument(document, writer) < 0)
        return {};
    return bytes;
}

QByteArray odtBytes(const QTextDocument &document)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "odf");
    if (!writer.write(&document))
        return {};
    return bytes;
}
} // namespace

void saveDocument(const QTextDocument &document, const QString &fileName)
{
    const QString shown = QFileInfo(fileName).fileName();
    QByteArray bytes;
    switch (const FileKind kind = fileKindFor(fileName)) {
    case FileKind::Pdf:
        bytes = pdfBytes(document);
        break;
    case FileKind::OpenDocument:
        bytes = odtBytes(document);
        break;
    default:
        bytes = encodeDocument(document, kind);
        break;
    }
    if (bytes.isEmpty())
        throw SaveError(QStringLiteral("Das Dokument konnte nicht für die Datei „%1“ aufbereitet werden.").arg(shown));

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw SaveError(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                            .arg(fileName, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw SaveError(QStringLiteral("Die Datei „%1“ konnte nicht vollständig geschrieben werden: %2")
                            .arg(fileName, file.errorString()));
}

QString loadDocument(const QByteArray &bytes, QTextDocument &document)
{
    const PageLayout page = pageLayoutOf(document);
    switch (detectFormat(bytes)) {
    case TextFormat::Rtf:
        return readRtf(bytes, document).problem();
    case TextFormat::Html:
        document.setHtml(decodePlainText(bytes));
        break;
    case TextFormat::Plain:
        document.setPlainText(decodePlainText(bytes));
        break;
    }
    setPageLayout(document, page); // only RTF carries a page of its own
    return QString();
}

} // namespace richtext
