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
//
// Qt shapes and places the glyphs, as for a printer; the file is written
// here, with each TrueType face embedded as a subset that is made once and
// reused by the documents drawn from the same glyphs (Qt's writer reads the
// whole face again for every document, which made a class's report cards
// slow). A document with a face this writer does not embed (CFF outlines, a
// variable font, a bold or italic Qt makes up) is written by Qt's writer.
void printToPdf(const QString& path, const PageComposition& compose);

// Qt's PDF writer embeds only the glyphs a document uses, but names each font
// by its plain family, so readers take it for the whole font. This gives
// every font the subset tag ("QMLAAA+LiberationSerif") its descriptor already
// carries, and moves the cross-reference offsets to match. A document it does
// not understand is returned unchanged.
QByteArray tagSubsetFonts(const QByteArray& pdf);

} // namespace tallyro
