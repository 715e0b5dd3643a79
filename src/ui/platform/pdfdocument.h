#pragma once

#include "core/print/printsurface.h"

#include <QString>

#include <functional>

namespace tallyro {

// A composition of printed pages: it draws on the surface and ends the
// document with EndDoc.
using PageComposition = std::function<void(PrintSurface&)>;

// Writes the composed pages to a PDF file of letter-size pages with the
// printable area a printer would leave. Throws PrintError when the file
// cannot be written. Needs a QGuiApplication.
void printToPdf(const QString& path, const PageComposition& compose);

} // namespace tallyro
