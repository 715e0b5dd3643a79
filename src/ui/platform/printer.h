#pragma once

#include "ui/platform/pdfdocument.h"

#include <QString>

#include <string>

namespace tallyro {

class FileDialog;
class MessageBox;

// Where a window sends its printed pages. The composition is run on the
// surface of the chosen output; a failure throws PrintError (shown by the
// window as "Unable to PRINT this file. " and its text), a cancelled file
// dialog DialogCancelled.
class Printer {
public:
    virtual ~Printer() = default;
    // documentName names the job in the printer queue.
    virtual void print(const PageComposition& compose, const QString& documentName) = 0;
    // Whether pages go to a printer; without one they are saved as a PDF file.
    virtual bool hasPrinter() const { return true; }
    // The PDF file the next print proposes where no printer is installed
    // ("ROOM5 all information.pdf" in the class's folder).
    void suggestPdfName(const QString& path) { pdfSuggestion_ = path; }
    const QString& pdfSuggestion() const { return pdfSuggestion_; }

protected:
    QString pdfSuggestion_;
};

// "Insure that your printer is on." (OK/Cancel) before pages go to a
// printer; true when they may go. Without a printer there is nothing to turn
// on: the question is skipped and the pages are saved as a PDF file.
bool confirmPrinterOn(Printer& printer, MessageBox& messages);

// The PDF name proposed for a printed list of the open file: its name
// without the extension, a blank and what is printed, in the file's folder.
QString proposedPdfPath(const std::string& folder, const std::string& fileName,
                        const QString& what);

// The system's default printer. Where no printer is installed, the teacher
// is asked for a PDF file name, the pages are written there and a message
// says where they went. The print system is not asked anything until pages
// are printed: the printer list is read at each print (so a printer set up
// while the program runs is found), never when the program starts.
class SystemPrinter : public Printer {
public:
    SystemPrinter(FileDialog& files, MessageBox& messages) : files_(files), messages_(messages) {}
    void print(const PageComposition& compose, const QString& documentName) override;
    bool hasPrinter() const override;

private:
    FileDialog& files_;
    MessageBox& messages_;
};

// Prints the way every print command of the program does: the hourglass while
// the pages are composed and sent; a failure shows "Unable to PRINT this
// file. " and its description under "Error!" (OK, no icon); a cancelled PDF
// file dialog ends quietly. True when the pages went out. The pages already
// sent before a failure are not withdrawn.
bool printOrReport(Printer& printer, MessageBox& messages, const PageComposition& compose,
                   const QString& documentName);

// The message shown after pages went to a PDF file for want of a printer.
QString savedAsPdfMessage(const QString& path);

// Runs the composition as a printer would when none is installed: asks the
// file dialog for a PDF name ("*.pdf" appended when the name has no
// extension), writes the pages there and says so. Shared by SystemPrinter
// and testable without a printer.
void printToChosenPdf(FileDialog& files, MessageBox& messages, const PageComposition& compose,
                      const QString& suggestion = QString());

} // namespace tallyro
