// Draws every window of the program offscreen on the screen the platform
// gives (scripts/screenshots runs it on several sizes and scales), with the
// sample class and the sample week open, saves each as a PNG for looking at
// what a teacher sees, and lists every control that lies outside its window
// or under another one: tallyro_screenshots [--check] OUTPUT_FOLDER
// CLASS_FILE.grd WEEK_FILE.pla (--check writes no pictures). Exits 2 when a
// window has a fault.
#include "layoutcheck.h"
#include "ui/app/aboutbox.h"
#include "ui/app/appstyle.h"
#include "ui/app/mainwindow.h"
#include "ui/app/startupform.h"
#include "ui/app/steppanel.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/exchange/exportdialog.h"
#include "ui/exchange/gradeimportdialog.h"
#include "ui/gradebook/gradeentrywindow.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/lessoneditorwindow.h"
#include "ui/lessons/lessonprintdialog.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/reports/gradeprintdialog.h"
#include "ui/reports/reportcardwindow.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostereditorwindow.h"
#include "ui/stats/statisticswindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <iostream>

namespace {

using namespace tallyro;

// Quiet stand-ins: nothing here asks the teacher anything.
class SilentMessageBox : public MessageBox {
public:
    MessageButton show(const QString& text, const QString& title, MessageStyle) override {
        std::cerr << title.toStdString() << ": " << text.toStdString() << '\n';
        return MessageButton::Ok;
    }
    void beep() override {}
};
class SilentInputBox : public InputBox {
public:
    std::optional<QString> ask(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
};
class CancellingFileDialog : public FileDialog {
protected:
    QString ask(bool) override { return QString(); }
};
class MemorySettings : public SettingsStore {
public:
    QString read(const QString& key, const QString& defaultValue) override {
        return values.value(key, defaultValue);
    }
    void write(const QString& key, const QString& value) override { values[key] = value; }
    QMap<QString, QString> values;
};
class NoHelp : public HelpViewer {
public:
    void showContents() override {}
    void search(const QString&) override {}
    void quit() override {}
};
class NoPrinter : public Printer {
public:
    void print(const PageComposition&, const QString&) override {}
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

struct Run {
    QDir folder;
    bool writePictures = true;
    int faults = 0;
    bool failed = false;

