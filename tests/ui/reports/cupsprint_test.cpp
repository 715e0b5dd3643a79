// Prints through the system's default printer exactly as the windows do:
// meant to run under a private CUPS daemon whose default queue writes PDF
// files (tests/cli/cups_print.sh); skipped anywhere else.
#include "core/lessons/lessonplan.h"
#include "core/print/printdate.h"
#include "core/reports/lessonpages.h"
#include "core/reports/reportcard.h"
#include "support/scriptedplatform.h"
#include "ui/platform/printer.h"

#include <QPrinterInfo>
#include <QTest>

using namespace tallyro;
using namespace tallyro::test;

class CupsPrintTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            QSKIP("no private CUPS daemon (CUPS_SERVER is not set)");
    }

    void defaultPrinterIsThePrivateQueue() {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        QVERIFY2(!info.isNull(), "Qt sees no default printer");
        QCOMPARE(info.printerName(), QStringLiteral("PDF"));
    }

    void reportCardAndWeekReachThePrinter() {
        ScriptedPlatform doubles;
        SystemPrinter printer(doubles.files, doubles.messages);

        // Two copies share one page.
        ReportCardEntry entry;
        entry.schoolName = "Lincoln Elementary";
        entry.teacherName = "Ms. Rivera";
        entry.gradeLevel = "5";
        entry.studentName = "Adams, Ann";
        entry.date = "11/14/1997";
        entry.subjects[0] = {true, "A"};
        entry.subjects[6] = {true, "B+"};
        entry.attendance = true;
        entry.comments = "Reads every day.";
        entry.copies = {true, true, false, false};
        QVERIFY(printOrReport(
            printer, doubles.messages,
            [&](PrintSurface& surface) { composeReportCard(surface, entry); },
            QStringLiteral("tallyro-card")));

        // A full week: five pages.
        LessonPlan plan;
        plan.clearToCapacity();
        for (int p = 0; p < kPeriodCount; ++p)
            plan.periodNames[p] = "Period " + std::to_string(p + 1);
        for (int i = 0; i < kLessonCount; ++i)
            plan.lessonTexts[i] = "Plan for box " + std::to_string(i);
        PrintDate monday{1997, 9, 15};
        QVERIFY(printOrReport(
            printer, doubles.messages,
            [&](PrintSurface& surface) {
                composeLessonPages(surface, plan, monday, LessonPrintRange::FullWeek, 0);
            },
            QStringLiteral("tallyro-week")));
        QCOMPARE(monday, (PrintDate{1997, 9, 19}));
        // Nothing went to a file dialog or a message: the printer took it.
        QVERIFY(doubles.files.shown.empty());
        QVERIFY(doubles.messages.shown.empty());
    }
};

QTEST_MAIN(CupsPrintTest)
#include "cupsprint_test.moc"
