#include "Printing.h"

#include "PageLayout.h"
#include "controls/Modal.h"
#include "controls/WaitCursor.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace richtext {

namespace {
bool printerAvailable(const QPrinter &printer)
{
    if (controls::Modal::printRedirected())
        return true;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return true;
    return !QPrinterInfo::availablePrinters().isEmpty() && printer.outputFormat() == QPrinter::NativeFormat;
}
} // namespace

namespace {
std::unique_ptr<QPrinter> &printerSlot()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}
} // namespace

QPrinter &programPrinter()
{
    std::unique_ptr<QPrinter> &printer = printerSlot();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The print system goes down with the application: the printer first.
        qAddPostRoutine([] { printerSlot().reset(); });
    }
    return *printer;
}

bool applyPageLayout(const QTextDocument &document, QPagedPaintDevice &device,
                     QPageLayout::Orientation orientation)
{
    return device.setPageLayout(pageLayoutOf(document).toPageLayout(orientation));
}

int paintDocument(const QTextDocument &document, QPagedPaintDevice &device)
{
    const std::unique_ptr<QTextDocument> copy(document.clone());
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    const QPageLayout layout = device.pageLayout();
    const int dpi = device.logicalDpiY();
    const QRectF full = layout.fullRectPixels(dpi);
    const QMargins margins = layout.marginsPixels(dpi);
    const QRectF body(margins.left(), margins.top(),
                      std::max(1.0, full.width() - margins.left() - margins.right()),
                      std::max(1.0, full.height() - margins.top() - margins.bottom()));

    copy->documentLayout()->setPaintDevice(&device);
    copy->setDocumentMargin(0);
    copy->setPageSize(body.size());
    const int pages = std::max(1, copy->pageCount());
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        const QRectF clip(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

bool printDocument(QWidget *parent, const QTextDocument &document)
{
    QPrinter &printer = programPrinter();
    if (!printerAvailable(printer)) {
        controls::Modal::information(parent, QStringLiteral("Es ist kein Drucker eingerichtet. "
                                                            "Bitte richten Sie zuerst einen Drucker ein."));
        return false;
    }
    const controls::WaitCursor wait;
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    const bool printed = controls::Modal::print(parent, printer, [&document](QPrinter &target) {
        applyPageLayout(document, target, target.pageLayout().orientation());
        return paintDocument(document, target) > 0;
    });
    if (!printed)
        controls::Modal::error(parent, QStringLiteral("Das Dokument konnte nicht gedruckt werden."));
    return printed;
}

bool printerSetup(QWidget *parent)
{
    return controls::Modal::printerSetup(parent, programPrinter());
}

} // namespace richtext
