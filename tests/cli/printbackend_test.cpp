#include "cli/printcommand.h"
#include "core/gradebook/categories.h"
#include "core/print/textsurface.h"
#include "core/reports/gradelists.h"
#include "core/reports/lessonpages.h"
#include "core/reports/reportcard.h"
#include "support/scriptedplatform.h"
#include "ui/platform/pdfdocument.h"
#include "ui/platform/printer.h"
#include "ui/platform/printersurface.h"

#include "support/recordingprinter.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
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

// A class of the given size whose weighted categories each hold the given
// number of grades.
ClassRecord classWith(int students, int categories, int grades) {
    ClassRecord record;
    record.clearToCapacity();
    setgradetypes(record);
    record.studentCount = students;
    for (int c = 1; c <= categories; ++c) {
        record.categoryWeights[c] = Value(100 / categories);
        record.gradeCounts[c] = Value(grades);
    }
    for (int s = 0; s < students; ++s) {
        record.studentNames[s] = "Student " + std::to_string(s + 1);
        record.grandAverages[s] = Value(70 + s % 30);
        for (int c = 1; c <= categories; ++c)
            for (int k = 1; k <= grades; ++k)
                record.grades(s, c, k) = Value(std::to_string(60 + (s + c + k) % 40));
    }
    return record;
}

PageComposition gradeList(const ClassRecord& record, GradeListMode mode) {
    return [record, mode](PrintSurface& surface) {
        GradeListRequest request{mode, "Room 5", "11-14-1997", 1};
        composeGradeList(surface, record, request);
    };
}

ReportCardEntry longestSharedEntry(int copies) {
    ReportCardEntry entry = sampleEntry();
    for (auto& subject : entry.subjects)
        subject = {true, "B"};
    entry.recommendations.fill(true);
    entry.recommendations[8] = false;
    entry.comments = "Reads every day.";
    entry.copies = {copies > 0, copies > 1, copies > 2, copies > 3};
    return entry;
}

// Every kind of printed page, with the sheets each one must print.
struct PrintedKind {
    const char* name;
    PageComposition compose;
    int sheets;
};

std::vector<PrintedKind> everyKind() {
    LessonPlan plan;
    plan.clearToCapacity();
    for (int p = 0; p < kPeriodCount; ++p)
        plan.periodNames[p] = "Period " + std::to_string(p + 1);
    for (int i = 0; i < kLessonCount; ++i)
        plan.lessonTexts[i] =
            "Plan for box " + std::to_string(i) + "\nSecond line\nThird line\nFourth line";
    return {
        {"averages, 41 students", gradeList(classWith(41, 3, 2), GradeListMode::GrandAverages), 2},
        // Nine counted lines a student: six to a sheet.
        {"all information, 9-line blocks",
         gradeList(classWith(30, 7, 3), GradeListMode::AllInformation), 5},
        // Fourteen lines: four planned, three fit.
        {"all information, 14-line blocks",
         gradeList(classWith(12, 6, 15), GradeListMode::AllInformation), 4},
        {"all information, full class",
         gradeList(classWith(46, 11, 45), GradeListMode::AllInformation), 51},
        {"current student longer than a sheet",
         gradeList(classWith(3, 11, 45), GradeListMode::CurrentStudent), 2},
        {"week of plans",
         [plan](PrintSurface& surface) {
             PrintDate monday{1997, 9, 15};
             composeLessonPages(surface, plan, monday, LessonPrintRange::FullWeek, 0);
         },
         5},
        {"two report cards on one sheet",
         [](PrintSurface& surface) {
             ReportCardEntry entry = longestSharedEntry(2);
             composeReportCard(surface, entry);
         },
         1},
        {"four report cards",
         [](PrintSurface& surface) {
             ReportCardEntry entry = longestSharedEntry(4);
             composeReportCard(surface, entry);
         },
         2},
    };
}

// The rows of each page of a text rendering, blanks squeezed.
std::vector<QStringList> textPages(const PageComposition& compose) {
    TextSurface surface;
    compose(surface);
    std::vector<QStringList> pages;
    for (const QString& page :
         QString::fromStdString(surface.text()).split(QStringLiteral("\f\n"))) {
        QStringList rows;
        for (const QString& row : page.split(QLatin1Char('\n')))
            if (!row.trimmed().isEmpty())
                rows << row.simplified();
        pages.push_back(rows);
    }
    return pages;
}

