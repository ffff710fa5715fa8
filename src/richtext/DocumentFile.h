#pragma once
// Loading and saving rich-text documents by content and by file name.

#include <QByteArray>
#include <QString>
#include <stdexcept>

class QTextDocument;

namespace richtext {

// A document could not be written. The message is German and names the file.
class SaveError : public std::runtime_error {
public:
    explicit SaveError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

enum class FileKind { Rtf, Html, PlainText, Pdf, OpenDocument };

// By extension: .HTM/.HTML, .TXT, .PDF, .ODT; everything else (.RTF, .DOC,
// no extension) is RTF.
FileKind fileKindFor(const QString &fileName);

// Writes the document to the file, replacing it only once the new content
// is complete. Throws SaveError.
void saveDocument(const QTextDocument &document, const QString &fileName);

// The file's bytes for the kinds that are text (RTF, HTML, plain text).
QByteArray encodeDocument(const QTextDocument &document, FileKind kind);

// Replaces the document's content with RTF, HTML or plain text, detected
// from the bytes. Returns a German note on damaged input, else empty.
QString loadDocument(const QByteArray &bytes, QTextDocument &document);

} // namespace richtext
