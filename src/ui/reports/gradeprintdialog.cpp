#include "ui/reports/gradeprintdialog.h"

#include "core/print/printdate.h"
#include "core/reports/gradelists.h"
#include "ui/platform/controls.h"
#include "ui/platform/printer.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tallyro {

GradePrintDialog::GradePrintDialog(AppState& state, Platform& platform,
                                   std::function<int()> selectedStudent, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform),
      selectedStudent_(std::move(selectedStudent)) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Print"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    SSPanel1 = new QFrame(this);
    SSPanel1->setObjectName(QStringLiteral("SSPanel1"));
    SSPanel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    SSPanel1->setLineWidth(2);

    Frame1 = new QGroupBox(QStringLiteral("Options"), SSPanel1);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto option = [this](const char* name, const QString& caption) {
        auto* button = new QRadioButton(caption, Frame1);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(caption);
        connect(button, &QRadioButton::clicked, this, &GradePrintDialog::optionChosen);
        return button;
    };
    optgrand = option("optgrand", QStringLiteral("Grand Averages"));
    optall = option("optall", QStringLiteral("All Information"));
    optstudent = option("optstudent", QStringLiteral("Current Student"));
    optgrand->setChecked(true);
    Check1 = new QCheckBox(QStringLiteral("Sorted"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setAccessibleName(QStringLiteral("Sorted"));
    Check1->setChecked(true);

    Label1 = new QLabel(QStringLiteral("ClassName:"), SSPanel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(SSPanel1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("ClassName:"));
    Label1->setBuddy(Text1);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSortingEnabled(true);
    List1->hide();

    std::tie(Command1, Command2) = confirmCancelButtons(SSPanel1, QStringLiteral("&Print"));

    auto* options = new QGridLayout(Frame1);
    options->addWidget(optgrand, 0, 0);
    options->addWidget(Check1, 0, 1);
    options->addWidget(optall, 1, 0);
    options->addWidget(optstudent, 2, 0);
    options->setColumnStretch(2, 1);
    auto* name = new QHBoxLayout;
    name->addWidget(Label1);
    name->addWidget(Text1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* panel = new QVBoxLayout(SSPanel1);
    panel->addWidget(Frame1);
    panel->addLayout(name);
    panel->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(SSPanel1);

    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString& text) { state_.printClassName = text.toStdString(); });
    connect(Command1, &QPushButton::clicked, this, &GradePrintDialog::printList);
    connect(Command2, &QPushButton::clicked, this, &QDialog::close);

    state_.printClassName = classNameFromFileName(state_.currentFileName);
    Text1->setText(QString::fromStdString(state_.printClassName));
    Text1->selectAll();
    Text1->setFocus();
    setMinimumWidth(340);
}

void GradePrintDialog::optionChosen() {
    // "Sorted" only means something for the grand averages.
    Check1->setEnabled(optgrand->isChecked());
}

void GradePrintDialog::printList() {
    hide();
    if (!confirmPrinterOn(platform_.printer, platform_.messages)) {
        close();
        return;
    }
    state_.printMode = optgrand->isChecked() && !Check1->isChecked()
                           ? GradeListMode::GrandAverages
                           : GradeListMode::SortedGrandAverages;
    if (optall->isChecked())
        state_.printMode = GradeListMode::AllInformation;
    if (optstudent->isChecked())
        state_.printMode = GradeListMode::CurrentStudent;

    const ClassRecord& record = state_.classRecord();
    QString documentName = QStringLiteral("Student Averages");
    // Without a printer the list becomes a PDF file named by what it holds,
    // in the words of the options: "ROOM5 grand averages sorted.pdf".
    QString what = QStringLiteral("grand averages");
    if (state_.printMode == GradeListMode::CurrentStudent) {
        state_.printStudentIndex = selectedStudent_ ? selectedStudent_() : 0;
        documentName = QStringLiteral("Student Grades");
        what = QStringLiteral("grades");
        int s = state_.printStudentIndex;
        if (s >= 0 && s < record.studentCount && s < static_cast<int>(record.studentNames.size()))
            // A slash in a name would make it a folder.
            what += QLatin1Char(' ') + QString::fromStdString(record.studentNames[s])
                                           .replace(QLatin1Char('/'), QLatin1Char('-'));
    } else if (state_.printMode == GradeListMode::AllInformation) {
        documentName = QStringLiteral("Student Grades");
        what = QStringLiteral("all information");
    } else if (state_.printMode == GradeListMode::SortedGrandAverages) {
        what = QStringLiteral("grand averages sorted");
        List1->clear();
        for (int s = 0; s < record.studentCount; ++s)
            List1->addItem(QString::fromStdString(record.studentNames[s]));
    }
    platform_.printer.suggestPdfName(
        proposedPdfPath(state_.currentFileFolder, state_.currentFileName, what));
    GradeListRequest request{state_.printMode, state_.printClassName, PrintDate::today().dashed(),
                             state_.printStudentIndex};
    printOrReport(
        platform_.printer, platform_.messages,
        [&](PrintSurface& surface) { composeGradeList(surface, record, request); }, documentName);
    close();
}

} // namespace tallyro
