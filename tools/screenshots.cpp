// Draws every window of the program offscreen, with the sample class and the
// sample week open, and saves each as a PNG for looking at what a teacher
// sees: tallyro_screenshots OUTPUT_FOLDER CLASS_FILE.grd WEEK_FILE.pla
#include "ui/app/aboutbox.h"
#include "ui/app/mainwindow.h"
#include "ui/app/startupform.h"
#include "ui/app/steppanel.h"
#include "ui/classfile/filedeletionwindow.h"
#include "ui/lessons/customperiodsdialog.h"
#include "ui/lessons/newlessondialog.h"
#include "ui/roster/addstudentdialog.h"
#include "ui/roster/newclassdialog.h"
#include "ui/roster/rostereditorwindow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
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

bool save(QWidget* widget, const QDir& folder, const QString& name) {
    settle();
    QString path = folder.filePath(name);
    if (!widget->grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << '\n';
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::cerr << "usage: tallyro_screenshots OUTPUT_FOLDER CLASS_FILE.grd WEEK_FILE.pla\n";
        return 1;
    }
    QString weekFile = QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath();
    QDir folder(QString::fromLocal8Bit(argv[1]));
    QString classFile = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    if (!folder.mkpath(QStringLiteral("."))) {
        std::cerr << "cannot create " << argv[1] << '\n';
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

    bool ok = true;
    {
        MainWindow window(state, platform);
        window.show();
        window.resize(1020, 720);
        window.openGradeFileAtStartup(classFile);
        ok &= save(&window, folder, QStringLiteral("main-window.png"));
        window.stepPanel()->click(Step::GradeEntry);
        ok &= save(&window, folder, QStringLiteral("grade-entry.png"));
        // The report card window, partly filled in, as a teacher leaves it
        // before printing.
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
            ok &= save(report, folder, QStringLiteral("report-card.png"));
            window.closeFile();
        }
        window.printFile();
        if (GradePrintDialog* dialog = window.gradePrintDialog()) {
            ok &= save(dialog, folder, QStringLiteral("grade-print.png"));
            dialog->close();
        }
        state.classDocument.markSaved();
        window.close();
    }
    {
        AppState lessons;
        MainWindow window(lessons, platform);
        window.resize(1020, 720);
        window.show();
        window.openFileAtStartup(weekFile);
        ok &= save(&window, folder, QStringLiteral("lesson-editor.png"));
        window.printFile();
        if (LessonPrintDialog* dialog = window.lessonPrintDialog()) {
            ok &= save(dialog, folder, QStringLiteral("lesson-print.png"));
            dialog->close();
        }
        lessons.lessonDocument.markSaved();
        window.close();
    }
    {
        AppState roster;
        roster.classDocument.clearToCapacity();
        MainWindow window(roster, platform);
        window.show();
        window.gradesMode();
        window.showFileOpenState();
        auto* editor = new RosterEditorWindow(
            roster, platform, window,
            {"Alvarez, Maria", "Baker, Sam", "Chen, Lily", "Dubois, Andre", "Evans, Grace"});
        window.showChild(editor);
        ok &= save(&window, folder, QStringLiteral("roster-editor.png"));
        window.close();
    }
    {
        NewClassDialog dialog;
        dialog.show();
        ok &= save(&dialog, folder, QStringLiteral("new-class.png"));
        AddStudentDialog student;
        student.show();
        ok &= save(&student, folder, QStringLiteral("add-student.png"));
        NewLessonDialog lessonDialog;
        lessonDialog.show();
        ok &= save(&lessonDialog, folder, QStringLiteral("new-lesson-file.png"));
        CustomPeriodsDialog periods;
        periods.show();
        ok &= save(&periods, folder, QStringLiteral("custom-periods.png"));
    }
    {
        FileDeletionWindow deletion(platform);
        deletion.setFolder(QFileInfo(classFile).absolutePath());
        deletion.show();
        // The folder tree and the file list are read in the background.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 1500)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        ok &= save(&deletion, folder, QStringLiteral("file-deletion.png"));
    }
    {
        AppState details;
        details.schoolName = "Lincoln Elementary";
        details.teacherName = "Ms. Rivera";
        StartupForm form(details);
        form.setAttribute(Qt::WA_DeleteOnClose, false);
        form.show();
        ok &= save(&form, folder, QStringLiteral("startup-form.png"));
    }
    {
        AboutBox box(nullptr, QStringLiteral("tallyro"));
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.show();
        ok &= save(&box, folder, QStringLiteral("about-box.png"));
    }
    return ok ? 0 : 1;
}
