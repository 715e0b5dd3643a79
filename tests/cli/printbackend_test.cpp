#include "cli/printcommand.h"
#include "core/reports/gradelists.h"
#include "core/reports/reportcard.h"
#include "support/scriptedplatform.h"
#include "ui/platform/pdfdocument.h"
#include "ui/platform/printer.h"
#include "ui/platform/printersurface.h"

#include "support/recordingprinter.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

using namespace tallyro;

namespace {

ReportCardEntry sampleEntry() {
    ReportCardEntry entry;
    entry.schoolName = "Lincoln Elementary";
    entry.teacherName = "Mrs. Lee";
    entry.gradeLevel = "4";
    entry.studentName = "Baker, Ann";
    entry.date = "11/14/1997";
    entry.subjects[0] = {true, "A"};
    entry.copies = {true, true, false, false};
    return entry;
}

int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    QByteArray data = file.readAll();
    return int(data.count("/Type /Page\n") + data.count("/Type /Page ") +
               data.count("/Type /Page\r") + data.count("/Type /Page>"));
}

int runPrint(const std::vector<std::string>& args, std::string& out, std::string& err) {
    std::ostringstream outStream, errStream;
    int status = runPrintCommand(args, outStream, errStream);
    out = outStream.str();
    err = errStream.str();
    return status;
}

// A printer as the system printer behaves where none is installed.
class SystemPrinterWithoutDevice : public Printer {
public:
    explicit SystemPrinterWithoutDevice(test::ScriptedPlatform& platform) : platform_(platform) {}
    void print(const PageComposition& compose, const QString&) override {
        printToChosenPdf(platform_.files, platform_.messages, compose);
    }

private:
    test::ScriptedPlatform& platform_;
};

} // namespace