// The same from a PDF file through pdftotext, or nothing without it.
std::vector<QStringList> pdfPages(const QString& path) {
    QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(30000);
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<QStringList> pages;
    QStringList split = text.split(QLatin1Char('\f'));
    if (!split.isEmpty() && split.last().trimmed().isEmpty())
        split.removeLast();
    for (const QString& page : split) {
        QStringList rows;
        for (const QString& row : page.split(QLatin1Char('\n')))
            if (!row.trimmed().isEmpty())
                rows << row.simplified();
        pages.push_back(rows);
    }
    return pages;
}

// Whether every cross-reference entry of a PDF points at its object.
bool crossReferencesHold(const QByteArray& pdf) {
    qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    qsizetype xref =
        pdf.mid(startxref + 9, 20).trimmed().split('\n').first().trimmed().toLongLong();
    if (pdf.mid(xref, 5) != "xref\n")
        return false;
    QList<QByteArray> header = pdf.mid(xref + 5, 30).split('\n').first().split(' ');
    int first = header.value(0).toInt();
    int count = header.value(1).toInt();
    qsizetype entries = pdf.indexOf('\n', xref + 5) + 1;
    for (int i = 0; i < count; ++i) {
        QByteArray entry = pdf.mid(entries + 20 * i, 20);
        if (entry.at(17) != 'n')
            continue;
        qsizetype offset = entry.left(10).toLongLong();
        if (!pdf.mid(offset).startsWith(QByteArray::number(first + i) + " 0 obj"))
            return false;
    }
    return count > 0;
}

// The same pages through Qt's own PDF writer, on the sheet printToPdf uses.
void printWithQtsWriter(const QString& path, const PageComposition& compose) {
    QPdfWriter writer(path);
    writer.setResolution(600);
    const double margin = 1.0 / 6;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(margin, margin, margin, margin), QPageLayout::Inch));
    PainterSurface surface(writer);
    compose(surface);
    surface.endDoc();
}

// The first sheets of a PDF as gray pictures (pdftoppm), or none without it.
std::vector<QImage> pdfPictures(const QString& path, int sheets) {
    QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    QTemporaryDir dir;
    QProcess process;
    process.start(tool, {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
                         QStringLiteral("-l"), QString::number(sheets), path,
                         dir.filePath(QStringLiteral("sheet"))});
    process.waitForFinished(60000);
    std::vector<QImage> pictures;
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files, QDir::Name))
        pictures.push_back(QImage(dir.filePath(name)).convertToFormat(QImage::Format_Grayscale8));
    return pictures;
}

// The dots of two pictures that differ by more than the smoothing of the
// same outlines drawn twice.
int clearlyDifferentDots(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int different = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            different += std::abs(a.constScanLine(y)[x] - b.constScanLine(y)[x]) > 48;
    return different;
}

ReportCardEntry cardFor(const std::string& student, const std::string& comments) {
    ReportCardEntry entry = longestSharedEntry(4);
    entry.studentName = student;
    entry.comments = comments;
    return entry;
}

