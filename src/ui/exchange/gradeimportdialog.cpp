#include "ui/exchange/gradeimportdialog.h"

#include "core/classfile/textfile.h"
#include "core/gradebook/categories.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/controls.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tallyro {

namespace {

const QColor kProblemRed(255, 0, 0);

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidgetItem* cell(const QString& text, bool problem) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (problem)
        item->setForeground(kProblemRed);
    return item;
}

QString problemText(const ScoreRecord& record) {
    QString line = QStringLiteral("line %1: ").arg(record.line);
    switch (record.problem) {
    case ScoreRecord::Problem::NoStudent:
        return line + "matches no student";
    case ScoreRecord::Problem::SeveralStudents:
        return line + "matches more than one student";
    case ScoreRecord::Problem::AlreadyScored:
        return line +
               QStringLiteral("a second score (the first is on line %1)").arg(record.earlierLine);
    case ScoreRecord::Problem::BadScore:
        return line + "\"" + toQt(record.score) + "\" is not a number, x or d";
    case ScoreRecord::Problem::None:
        break;
    }
    return {};
}

} // namespace

GradeImportDialog::GradeImportDialog(const ClassRecord& record, Platform& platform, QWidget* parent)
    : QDialog(parent), record_(record), platform_(platform) {
    setObjectName("frmimportgrades");
    setWindowTitle("Import a Grade Column");

    Label1 = namedLabel(this, "Label1", "Scores file:");
    txtfile = new QLineEdit(this);
    txtfile->setObjectName("txtfile");
    txtfile->setAccessibleName("Scores file");
    txtfile->setReadOnly(true);
    Label1->setBuddy(txtfile);
    cmdfile = namedButton(this, "cmdfile", "&File...");
    cmdfile->setAutoDefault(false);

    Label2 = namedLabel(this, "Label2", "Ca&tegory:");
    cbocategory = new QComboBox(this);
    cbocategory->setObjectName("cbocategory");
    cbocategory->setAccessibleName("Category");
    for (int c = 1; c <= kCategoryCount; ++c)
        cbocategory->addItem(toQt(kCategoryNames[c]), c);
    // Online quizzes are what most teachers bring in.
    cbocategory->setCurrentIndex(1);
    Label2->setBuddy(cbocategory);

    Label3 = namedLabel(this, "Label3", "Score col&umn:");
    spncolumn = new QSpinBox(this);
    spncolumn->setObjectName("spncolumn");
    spncolumn->setAccessibleName("Score column");
    spncolumn->setRange(2, 2);
    Label3->setBuddy(spncolumn);
    lblheading = namedLabel(this, "lblheading", QString());
    lblheading->setAccessibleName("Column heading");

    Label4 = namedLabel(this, "Label4", "&Preview:");
    grdpreview = new QTableWidget(0, 2, this);
    grdpreview->setObjectName("grdpreview");
    grdpreview->setAccessibleName("Preview");
    grdpreview->setHorizontalHeaderLabels({"Student", "Score"});
    grdpreview->verticalHeader()->setVisible(false);
    grdpreview->horizontalHeader()->setStretchLastSection(true);
    grdpreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdpreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdpreview->setTabKeyNavigation(false);
    grdpreview->setMinimumSize(fontMetrics().horizontalAdvance(QString(50, u'n')),
                               fontMetrics().height() * 16);
    Label4->setBuddy(grdpreview);

    lblproblems = namedLabel(this, "lblproblems", QString());
    lblproblems->setAccessibleName("Problems");
    lblproblems->setWordWrap(true);
    lblproblems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextColour(lblproblems, kProblemRed);
    scrproblems = new QScrollArea(this);
    scrproblems->setObjectName("scrproblems");
    scrproblems->setAccessibleName("Problems");
    scrproblems->setFrameShape(QFrame::NoFrame);
    scrproblems->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrproblems->setWidgetResizable(true);
    scrproblems->setWidget(lblproblems);
    // Six lines in view; more scroll, by mouse or by the arrow keys.
    scrproblems->setMaximumHeight(fontMetrics().lineSpacing() * 6 + 4);

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));

    auto* grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtfile, 0, 1, 1, 2);
    grid->addWidget(cmdfile, 0, 3);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(cbocategory, 1, 1, 1, 2);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(spncolumn, 2, 1);
    grid->addWidget(lblheading, 2, 2, 1, 2);
    grid->setColumnStretch(2, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(grid);
    left->addWidget(Label4);
    left->addWidget(grdpreview, 1);
    left->addWidget(scrproblems);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttonColumn(Command1, Command2));

    connect(cmdfile, &QPushButton::clicked, this, &GradeImportDialog::chooseFile);
    connect(cbocategory, &QComboBox::currentIndexChanged, this, &GradeImportDialog::replan);
    connect(spncolumn, &QSpinBox::valueChanged, this, &GradeImportDialog::replan);
    connect(Command1, &QPushButton::clicked, this, [this] {
        if (Command1->isEnabled())
            accept();
    });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(cmdfile, cbocategory);
    setTabOrder(cbocategory, spncolumn);
    setTabOrder(spncolumn, grdpreview);
    setTabOrder(grdpreview, scrproblems);
    setTabOrder(scrproblems, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, txtfile);
    replan();
}

