#include "Modal.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>

namespace controls {

namespace {
struct SeamState {
    bool testMode = false;
    QQueue<QString> fileNames;
    QQueue<bool> printerSetups;
    QQueue<QString> printFiles;
    int printCount = 0;
    QList<Modal::Shown> shown;
};
SeamState &seam()
{
    static SeamState s;
    return s;
}
} // namespace

void Modal::information(QWidget *parent, const QString &text)
{
    seam().shown.append({Shown::Information, text});
    if (seam().testMode)
        return;
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

void Modal::error(QWidget *parent, const QString &text)
{
    seam().shown.append({Shown::Error, text});
    if (seam().testMode)
        return;
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

QString Modal::saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter, const QString &defaultSuffix)
{
    if (seam().testMode)
        return seam().fileNames.isEmpty() ? QString() : seam().fileNames.dequeue();
    QFileDialog dialog(parent, caption, directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool Modal::printerSetup(QWidget *parent, QPrinter &printer)
{
    if (seam().testMode)
        return !seam().printerSetups.isEmpty() && seam().printerSetups.dequeue();
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool Modal::print(QWidget *parent, QPrinter &printer, const std::function<bool(QPrinter &)> &job)
{
    Q_UNUSED(parent);
    if (!seam().testMode)
        return job(printer);
    ++seam().printCount;
    if (seam().printFiles.isEmpty())
        return true;
    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString fileName = printer.outputFileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(seam().printFiles.dequeue());
    const bool printed = job(printer);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(format);
    return printed;
}

void Modal::setTestMode(bool on)
{
    seam() = SeamState{};
    seam().testMode = on;
}

bool Modal::testMode() { return seam().testMode; }
void Modal::setNextFileName(const QString &fileName) { seam().fileNames.enqueue(fileName); }
void Modal::setNextPrinterSetup(bool accept) { seam().printerSetups.enqueue(accept); }
void Modal::setNextPrintFile(const QString &pdfFileName) { seam().printFiles.enqueue(pdfFileName); }
bool Modal::printRedirected() { return seam().testMode && !seam().printFiles.isEmpty(); }

int Modal::takePrintCount()
{
    const int count = seam().printCount;
    seam().printCount = 0;
    return count;
}

QList<Modal::Shown> Modal::takeShown()
{
    QList<Shown> out;
    out.swap(seam().shown);
    return out;
}

} // namespace controls
