#include "ui/exchange/exportdialog.h"

#include "core/exchange/exporttable.h"
#include "ui/platform/busypointer.h"
#include "ui/platform/controls.h"
#include "ui/platform/excelwriter.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tallyro {

namespace {

const QString kTitle = QStringLiteral("Export");

QRadioButton* namedOption(QWidget* parent, const QString& objectName, const QString& caption) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(objectName);
    option->setAccessibleName(withoutAccessKey(caption));
    return option;
}

QString extensionOf(ExportFormat format) {
    return format == ExportFormat::Csv ? QStringLiteral("csv") : QStringLiteral("xlsx");
}

} // namespace

ExportDialog::ExportDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("frmexport");
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Frame1 = new QGroupBox("File", this);
    Frame1->setObjectName("Frame1");
    optcsv = namedOption(Frame1, "optcsv", "CS&V (comma-separated text)");
    optexcel = namedOption(Frame1, "optexcel", "&Excel workbook");
    optcsv->setChecked(true);
    auto* formatLayout = new QVBoxLayout(Frame1);
    formatLayout->addWidget(optcsv);
    formatLayout->addWidget(optexcel);

    Frame2 = new QGroupBox("Grand Average", this);
    Frame2->setObjectName("Frame2");
    optdecimal = namedOption(Frame2, "optdecimal", "&Decimal");
    optrounded = namedOption(Frame2, "optrounded", "&Rounded");
    optdecimal->setChecked(true);
    auto* modeLayout = new QVBoxLayout(Frame2);
    modeLayout->addWidget(optdecimal);
    modeLayout->addWidget(optrounded);

    std::tie(Command1, Command2) = confirmCancelButtons(this, QStringLiteral("&Ok"));
    auto* left = new QVBoxLayout;
    left->addWidget(Frame1);
    left->addWidget(Frame2);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addSpacing(6);
    layout->addLayout(buttonColumn(Command1, Command2));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(optcsv, optexcel);
    setTabOrder(optexcel, optdecimal);
    setTabOrder(optdecimal, optrounded);
    setTabOrder(optrounded, Command1);
    setTabOrder(Command1, Command2);
    optcsv->setFocus();
}

ExportFormat ExportDialog::format() const {
    return optexcel->isChecked() ? ExportFormat::Excel : ExportFormat::Csv;
}

void ExportDialog::setFormat(ExportFormat format) {
    (format == ExportFormat::Excel ? optexcel : optcsv)->setChecked(true);
}

AverageMode ExportDialog::mode() const {
    return optrounded->isChecked() ? AverageMode::Rounded : AverageMode::Decimal;
}

void ExportDialog::setMode(AverageMode mode) {
    (mode == AverageMode::Rounded ? optrounded : optdecimal)->setChecked(true);
}

QString proposedExportPath(const AppState& state, ExportFormat format) {
    QString name = QFileInfo(QString::fromStdString(state.currentFileName)).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("untitled");
    QString folder = state.currentFileFolder.empty()
                         ? QDir::currentPath()
                         : QString::fromStdString(state.currentFileFolder);
    return QDir(folder).filePath(name + "." + extensionOf(format));
}

QString exportClass(const ClassRecord& record, const AppState& state, Platform& platform,
                    ExportFormat format, AverageMode mode) {
    // The sheets first: a grade that cannot be averaged is told before the
    // teacher has chosen a file for nothing.
    std::vector<ExportSheet> sheets;
    try {
        BusyPointer busy;
        sheets = gradeWorkbook(record, mode);
    } catch (const std::exception& error) {
        showError(platform.messages,
                  "Unable to export this class. " + QString::fromStdString(error.what()));
        return {};
    }

    FileDialog& files = platform.files;
    bool csv = format == ExportFormat::Csv;
    files.prepare(kTitle, FileDialog::OverwritePrompt, proposedExportPath(state, format),
                  csv ? QStringLiteral("CSV files (*.csv)|*.csv")
                      : QStringLiteral("Excel workbooks (*.xlsx)|*.xlsx"));
    try {
        files.showSave();
    } catch (const DialogCancelled&) {
        return {};
    }
    QString path = files.fileName();
    if (QFileInfo(path).suffix().isEmpty()) {
        path += "." + extensionOf(format);
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path) &&
            platform.messages.show(QDir::toNativeSeparators(path) +
                                       " already exists.\nDo you want to replace it?",
                                   kTitle, MessageStyle::OkCancelQuestion) != MessageButton::Ok)
            return {};
    }
    if (!state.currentFileName.empty() && isSameFile(path.toStdString(), state.currentFilePath())) {
        showError(platform.messages, "Unable to SAVE this file. " + QDir::toNativeSeparators(path) +
                                         " is the class file itself; export to another file.");
        return {};
    }

    try {
        BusyPointer busy;
        if (csv)
            writeCsvFile(path.toStdString(), sheets.front());
        else
            ExcelWriter().write(path.toStdString(), sheets);
    } catch (const std::exception& error) {
        showError(platform.messages,
                  "Unable to SAVE this file. " + QString::fromStdString(error.what()));
        return {};
    }
    platform.messages.show("The grades were exported to\n" + QDir::toNativeSeparators(path), kTitle,
                           MessageStyle::OkInformation);
    return path;
}

void exportClassFromWindow(const ClassRecord& record, const AppState& state, Platform& platform,
                           QWidget* parent) {
    ExportDialog dialog(parent);
    dialog.setMode(state.averageMode);
    if (dialog.exec() != QDialog::Accepted)
        return;
    exportClass(record, state, platform, dialog.format(), dialog.mode());
}

} // namespace tallyro
