#pragma once

namespace tallyro {

// The sheet the printed pages are planned for: a letter sheet less the small
// margins a desktop printer keeps unprinted, and lines of "times new roman"
// as high as the face itself (ascent + descent, no extra leading), the way
// the printer the page plans were made for measured them. A list planned for
// 50 lines of 12 points, or two report cards of 10 points, fits such a sheet.
inline constexpr double kSheetWidth = 8.5;   // inch
inline constexpr double kSheetHeight = 11.0; // inch
inline constexpr double kPrinterMargin = 1.0 / 6;
inline constexpr double kPrintableHeight = kSheetHeight - 2 * kPrinterMargin;

// Times New Roman's ascent and descent (1825 and 443 of 2048 font units),
// shared by its metric-compatible stand-ins.
inline constexpr double kTimesLineHeightEm = (1825.0 + 443.0) / 2048.0;

// The height of a line of "times new roman" at the given size, in inches.
double timesLineHeight(double points);

// How many such lines the printable height holds (at least one).
int linesPerSheet(double points, double printableHeight = kPrintableHeight);

} // namespace tallyro
