#pragma once

#include "core/app/appstate.h"
#include "core/gradebook/averaging.h"
#include "ui/platform/platform.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tallyro {

// ExportDialog: the "Export" dialog, which asks for the kind of file (CSV
// or an Excel workbook) and how the grand average is shown. The functions
// below run a whole export from the window.

enum class ExportFormat { Csv, Excel };

class ExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExportDialog(QWidget* parent = nullptr);

    ExportFormat format() const;
    void setFormat(ExportFormat format);
    AverageMode mode() const;
    void setMode(AverageMode mode);

    QGroupBox* Frame1;
    QRadioButton* optcsv;
    QRadioButton* optexcel;
    QGroupBox* Frame2;
    QRadioButton* optdecimal;
    QRadioButton* optrounded;
    QPushButton* Command1;
    QPushButton* Command2;
};

// The file an export proposes: the class's file name with the format's
// extension (ROOM5.grd -> ROOM5.csv) in the class's folder.
QString proposedExportPath(const AppState& state, ExportFormat format);

// An export whose choices are made: asks where the file goes (proposing
// proposedExportPath), writes it and says where it went. Problems (a grade
// that cannot be averaged, a file that cannot be written) are told through
// the platform's message box. Returns the file written, or an empty text.
QString exportClass(const ClassRecord& record, const AppState& state, Platform& platform,
                    ExportFormat format, AverageMode mode);

// File > "E&xport..." and the step panel's sixth picture: the Export dialog,
// preset to the grade book's averageMode, then exportClass. The record is not
// changed.
void exportClassFromWindow(const ClassRecord& record, const AppState& state, Platform& platform,
                           QWidget* parent);

} // namespace tallyro
