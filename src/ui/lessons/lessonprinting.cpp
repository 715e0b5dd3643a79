#include "ui/lessons/lessonprinting.h"

#include "core/reports/lessonpages.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/plantextbox.h"
#include "ui/platform/printer.h"
#include "ui/platform/printersurface.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

namespace tallyro {

TextBoxLayout plainTextBoxLayout(const QPlainTextEdit& box) {
    // The viewport is only laid out once the box has been shown; a box on a
    // day's page never looked at is measured from its own frame instead.
    double width = box.width() - 2 * box.frameWidth();
    if (box.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
        (box.verticalScrollBar() && box.verticalScrollBar()->isVisible()))
        width -= box.verticalScrollBar()->sizeHint().width();
    width -= 2 * box.document()->documentMargin();
    if (width < 20)
        return defaultLessonBox();
    return textBoxLayoutFor(box.font(), width);
}

std::vector<std::string> boxDisplayLines(const QPlainTextEdit& box) {
    return displayLines(box.toPlainText().toStdString(), plainTextBoxLayout(box));
}

void printLessonPlans(LessonEditorWindow& editor, AppState& state, Platform& platform) {
    if (platform.messages.show(QStringLiteral("Insure that your printer is on."),
                               QStringLiteral("Printer On?"),
                               MessageStyle::OkCancelQuestion) == MessageButton::Cancel)
        return;
    std::vector<std::string> periodNames;
    for (int p = 0; p < kPeriodCount; ++p) {
        // The button shows an ampersand doubled so it is no access key.
        QString caption = editor.periodButton(p)->text();
        periodNames.push_back(
            caption.replace(QLatin1String("&&"), QLatin1String("&")).toStdString());
    }
    PrintDate date = PrintDate::parse(state.printDate).value_or(PrintDate::today());
    LessonPrintRange range = state.printRange;
    int day = editor.currentDay();
    bool composed = false;
    printOrReport(
        platform.printer, platform.messages,
        [&](PrintSurface& surface) {
            composed = true;
            composeLessonPages(
                surface, periodNames,
                [&editor](int box) { return boxDisplayLines(*editor.box(box)); }, date, range, day);
        },
        QStringLiteral("Lesson Plans"));
    // Each page of the week moved the date on a day: it ends on the Friday.
    if (composed && range == LessonPrintRange::FullWeek)
        state.printDate = date.slashed();
}

} // namespace tallyro
