#include "ui/platform/printer.h"

#include "ui/platform/busypointer.h"
#include "ui/platform/filedialog.h"
#include "ui/platform/messagebox.h"
#include "ui/platform/printersurface.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

namespace tallyro {

QString savedAsPdfMessage(const QString& path) {
    return QStringLiteral("No printer is installed, so the pages were saved as a PDF file:\n") +
           path;
}

void printToChosenPdf(FileDialog& files, MessageBox& messages, const PageComposition& compose,
                      const QString& suggestion) {
    files.prepare(QStringLiteral("Save the pages as PDF"), FileDialog::OverwritePrompt,
                  suggestion.isEmpty() ? QStringLiteral("*.pdf") : suggestion,
                  QStringLiteral("PDF files (*.pdf)|*.pdf"));
    files.showSave();
    QString path = files.fileName();
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    printToPdf(path, compose);
    messages.show(savedAsPdfMessage(path), QStringLiteral("Print"), MessageStyle::OkInformation);
}

bool printOrReport(Printer& printer, MessageBox& messages, const PageComposition& compose,
                   const QString& documentName) {
    try {
        BusyPointer busy;
        printer.print(compose, documentName);
        return true;
    } catch (const DialogCancelled&) {
        return false;
    } catch (const std::exception& error) {
        // The pointer is back to normal before the message appears.
        showError(messages,
                  QStringLiteral("Unable to PRINT this file. ") + QString::fromUtf8(error.what()));
        return false;
    }
}

bool SystemPrinter::hasPrinter() const {
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool confirmPrinterOn(Printer& printer, MessageBox& messages) {
    if (!printer.hasPrinter())
        return true;
    return messages.show(QStringLiteral("Insure that your printer is on."),
                         QStringLiteral("Printer On?"),
                         MessageStyle::OkCancelQuestion) != MessageButton::Cancel;
}

QString proposedPdfPath(const std::string& folder, const std::string& fileName,
                        const QString& what) {
    QString base = QFileInfo(QString::fromStdString(fileName)).completeBaseName();
    if (base.isEmpty())
        base = QStringLiteral("Tallyro");
    QString name = base + QLatin1Char(' ') + what + QStringLiteral(".pdf");
    return folder.empty() ? name : QDir(QString::fromStdString(folder)).filePath(name);
}

void SystemPrinter::print(const PageComposition& compose, const QString& documentName) {
    // Asking for the default printer loads the print system's plugin and
    // reads its printer list: only now, when pages are to go out.
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        printToChosenPdf(files_, messages_, compose, pdfSuggestion_);
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(documentName);
    // The painter's origin is the top left corner of the printable area
    // (pageLayout().paintRect()), which the surface plans its pages on.
    printer.setFullPage(false);
    PainterSurface surface(printer);
    compose(surface);
    surface.endDoc();
}

} // namespace tallyro
