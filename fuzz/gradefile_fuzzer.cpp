// Feeds arbitrary bytes to the grade file reader. Whatever the bytes, the
// decoded text is valid UTF-8, and reading either fails with FileError (one
// line of valid UTF-8) or gives a record that writes back to a text which
// reads again into the very same text, and whose averages can be asked for
// without anything worse than an AveragingError and are never "Infin".
#include "core/classfile/fileerror.h"
#include "core/classfile/gradefile.h"
#include "core/classfile/textfile.h"
#include "core/gradebook/averaging.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text =
        tallyro::decodeFileBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (!tallyro::isValidUtf8(text))
        std::abort();
    tallyro::ClassRecord record;
    try {
        tallyro::parseClassFile(text, record);
    } catch (const tallyro::FileError& error) {
        std::string_view what = error.what();
        if (!tallyro::isValidUtf8(what) || what.find('\n') != std::string_view::npos)
            std::abort();
        return 0;
    }
    std::string written = tallyro::formatClassFile(record);
    tallyro::ClassRecord again;
    tallyro::parseClassFile(written, again);
    if (tallyro::formatClassFile(again) != written)
        std::abort();
    for (int mode : {0, 1}) {
        try {
            tallyro::computeAllGrandAverages(record, mode);
            for (int s = 0; s < record.studentCount; ++s)
                if (record.grandAverages[s].toText().find("Inf") != std::string::npos ||
                    record.grandAverages[s].toText().find("NaN") != std::string::npos)
                    std::abort();
        } catch (const tallyro::AveragingError&) {
        }
    }
    return 0;
}
