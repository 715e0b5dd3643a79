// The entry of the Excel module (tallyro-xlsx.so): the workbook writer with
// libxlsxwriter, read by the program on the first workbook it writes.
#include "xlsx/xlsxworkbook.h"

extern "C" __attribute__((visibility("default"))) tallyro::SpreadsheetWriter*
tallyro_create_xlsx_writer() {
    return new tallyro::XlsxWorkbookWriter;
}
