#include "ui/lessons/lessonprinting.h"

#include "core/reports/lessonpages.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/plantextbox.h"
#include "ui/platform/printer.h"
#include "ui/platform/printersurface.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>

#include <optional>

namespace tallyro {

TextBoxLayout plainTextBoxLayout(const QPlainTextEdit& box) {
    // The viewport is only laid out once the box has been shown; a box on a
    // day's page never looked at is measured from its own frame instead.
    QMargins margins;
    if (auto* plan = qobject_cast<const PlanTextBox*>(&box))
        margins = plan->textMargins();
    double width = box.width() - 2 * box.frameWidth() - margins.left() - margins.right();
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

QString notADateMessage(const QString& typed) {
    QString example = QStringLiteral("09/15/%1").arg(PrintDate::today().year);
    QString how = QStringLiteral("Type it as month/day/year, for example %1.").arg(example);
    if (typed.trimmed().isEmpty())
        return QStringLiteral("The date is missing. ") + how;
    return QStringLiteral("\"%1\" is not a date. ").arg(typed) + how;
}

void printLessonPlans(LessonEditorWindow& editor, AppState& state, Platform& platform) {
    std::optional<PrintDate> typed = PrintDate::parse(state.printDate);
    if (!typed) {
        platform.messages.show(notADateMessage(QString::fromStdString(state.printDate)),
                               QStringLiteral("Print"), MessageStyle::OkExclamation);
        return;
    }
    if (!confirmPrinterOn(platform.printer, platform.messages))
        return;
    std::vector<std::string> periodNames;
    for (int p = 0; p < kPeriodCount; ++p) {
        // The button shows an ampersand doubled so it is no access key.
        QString caption = editor.periodButton(p)->text();
        periodNames.push_back(
            caption.replace(QLatin1String("&&"), QLatin1String("&")).toStdString());
    }
    PrintDate date = *typed;
    LessonPrintRange range = state.printRange;
    int day = editor.currentDay();
    QString dated = QString::fromStdString(date.dashed());
    QString what = range == LessonPrintRange::FullWeek
                       ? QStringLiteral("week of ") + dated
                       : LessonEditorWindow::dayName(day) + QLatin1Char(' ') + dated;
    platform.printer.suggestPdfName(
        proposedPdfPath(state.currentFileFolder, state.currentFileName, what));
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
