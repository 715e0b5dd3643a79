#pragma once

#include "core/classfile/classrecord.h"
#include "core/print/printsurface.h"

#include <string>
#include <vector>

namespace tallyro {

// Which grade list to print: the values of the print dialog's choice.
enum class GradeListMode {
    GrandAverages = 1,       // one line per student, roster order
    AllInformation = 2,      // every student's grades, category by category
    CurrentStudent = 3,      // one student's grades
    SortedGrandAverages = 4, // one line per student, sorted by name
};

// Everything a grade list prints besides the class record.
struct GradeListRequest {
    GradeListMode mode = GradeListMode::GrandAverages;
    // The class name printed in every heading.
    std::string className;
    // The date of the headings, "mm-dd-yyyy".
    std::string date;
    // The roster index of the student for the current-student list.
    int studentIndex = 0;
};

// The class name the print dialog proposes: the file name without its last
// four characters (its extension); a name of four characters or fewer gives
// an empty class name.
std::string classNameFromFileName(const std::string& fileName);

// The roster order of the sorted list: indices of the students sorted by name
// (ignoring case, then exactly); two students of the same name keep their
// roster order, so each of them gets a row of their own.
std::vector<int> sortedStudentOrder(const ClassRecord& record);

// Composes the chosen list from the class record and its grand averages
// (computed beforehand) and ends the document. The student blocks of the
// all-information and current-student lists stay whole on a sheet where the
// surface's pages allow it (a block longer than a sheet continues between two
// categories), every sheet under the list's heading. A PrintError from the
// back end stops it.
void composeGradeList(PrintSurface& surface, const ClassRecord& record,
                      const GradeListRequest& request);

} // namespace tallyro
