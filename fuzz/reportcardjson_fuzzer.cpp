// Feeds arbitrary bytes to the report card JSON reader. Whatever the bytes,
// reading either fails with ReportCardJsonError or gives an entry whose every
// text is valid UTF-8, and the card prints to valid UTF-8 text.
#include "core/classfile/textfile.h"
#include "core/print/displaylines.h"
#include "core/print/textsurface.h"
#include "core/reports/reportcard.h"
#include "core/reports/reportcardjson.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void mustBeUtf8(std::string_view text) {
    if (!tallyro::isValidUtf8(text))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tallyro;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReportCardFile file;
    try {
        file = parseReportCardJson(bytes);
    } catch (const ReportCardJsonError& error) {
        mustBeUtf8(error.what());
        return 0;
    }
    const ReportCardEntry& entry = file.entry;
    for (std::string_view text :
         {std::string_view(entry.schoolName), std::string_view(entry.teacherName),
          std::string_view(entry.gradeLevel), std::string_view(entry.studentName),
          std::string_view(entry.absences), std::string_view(entry.tardies),
          std::string_view(entry.comments), std::string_view(entry.date)})
        mustBeUtf8(text);
    for (const auto& subject : entry.subjects)
        mustBeUtf8(subject.mark);
    if (file.commentWidth < 10 || file.commentWidth > 120)
        std::abort();
    TextSurface surface;
    ReportCardEntry printed = entry;
    composeReportCard(surface, printed, TextBoxLayout::widthInCharacters(file.commentWidth));
    mustBeUtf8(surface.text());
    return 0;
}
