#pragma once

#include "core/print/printsurface.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace tallyro {

// A composition of printed pages: it draws on the surface and ends the
// document with EndDoc.
using PageComposition = std::function<void(PrintSurface&)>;

// Writes the composed pages to a PDF file of letter-size pages whose
// printable area is the one a desktop printer leaves (1/6 inch all round), the
// sheet the page plans are made for. Throws PrintError when the file cannot be
// written, and then leaves no file behind. Needs a QGuiApplication.
void printToPdf(const QString& path, const PageComposition& compose);

// Qt's PDF writer embeds only the glyphs a document uses, but names each font
// by its plain family, so readers take it for the whole font. This gives
// every font the subset tag ("QMLAAA+LiberationSerif") its descriptor already
// carries, and moves the cross-reference offsets to match. A document it does
// not understand is returned unchanged.
QByteArray tagSubsetFonts(const QByteArray& pdf);

} // namespace tallyro