// Ink that keeps the glyph runs it is given.
struct GlyphRecorder : PageInk {
    std::vector<std::pair<QPointF, QGlyphRun>> runs;
    void startSheet() override {}
    void drawGlyphs(const QPointF& position, const QGlyphRun& glyphs) override {
        runs.emplace_back(position, glyphs);
    }
    void drawRule(const QLineF&) override {}
    void finish() override {}
};

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

    void everyKindPrintsTheSheetsOfItsTextRendering() {
        QTemporaryDir dir;
        for (const PrintedKind& kind : everyKind()) {
            QString path = dir.filePath("kind.pdf");
            printToPdf(path, kind.compose);
            std::vector<QStringList> text = textPages(kind.compose);
            QCOMPARE(int(text.size()), kind.sheets);
            QVERIFY2(pdfPageCount(path) == kind.sheets,
                     qPrintable(QStringLiteral("%1: %2 sheets")
                                    .arg(QLatin1String(kind.name))
                                    .arg(pdfPageCount(path))));
            // Each sheet starts and ends with the same line in both.
            std::vector<QStringList> pdf = pdfPages(path);
            if (pdf.empty())
                continue; // no pdftotext here
            QCOMPARE(int(pdf.size()), kind.sheets);
            for (int i = 0; i < kind.sheets; ++i) {
                QVERIFY2(!pdf[i].isEmpty() && !text[i].isEmpty(), kind.name);
                auto squeeze = [](QString row) { return row.remove(QLatin1Char(' ')); };
                QCOMPARE(squeeze(pdf[i].first()), squeeze(text[i].first()));
                QCOMPARE(squeeze(pdf[i].last()), squeeze(text[i].last()));
            }
        }
    }

    void pdfFontsAreSubsetsNamedAsSuch() {
        QTemporaryDir dir;
        QString path = dir.filePath("card.pdf");
        ReportCardEntry entry = sampleEntry();
        printToPdf(path, [&](PrintSurface& surface) { composeReportCard(surface, entry); });
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray pdf = file.readAll();
        QRegularExpression baseFont(QStringLiteral("/BaseFont /(\\S+)"));
        int fonts = 0;
        for (auto match = baseFont.globalMatch(QString::fromLatin1(pdf)); match.hasNext(); ++fonts)
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+"))
                         .match(match.next().captured(1))
                         .hasMatch(),
                     "a font without its subset tag");
        QVERIFY(fonts >= 2);
        QVERIFY(crossReferencesHold(pdf));
        // The embedded subset is small: the whole face is about 400 KB.
        QVERIFY(pdf.size() < 60000);

        // Tags go in only where the descriptor has one.
        QByteArray plain = "%PDF-1.4\n1 0 obj\n<< /BaseFont /Plain >>\nendobj\n";
        QCOMPARE(tagSubsetFonts(plain), plain);
    }

    void pdfWriterDrawsTheSheetsQtsWriterDraws() {
        std::vector<PrintedKind> kinds = everyKind();
        // Accented names draw composite glyphs; two cards of different
        // names draw from different subsets of the same faces, one after
        // the other. Two comment lines keep each card on a sheet of its own.
        kinds.push_back({"card with accents",
                         [](PrintSurface& surface) {
                             ReportCardEntry entry =
                                 cardFor("M\u00fcller-\u0160imi\u0107, Zo\u00eb",
                                         "\u00c7a va \u2014 \u201ctr\u00e8s\u201d bien "
                                         "\u00bd \u00a9\nSecond line");
                             composeReportCard(surface, entry);
                         },
                         4});
        kinds.push_back({"card with other accents",
                         [](PrintSurface& surface) {
                             ReportCardEntry entry =
                                 cardFor("N\u00fa\u00f1ez, Jos\u00e9 \u00c1ngel", "Bien hecho.");
                             composeReportCard(surface, entry);
                         },
                         2});
        kinds.push_back({"marks from a fallback face",
                         [](PrintSurface& surface) {
                             setPrintedFont(surface, 12);
                             surface.print({"Done \u2713 \u2605 \u263a", tab(40), "next"});
                             surface.endDoc();
                         },
                         1});
        kinds.push_back({"a face of CFF outlines",
                         [](PrintSurface& surface) {
                             surface.setFontName("Comic Neue");
                             surface.setFontSize(14);
                             surface.print({"Lesson plans for the week"});
                             setPrintedFont(surface, 10);
                             surface.print({"and the grades beside them"});
                             surface.endDoc();
                         },
                         1});
        kinds.push_back({"nothing drawn", [](PrintSurface& surface) { surface.endDoc(); }, 1});

        QTemporaryDir dir;
        QString ours = dir.filePath("ours.pdf"), theirs = dir.filePath("theirs.pdf");
        for (const PrintedKind& kind : kinds) {
            printToPdf(ours, kind.compose);
            printWithQtsWriter(theirs, kind.compose);
            QFile file(ours);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(crossReferencesHold(file.readAll()), kind.name);
            QVERIFY2(pdfPageCount(ours) == kind.sheets, kind.name);
            QCOMPARE(pdfPageCount(theirs), kind.sheets);

            // The same text, row by row.
            std::vector<QStringList> ourText = pdfPages(ours), theirText = pdfPages(theirs);
            QVERIFY2(ourText.size() == theirText.size(), kind.name);
            for (size_t i = 0; i < ourText.size(); ++i)
                QVERIFY2(ourText[i] == theirText[i],
                         qPrintable(QStringLiteral("%1, sheet %2:\n%3\n--- Qt's:\n%4")
                                        .arg(QLatin1String(kind.name))
                                        .arg(i + 1)
                                        .arg(ourText[i].join(QLatin1Char('\n')))
                                        .arg(theirText[i].join(QLatin1Char('\n')))));

            // The same ink, to the smoothing of the outlines.
            std::vector<QImage> ourSheets = pdfPictures(ours, 2),
                                theirSheets = pdfPictures(theirs, 2);
            QVERIFY2(ourSheets.size() == theirSheets.size(), kind.name);
            for (size_t i = 0; i < ourSheets.size(); ++i) {
                int different = clearlyDifferentDots(ourSheets[i], theirSheets[i]);
                QVERIFY2(different == 0, qPrintable(QStringLiteral("%1, sheet %2: %3 dots differ")
                                                        .arg(QLatin1String(kind.name))
                                                        .arg(i + 1)
                                                        .arg(different)));
            }
        }
    }

    void anUnderlineStartsUnderItsText() {
        // Glyphs drawn from the edge of the printable area were underlined
        // from there, three quarters of an inch left of the words.
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("measures.pdf"));
        writer.setResolution(600);
        GlyphRecorder ink;
        PainterSurface surface(writer, ink);
        surface.setScaleLeft(-0.75);
        setPrintedFont(surface, 10);
        surface.setFontUnderline(true);
        surface.print({"TEACHER COMMENTS:"});
        surface.setFontUnderline(false);
        surface.print({tab(5), "Reads well."});
        double tabX = 4 * surface.averageCharWidth();
        surface.endDoc();
        QCOMPARE(ink.runs.size(), size_t(2));
        for (const auto& [position, run] : ink.runs)
            QCOMPARE(run.positions().first().x(), 0.0);
        QVERIFY(ink.runs[0].second.underline());
        QCOMPARE(ink.runs[0].first.x(), 0.75 * 600);
        QCOMPARE(ink.runs[1].first.x(), std::round((tabX + 0.75) * 600));
    }

    void thePiecesOfALineInOneFontAreDrawnAsOneText() {
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("runs.pdf"));
        PainterSurface surface(writer);
        setPrintedFont(surface, 12);
        surface.printOpen({tab(3), "Homework", tab(20), 20, "%", tab(27)});
        for (int k = 1; k <= 10; ++k)
            surface.printOpen({"  ", std::to_string(80 + k)});
        surface.printEmptyLine();
        surface.setFontBold(true);
        surface.printOpen({"Name"});
        surface.setFontBold(false);
        surface.print({" = 90"});
        surface.endDoc();
        // The category line with its ten grades; "Name" in bold; " = 90".
        QCOMPARE(surface.textsDrawn(), 3);
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
        QCOMPARE(platform.files.shown[0].title, QStringLiteral("Save the pages as PDF"));
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

    void withoutAPrinterNothingAsksForItToBeTurnedOnAndANameIsProposed() {
        test::ScriptedPlatform platform;
        platform.printer.installed = false;
        QVERIFY(confirmPrinterOn(platform.printer, platform.messages));
        QVERIFY(platform.messages.shown.empty());
        platform.printer.installed = true;
        platform.messages.answer(MessageButton::Cancel);
        QVERIFY(!confirmPrinterOn(platform.printer, platform.messages));
        QCOMPARE(platform.messages.shown.at(0).title, QStringLiteral("Printer On?"));
        QCOMPARE(proposedPdfPath("/home/t", "ROOM5.grd", QStringLiteral("all information")),
                 QStringLiteral("/home/t/ROOM5 all information.pdf"));

        QTemporaryDir dir;
        QString proposed = dir.filePath("ROOM5 all information.pdf");
        platform.files.choose(proposed);
        printToChosenPdf(
            platform.files, platform.messages, [](PrintSurface&) {}, proposed);
        QCOMPARE(platform.files.shown.back().fileName, proposed);
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

    void printPagesWritesTextOrPdfAndReportsAFailureInOneLine() {
        auto compose = [](PrintSurface& surface) {
            surface.print({"Class statistics", tab(30), 87});
            surface.newPage();
            surface.print({"second page"});
            surface.endDoc();
        };
        std::ostringstream out, err;
        QCOMPARE(printPages({true, ""}, compose, out, err), 0);
        QCOMPARE(QString::fromStdString(out.str()),
                 QStringLiteral("Class statistics              87\n\f\nsecond page\n"));

        QTemporaryDir dir;
        QString pdf = dir.filePath("stats.pdf");
        out.str("");
        QCOMPARE(printPages({false, pdf.toStdString()}, compose, out, err), 0);
        QCOMPARE(pdfPageCount(pdf), 2);
        QVERIFY(out.str().empty() && err.str().empty());

        QCOMPARE(printPages({false, "/no/such/dir/stats.pdf"}, compose, out, err), 1);
        std::string message = err.str();
        QVERIFY(message.starts_with("Unable to PRINT this file. "));
        QCOMPARE(std::count(message.begin(), message.end(), '\n'), 1L);
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
