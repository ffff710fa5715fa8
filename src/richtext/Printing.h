#pragma once
// Printing of rich-text documents: one printer object for the whole
// program, and the painting of a document onto the pages of any paged
// device (printer or PDF writer) with the document's page layout.

#include <QPageLayout>

class QPagedPaintDevice;
class QPrinter;
class QTextDocument;
class QWidget;

namespace richtext {

// The program-wide printer, made on first use. Windows set its orientation.
QPrinter &programPrinter();

// Gives the device the document's page size and margins in the given
// orientation. False when the device refuses them.
bool applyPageLayout(const QTextDocument &document, QPagedPaintDevice &device,
                     QPageLayout::Orientation orientation);

// Lays the document out on the device's pages and paints every page.
// Returns the number of pages, or -1 when painting could not begin.
int paintDocument(const QTextDocument &document, QPagedPaintDevice &device);

// Prints the whole document on the program printer, in the printer's
// orientation, through the modal seam. Shows a German message and returns
// false when there is no printer or printing fails.
bool printDocument(QWidget *parent, const QTextDocument &document);

// The printer set-up dialog on the program printer; true when accepted.
bool printerSetup(QWidget *parent);

} // namespace richtext