class PrintBackendTest : public QObject {
    Q_OBJECT
private slots:
    void timesNewRomanResolvesToAFaceOfTheSameMeasures() {
        installPrintFontSubstitutes();
        QFont font(QStringLiteral("times new roman"));
        font.setPointSize(10);
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("Liberation Serif"));
    }

    void painterSurfaceMeasuresInInchesFromTheMargin() {
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("m.pdf"));
        writer.setResolution(600);
        PainterSurface surface(writer);
        surface.setFontName("times new roman");
        surface.setFontSize(10);
        // Times at 10 points: about 14 characters and 6 lines to the inch.
        QVERIFY(surface.averageCharWidth() > 0.04 && surface.averageCharWidth() < 0.09);
        QVERIFY(surface.lineHeight() > 0.13 && surface.lineHeight() < 0.2);
        double before = surface.lineHeight();
        surface.setFontSize(20);
        QVERIFY(surface.lineHeight() > 1.8 * before);
        surface.printOpen({tab(11), "x"});
        QVERIFY(qAbs(surface.currentX() - 10 * surface.averageCharWidth() -
                     surface.textWidth("x")) < 1e-9);
        surface.endDoc();
    }

    void boxLayoutWrapsAsTheFontMeasures() {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(12);
        QFontMetricsF metrics(font);
        double width = metrics.horizontalAdvance(QStringLiteral("Read chapter four"));
        auto lines = displayLines("Read chapter four aloud", textBoxLayoutFor(font, width + 1));
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(QString::fromStdString(lines[0]), QStringLiteral("Read chapter four "));
    }

    void blankLastPageIsNotSentAndFullPagesContinue() {
        QTemporaryDir dir;
        QString path = dir.filePath("card.pdf");
        ReportCardEntry entry = sampleEntry();
        printToPdf(path, [&](PrintSurface& surface) { composeReportCard(surface, entry); });
        QCOMPARE(pdfPageCount(path), 1);

        // A list far longer than a page runs on to further sheets rather than
        // off the bottom of the first.
        QString longPath = dir.filePath("long.pdf");
        QPdfWriter writer(longPath);
        PainterSurface surface(writer);
        for (int i = 0; i < 150; ++i)
            surface.print({"line " + std::to_string(i)});
        surface.endDoc();
        QVERIFY(surface.pagesSent() >= 2);
        QVERIFY(surface.page() >= 2);
    }

    void unwritablePdfIsAPrintError() {
        bool thrown = false;
        try {
            printToPdf(QStringLiteral("/nonexistent-folder/x/out.pdf"),
                       [](PrintSurface& surface) { surface.endDoc(); });
        } catch (const PrintError&) {
            thrown = true;
        }
        QVERIFY(thrown);
    }

    void aFailureHalfWayLeavesNoPdfBehind() {
        QTemporaryDir dir;
        QString path = dir.filePath("half.pdf");
        bool thrown = false;
        try {
            printToPdf(path, [](PrintSurface& surface) {
                surface.print({"first lines"});
                throw PrintError("Out of paper.");
            });
        } catch (const PrintError& error) {
            thrown = std::string(error.what()) == "Out of paper.";
        }
        QVERIFY(thrown);
        QVERIFY(!QFile::exists(path));
    }

    void withoutAPrinterThePagesGoToAChosenPdfAndTheTeacherIsTold() {
        QTemporaryDir dir;
        test::ScriptedPlatform platform;
        platform.files.choose(dir.filePath("card"));
        ReportCardEntry entry = sampleEntry();
        printToChosenPdf(platform.files, platform.messages,
                         [&](PrintSurface& surface) { composeReportCard(surface, entry); });
        QVERIFY(QFile::exists(dir.filePath("card.pdf")));
        QCOMPARE(platform.files.shown.size(), size_t(1));
        QVERIFY(platform.files.shown[0].save);
        QCOMPARE(platform.files.shown[0].filter, QStringLiteral("PDF files (*.pdf)|*.pdf"));
        QCOMPARE(platform.messages.shown.size(), size_t(1));
        QCOMPARE(platform.messages.shown[0].style, MessageStyle::OkInformation);
        QVERIFY(platform.messages.shown[0].text.endsWith(dir.filePath("card.pdf")));

        // Cancel: nothing written, nothing said, the cancel text for the caller.
        platform.files.cancel();
        bool cancelled = false;
        try {
            printToChosenPdf(platform.files, platform.messages, [](PrintSurface&) {});
        } catch (const DialogCancelled& error) {
            cancelled = QString::fromUtf8(error.what()) == QString::fromUtf8(kCancelSelected);
        }
        QVERIFY(cancelled);
        QCOMPARE(platform.messages.shown.size(), size_t(1));
    }

    void recordingPrinterDoubleRecordsJobsAndFails() {
        test::RecordingPrinter printer;
        ReportCardEntry entry = sampleEntry();
        printer.print([&](PrintSurface& surface) { composeReportCard(surface, entry); },
                      QStringLiteral("Report card"));
        QCOMPARE(printer.jobs.size(), size_t(1));
        QVERIFY(printer.jobs[0]->find("Teacher Copy"));
        printer.failure = QStringLiteral("Out of paper.");
        bool failed = false;
        try {
            printer.print([](PrintSurface&) {}, QStringLiteral("x"));
        } catch (const PrintError& error) {
            failed = QString::fromUtf8(error.what()) == printer.failure;
        }
        QVERIFY(failed);
    }

    void printOrReportShowsTheErrorBoxOrStaysQuietOnCancel() {
        test::ScriptedPlatform platform;
        test::RecordingPrinter printer;
        ReportCardEntry entry = sampleEntry();
        auto compose = [&](PrintSurface& surface) { composeReportCard(surface, entry); };
        QVERIFY(printOrReport(printer, platform.messages, compose, QStringLiteral("Report card")));
        QVERIFY(platform.messages.shown.empty());
        QVERIFY(!QGuiApplication::overrideCursor());

        printer.failure = QStringLiteral("The printer is out of paper.");
        QVERIFY(!printOrReport(printer, platform.messages, compose, QStringLiteral("x")));
        QCOMPARE(platform.messages.shown.size(), size_t(1));
        QCOMPARE(platform.messages.shown[0].title, QStringLiteral("Error!"));
        QCOMPARE(platform.messages.shown[0].style, MessageStyle::Ok);
        QCOMPARE(platform.messages.shown[0].text,
                 QStringLiteral("Unable to PRINT this file. The printer is out of paper."));
        QVERIFY(!QGuiApplication::overrideCursor());

        // No printer and Cancel in the file dialog: nothing printed, nothing said.
        platform.files.cancel();
        SystemPrinterWithoutDevice noPrinter(platform);
        QVERIFY(!printOrReport(noPrinter, platform.messages, compose, QStringLiteral("x")));
        QCOMPARE(platform.messages.shown.size(), size_t(1));
    }

    void printCommandWritesTextAndPdf() {
        QString data = QStringLiteral(TALLYRO_TEST_DATA);
        std::string out, err;
        QCOMPARE(runPrint({"print", "grades", (data + "/reports-class.grd").toStdString(), "--list",
                           "averages", "--date", "11/14/1997", "--text"},
                          out, err),
                 0);
        QVERIFY(QString::fromStdString(out).contains(
            "Student Averages for reports-class as of 11-14-1997     (Page 1)"));
        QVERIFY(err.empty());

        QTemporaryDir dir;
        QString pdf = dir.filePath("card.pdf");
        QCOMPARE(runPrint({"print", "report-card", (data + "/reports-card.json").toStdString(),
                           "--pdf", pdf.toStdString()},
                          out, err),
                 0);
        QVERIFY(pdfPageCount(pdf) >= 1);
    }

    void printCommandRefusesBadInputWithOneLine() {
        QString data = QStringLiteral(TALLYRO_TEST_DATA);
        std::string grd = (data + "/reports-class.grd").toStdString();
        const std::vector<std::vector<std::string>> bad = {
            {"print"},
            {"print", "essays", "x"},
            {"print", "grades", grd, "--list", "best", "--text"},
            {"print", "grades", grd, "--list", "all"},
            {"print", "grades", grd, "--list", "all", "--text", "--pdf", "x.pdf"},
            {"print", "grades", grd, "--list", "student=99", "--text"},
            {"print", "grades", grd, "--list", "all", "--date", "13/45/1997", "--text"},
            {"print", "grades", "/no/such/file.grd", "--list", "all", "--text"},
            {"print", "lessons", "x.pla", "--week", "--day", "2", "--text"},
            {"print", "lessons", "x.pla", "--day", "6", "--text"},
            {"print", "report-card", (data + "/reports-class.grd").toStdString(), "--text"},
            {"print", "grades", grd, "--list", "all", "--pdf", "/no/such/dir/x.pdf"},
        };
        for (const auto& args : bad) {
            std::string out, err;
            QCOMPARE(runPrint(args, out, err), 1);
            QVERIFY2(out.empty(), args.back().c_str());
            QCOMPARE(std::count(err.begin(), err.end(), '\n'), 1L);
        }
    }
};

QTEST_MAIN(PrintBackendTest)
#include "printbackend_test.moc"
