// Feeds arbitrary bytes to the grade file reader. Whatever the bytes, reading
// either fails with FileError or gives a record that writes back to a text
// which reads again into the very same text, and whose averages can be asked
// for without anything worse than an AveragingError.
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
    tallyro::ClassRecord record;
    try {
        tallyro::parseClassFile(text, record);
    } catch (const tallyro::FileError&) {
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
        } catch (const tallyro::AveragingError&) {
        }
    }
    return 0;
}
