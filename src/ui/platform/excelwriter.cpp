#include "ui/platform/excelwriter.h"

#include "ui/platform/ondemandmodule.h"

#include <memory>
#include <stdexcept>

namespace tallyro {

void ExcelWriter::write(const std::string& path, const std::vector<ExportSheet>& sheets) {
    using Create = SpreadsheetWriter* (*)();
    QString problem;
    auto create = reinterpret_cast<Create>(
        onDemandSymbol(QStringLiteral("xlsx"), "tallyro_create_xlsx_writer", problem));
    if (!create)
        throw std::runtime_error(problem.toStdString());
    std::unique_ptr<SpreadsheetWriter>(create())->write(path, sheets);
}

} // namespace tallyro
