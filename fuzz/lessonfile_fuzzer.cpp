// Feeds arbitrary bytes to the lesson plan file reader. Whatever the bytes,
// the decoded text is valid UTF-8, and reading either fails with FileError or
// gives a week of valid UTF-8 texts that writes to a file which reads back
// into the same week and writes again byte for byte the same. The week then
// prints to text without anything worse than its pages.
#include "core/classfile/fileerror.h"
#include "core/classfile/textfile.h"
#include "core/lessons/lessonfile.h"
#include "core/print/printdate.h"
#include "core/print/textsurface.h"
#include "core/reports/lessonpages.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tallyro;
    std::string text = decodeFileBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (!isValidUtf8(text))
        std::abort();
    LessonPlan plan;
    try {
        parseLessonFile(text, plan);
    } catch (const FileError& error) {
        if (!isValidUtf8(error.what()))
            std::abort();
        return 0;
    }
    for (const auto* texts : {&plan.periodNames, &plan.lessonTexts})
        for (const std::string& one : *texts)
            if (!isValidUtf8(one))
                std::abort();
    std::string written = formatLessonFile(plan);
    LessonPlan again;
    parseLessonFile(written, again);
    if (formatLessonFile(again) != written)
        std::abort();
    TextSurface surface;
    PrintDate date{1997, 9, 15};
    composeLessonPages(surface, again, date, LessonPrintRange::FullWeek, 0);
    if (!isValidUtf8(surface.text()))
        std::abort();
    return 0;
}