bool GradeImportDialog::chooseFile() {
    FileDialog& files = platform_.files;
    files.prepare("Import a grade column", FileDialog::PathMustExist, "*.csv",
                  "CSV files (*.csv)|*.csv|text files (*.txt)|*.txt|all files (*.*)|*");
    try {
        files.showOpen();
    } catch (const DialogCancelled&) {
        return false;
    }
    std::vector<CsvRecord> scores;
    try {
        BusyPointer busy;
        scores = parseCsv(readTextFile(files.fileName().toStdString()));
    } catch (const std::exception& error) {
        showError(platform_.messages,
                  "Unable to OPEN this file. " + QString::fromStdString(error.what()));
        return false;
    }
    scores_ = std::move(scores);
    sourceName_ = files.fileTitle();
    txtfile->setText(files.fileName());

    int widest = 2;
    for (const CsvRecord& line : scores_)
        widest = std::max(widest, static_cast<int>(line.fields.size()));
    {
        // One plan for the new file, not one per setting changed.
        QSignalBlocker blocker(spncolumn);
        spncolumn->setRange(2, widest);
        spncolumn->setValue(2);
    }
    replan();
    return true;
}

void GradeImportDialog::replan() {
    int column = spncolumn->value();
    plan_ = planGradeColumn(record_, cbocategory->currentData().toInt(), scores_, column,
                            sourceName_.toStdString());
    QString heading;
    if (!scores_.empty() && static_cast<int>(scores_.front().fields.size()) >= column)
        heading = toQt(scores_.front().fields[static_cast<size_t>(column - 1)]);
    lblheading->setText(heading.isEmpty() ? QString() : "\"" + heading + "\"");
    showPreview();
}

void GradeImportDialog::showPreview() {
    grdpreview->setRowCount(0);
    bool loaded = !scores_.empty() || !sourceName_.isEmpty();
    if (loaded) {
        int students = static_cast<int>(plan_.grades.size());
        for (int s = 0; s < students; ++s) {
            int row = grdpreview->rowCount();
            grdpreview->insertRow(row);
            grdpreview->setItem(row, 0, cell(toQt(record_.studentNames[s]), false));
            int index = plan_.recordOfStudent[s];
            if (index < 0) {
                grdpreview->setItem(row, 1,
                                    cell(QString::fromUtf8("x \u2014 not in the file"), false));
            } else {
                const ScoreRecord& scored = plan_.records[static_cast<size_t>(index)];
                bool bad = scored.problem == ScoreRecord::Problem::BadScore;
                grdpreview->setItem(
                    row, 1, cell(bad ? toQt(scored.score) : toQt(plan_.grades[s].toText()), bad));
            }
        }
        for (const ScoreRecord& scored : plan_.records) {
            if (scored.problem == ScoreRecord::Problem::None ||
                scored.problem == ScoreRecord::Problem::BadScore)
                continue;
            int row = grdpreview->rowCount();
            grdpreview->insertRow(row);
            grdpreview->setItem(
                row, 0,
                cell(scored.name.empty() ? QStringLiteral("(no name)") : toQt(scored.name), true));
            grdpreview->setItem(row, 1, cell(problemText(scored), true));
        }
        grdpreview->resizeColumnToContents(0);
    }

    QStringList problems;
    if (loaded) {
        for (const std::string& error : plan_.errors)
            problems << toQt(error);
    }
    lblproblems->setText(problems.join("\n"));
    scrproblems->setVisible(!problems.isEmpty());
    Command1->setEnabled(loaded && plan_.ok());
}

std::optional<GradeColumnImport> askGradeColumnImport(const ClassRecord& record, Platform& platform,
                                                      QWidget* parent) {
    GradeImportDialog dialog(record, platform, parent);
    if (!dialog.chooseFile())
        return std::nullopt;
    if (dialog.exec() != QDialog::Accepted || !dialog.plan().ok())
        return std::nullopt;
    return dialog.plan().import();
}

} // namespace tallyro
