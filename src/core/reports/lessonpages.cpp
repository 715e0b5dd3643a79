#include "core/reports/lessonpages.h"

#include "core/print/utf8text.h"

namespace tallyro {

namespace {

void setPlanFont(PrintSurface& surface) {
    surface.setFontName("times new roman");
    surface.setFontSize(11);
    surface.setFontBold(false);
}

} // namespace

TextBoxLayout defaultLessonBox() {
    return TextBoxLayout::widthInCharacters(85);
}

void composeLessonPages(PrintSurface& surface, const std::vector<std::string>& periodNames,
                        const LessonBoxLines& boxLines, PrintDate& printDate,
                        LessonPrintRange range, int currentDay) {
    surface.setScaleMode(5);
    surface.setScaleLeft(-0.75);
    surface.printEmptyLine();
    setPlanFont(surface);
    std::string dateLine = printDate.longForm();

    int firstDay = range == LessonPrintRange::FullWeek ? 0 : currentDay;
    int lastDay = range == LessonPrintRange::FullWeek ? kDayCount - 1 : currentDay;
    if (firstDay < 0 || lastDay >= kDayCount)
        lastDay = firstDay - 1; // no such day: nothing to print
    // A day's page: an empty line, the heading and an empty line below it.
    constexpr int kHeadingLines = 3;
    auto dayHeading = [&] {
        surface.printEmptyLine();
        surface.print({tab(20), "Lesson Plan for " + dateLine});
        surface.printEmptyLine();
    };
    for (int day = firstDay; day <= lastDay; ++day) {
        dayHeading();
        bool sheetHasPeriod = false;
        for (int period = 0; period < kPeriodCount; ++period) {
            std::vector<std::string> lines = boxLines(LessonPlan::lessonIndex(day, period));
            // A period's name stays with its plan: a period that does not fit
            // below the ones already on the sheet goes to a sheet of its own,
            // headed with the same day, when one can hold it.
            int needed = 1 + static_cast<int>(lines.size());
            if (sheetHasPeriod && needed > surface.linesLeftOnPage() &&
                needed <= surface.linesPerPage() - 1 - kHeadingLines) {
                surface.newPage();
                surface.printEmptyLine();
                setPlanFont(surface);
                dayHeading();
            }
            surface.setFontBold(true);
            std::string name =
                period < static_cast<int>(periodNames.size()) ? periodNames[period] : "";
            surface.print({name});
            surface.setFontBold(false);
            for (const std::string& line : lines)
                surface.print({leftCharacters(line, kDisplayLineLimit)});
            surface.printEmptyLine();
            sheetHasPeriod = true;
        }
        if (range == LessonPrintRange::FullWeek && day < kDayCount - 1) {
            surface.newPage();
            surface.printEmptyLine();
            setPlanFont(surface);
            printDate = printDate.plusDays(1);
            dateLine = printDate.longForm();
        }
    }
    surface.endDoc();
}

void composeLessonPages(PrintSurface& surface, const LessonPlan& plan, PrintDate& printDate,
                        LessonPrintRange range, int currentDay, const TextBoxLayout& box) {
    auto lines = [&](int index) {
        std::string text =
            index < static_cast<int>(plan.lessonTexts.size()) ? plan.lessonTexts[index] : "";
        return displayLines(text, box);
    };
    composeLessonPages(surface, plan.periodNames, lines, printDate, range, currentDay);
}

} // namespace tallyro