    // Pictures the widget and checks its layout; `top` is the window the
    // teacher sees it in (the main window for a child window).
    void shot(QWidget* widget, const QString& name, QWidget* checked = nullptr) {
        settle();
        QWidget* window = checked ? checked : widget;
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QStringList found = layoutFaults(window);
        // With the frame a window manager puts around it (title bar, borders).
        const QSize framed = window->size().grownBy(kWindowFrameAllowance);
        if (window->isWindow() &&
            (framed.width() > screen.width() || framed.height() > screen.height()))
            found.prepend(
                QStringLiteral("the window (%1x%2 and its frame) is larger than the screen")
                    .arg(window->width())
                    .arg(window->height()));
        for (const QString& fault : found)
            std::cout << name.toStdString() << ": " << fault.toStdString() << '\n';
        faults += found.size();
        if (!writePictures)
            return;
        QString path = folder.filePath(name + QStringLiteral(".png"));
        if (!widget->grab().save(path)) {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            failed = true;
        }
    }
};

// The main window as it opens on this screen: the whole available area less
// what a window manager's frame takes.
void fitToScreen(QWidget& window) {
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    window.setGeometry(area.marginsRemoved(kWindowFrameAllowance));
}

template <typename T> T* childWindow(MainWindow& window) {
    for (QMdiSubWindow* sub : window.workArea()->subWindowList())
        if (auto* found = qobject_cast<T*>(sub->widget()))
            return found;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    Run run;
    if (!args.isEmpty() && args.first() == QLatin1String("--check")) {
        run.writePictures = false;
        args.removeFirst();
    }
    if (args.size() != 3) {
        std::cerr << "usage: tallyro_screenshots [--check] OUTPUT_FOLDER CLASS_FILE.grd "
                     "WEEK_FILE.pla\n";
        return 1;
    }
    run.folder = QDir(args[0]);
    QString classFile = QFileInfo(args[1]).absoluteFilePath();
    QString weekFile = QFileInfo(args[2]).absoluteFilePath();
    if (run.writePictures && !run.folder.mkpath(QStringLiteral("."))) {
        std::cerr << "cannot create " << args[0].toStdString() << '\n';
        return 1;
    }

    SilentMessageBox messages;
    SilentInputBox input;
    CancellingFileDialog files;
    MemorySettings settings;
    settings.values = {{"school", "Lincoln Elementary"},
                       {"teacher", "Ms. Rivera"},
                       {"grade level", "5"},
                       {"fail limit", "70"}};
    NoHelp help;
    NoPrinter printer;
    UndoHistory history;
    Platform platform{messages, input, files, settings, help, printer, history};
    AppState state;

    {
        MainWindow window(state, platform);
        fitToScreen(window);
        window.show();
        window.openGradeFileAtStartup(classFile);
        run.shot(&window, QStringLiteral("main-window"));
        window.stepPanel()->click(Step::GradeEntry);
        run.shot(&window, QStringLiteral("grade-entry"));
        if (QWidget* entry = childWindow<GradeEntryWindow>(window))
            entry->close();
        // The report card window, partly filled in, as a teacher leaves it
        // before printing; at the top and scrolled to its end.
        window.stepPanel()->click(Step::GradeReport);
        if (ReportCardWindow* report = window.reportWindow()) {
            report->Check1->setChecked(true);
            report->Text1->setText(QStringLiteral("A"));
            report->Check28->setChecked(true);
            report->Text7->setText(QStringLiteral("B+"));
            report->Check4->setChecked(true);
            report->txtabsences->setText(QStringLiteral("2"));
            report->Check17->setChecked(true);
            report->txtcomment->setPlainText(
                QStringLiteral("Reads every day and helps classmates with their math."));
            run.shot(&window, QStringLiteral("report-card"));
            if (auto* scroll = report->findChild<QScrollArea*>()) {
                scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
                if (run.writePictures)
                    run.shot(&window, QStringLiteral("report-card-end"));
            }
            // Closed as the file's closing closes it, without the question
            // a filled card asks.
            state.workMode = WorkMode::Grades;
            window.workArea()->removeSubWindow(report);
            delete report;
            window.showGradeBook();
        }
        window.statisticsClicked();
        if (QWidget* statistics = childWindow<StatisticsWindow>(window)) {
            run.shot(&window, QStringLiteral("statistics"));
            statistics->close();
        }
        window.printFile();
        if (GradePrintDialog* dialog = window.gradePrintDialog()) {
            run.shot(dialog, QStringLiteral("grade-print"));
            dialog->close();
        }
        {
            ExportDialog dialog(&window);
            dialog.show();
            run.shot(&dialog, QStringLiteral("export"));
        }
        {
            GradeImportDialog dialog(state.classRecord(), platform, &window);
            dialog.show();
            run.shot(&dialog, QStringLiteral("grade-import"));
        }
        state.classDocument.markSaved();
        window.close();
    }
    {
        AppState lessons;
        MainWindow window(lessons, platform);
        fitToScreen(window);
        window.show();
        window.openFileAtStartup(weekFile);
        run.shot(&window, QStringLiteral("lesson-editor"));
        window.printFile();
        if (LessonPrintDialog* dialog = window.lessonPrintDialog()) {
            run.shot(dialog, QStringLiteral("lesson-print"));
            dialog->close();
        }
        lessons.lessonDocument.markSaved();
        window.close();
    }
    {
        AppState roster;
        roster.classDocument.clearToCapacity();
        MainWindow window(roster, platform);
        fitToScreen(window);
        window.show();
        window.gradesMode();
        window.showFileOpenState();
        auto* editor = new RosterEditorWindow(
            roster, platform, window,
            {"Alvarez, Maria", "Baker, Sam", "Chen, Lily", "Dubois, Andre", "Evans, Grace"});
        window.showChild(editor);
        run.shot(&window, QStringLiteral("roster-editor"));
        window.deleteFiles();
        if (FileDeletionWindow* deletion = window.deletionWindow()) {
            deletion->setFolder(QFileInfo(classFile).absolutePath());
            // The folder tree and the file list are read in the background.
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < 1500)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            run.shot(&window, QStringLiteral("file-deletion"));
        }
        window.close();
    }
    {
        NewClassDialog dialog;
        dialog.show();
        run.shot(&dialog, QStringLiteral("new-class"));
        AddStudentDialog student;
        student.show();
        run.shot(&student, QStringLiteral("add-student"));
        NewLessonDialog lessonDialog;
        lessonDialog.show();
        run.shot(&lessonDialog, QStringLiteral("new-lesson-file"));
        CustomPeriodsDialog periods;
        periods.show();
        run.shot(&periods, QStringLiteral("custom-periods"));
    }
    {
        AppState details;
        details.schoolName = "Lincoln Elementary";
        details.teacherName = "Ms. Rivera";
        StartupForm form(details);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        run.shot(&form, QStringLiteral("startup-form"));
    }
    {
        AboutBox box(nullptr, QStringLiteral("tallyro"));
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.show();
        run.shot(&box, QStringLiteral("about-box"));
    }
    if (run.failed)
        return 1;
    return run.faults > 0 ? 2 : 0;
}
