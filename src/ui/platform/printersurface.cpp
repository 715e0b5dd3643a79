#include "ui/platform/printersurface.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>
#include <QRawFont>
#include <QTextLayout>
#include <QVarLengthArray>

#include <cmath>

namespace tallyro {

TextBoxLayout textBoxLayoutFor(const QFont& font, double widthPixels) {
    auto metrics = std::make_shared<QFontMetricsF>(font);
    return TextBoxLayout{widthPixels, [metrics](std::string_view text) {
                             return metrics->horizontalAdvance(QString::fromUtf8(
                                 text.data(), static_cast<qsizetype>(text.size())));
                         }};
}

void installPrintFontSubstitutes() {
    // Liberation Serif is drawn to the measures of Times New Roman, so the
    // columns of a page fall where the teacher expects them.
    static const bool installed = [] {
        for (const char* family : {"times new roman", "Times New Roman"})
            QFont::insertSubstitutions(QString::fromLatin1(family),
                                       {QStringLiteral("Liberation Serif"), QStringLiteral("Times"),
                                        QStringLiteral("serif")});
        return true;
    }();
    (void)installed;
}

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Every face measured so far, for the life of the application.
std::vector<std::unique_ptr<PainterSurface::Face>>* faces() {
    static std::vector<std::unique_ptr<PainterSurface::Face>>* faces = nullptr;
    if (!faces) {
        faces = new std::vector<std::unique_ptr<PainterSurface::Face>>();
        // Fonts must go while the application's font database is still
        // there, so the faces go with the application.
        qAddPostRoutine([] {
            delete faces;
            faces = nullptr;
        });
    }
    return faces;
}

// Texts kept per face; a face that has shaped more starts afresh.
constexpr size_t kKeptTexts = 20000;

quint16 bigEndian16(const QByteArray& table, int at) {
    return quint16((quint8(table[at]) << 8) | quint8(table[at + 1]));
}

// The ascent and descent of a face in ems, as Windows measures a line: the
// OS/2 table's usWinAscent and usWinDescent (hhea's ascender and descender
// where it has none). Zero when the face tells neither.
std::pair<double, double> designAscentDescent(const QRawFont& font) {
    double em = font.unitsPerEm();
    if (!font.isValid() || em <= 0)
        return {0, 0};
    QByteArray os2 = font.fontTable("OS/2");
    if (os2.size() >= 78) {
        double ascent = bigEndian16(os2, 74), descent = bigEndian16(os2, 76);
        if (ascent > 0)
            return {ascent / em, descent / em};
    }
    QByteArray hhea = font.fontTable("hhea");
    if (hhea.size() >= 8) {
        double ascent = qint16(bigEndian16(hhea, 4)), descent = -qint16(bigEndian16(hhea, 6));
        if (ascent > 0)
            return {ascent / em, descent / em};
    }
    return {0, 0};
}

// The glyph a font draws for the blank, or an index no glyph has.
quint32 blankGlyph(const QRawFont& font) {
    QList<quint32> indexes = font.glyphIndexesForString(QStringLiteral(" "));
    return indexes.size() == 1 && indexes[0] != 0 ? indexes[0] : ~0u;
}

} // namespace

PainterInk::PainterInk(QPagedPaintDevice& device) : device_(device) {
    if (!painter_.begin(&device_))
        throw PrintError("The printer or the output file could not be opened.");
    painter_.setPen(QPen(Qt::black, device_.logicalDpiX() / 96.0));
}

PainterInk::~PainterInk() {
    if (painter_.isActive())
        painter_.end();
}

void PainterInk::startSheet() {
    if (!device_.newPage())
        throw PrintError("The printer did not accept a new page.");
}

void PainterInk::drawGlyphs(const QPointF& position, const QGlyphRun& glyphs) {
    painter_.drawGlyphRun(position, glyphs);
}

void PainterInk::drawRule(const QLineF& line) {
    painter_.drawLine(line);
}

void PainterInk::finish() {
    if (painter_.isActive() && !painter_.end())
        throw PrintError("The printer did not accept the document.");
}

PainterSurface::PainterSurface(QPagedPaintDevice& device)
    : device_(device), ownInk_(std::make_unique<PainterInk>(device)), ink_(ownInk_.get()) {
    setUp();
}

PainterSurface::PainterSurface(QPagedPaintDevice& device, PageInk& ink)
    : device_(device), ink_(&ink) {
    setUp();
}

void PainterSurface::setUp() {
    installPrintFontSubstitutes();
    dpiX_ = device_.logicalDpiX();
    dpiY_ = device_.logicalDpiY();
    // The printable area the device reports (the sheet less the margins the
    // printer cannot print on); the ink's origin is its top left corner.
    pageHeight_ = device_.pageLayout().paintRect(QPageLayout::Inch).height();
    if (pageHeight_ <= 0)
        pageHeight_ = device_.height() / dpiY_;
    fontChanged(font());
}

PainterSurface::~PainterSurface() = default;

PainterSurface::Face& PainterSurface::faceFor(const PrintFont& font) {
    for (const auto& face : *faces())
        if (face->key == font && face->dpiX == dpiX_ && face->dpiY == dpiY_)
            return *face;
    auto face = std::make_unique<Face>();
    face->key = font;
    face->dpiX = dpiX_;
    face->dpiY = dpiY_;
    face->font = QFont(QString::fromStdString(font.name));
    face->font.setPointSizeF(font.size > 0 ? font.size : 10);
    face->font.setBold(font.bold);
    face->font.setUnderline(font.underline);
    face->font.setKerning(false);
    // Outlines and advances as designed: a printed page has no pixel grid
    // to fit, and hinted advances would move the columns at some sizes.
    face->font.setHintingPreference(QFont::PreferNoHinting);
    face->metrics = std::make_unique<QFontMetricsF>(face->font, &device_);
    // The font's own height without the leading Qt adds between lines, from
    // its design units: the font engine rounds its ascent up to whole pixels,
    // which would lose a line on some sheets.
    auto [ascentEm, descentEm] = designAscentDescent(QRawFont::fromFont(face->font));
    double pixels = face->font.pointSizeF() / 72.0 * dpiY_;
    if (ascentEm > 0) {
        face->ascent = ascentEm * pixels;
        face->lineHeight = (ascentEm + descentEm) * pixels / dpiY_;
    } else {
        face->ascent = face->metrics->ascent();
        face->lineHeight = (face->metrics->ascent() + face->metrics->descent()) / dpiY_;
    }
    // The average width of text as a Windows printer measured it: lower-case
    // letters and the blank weighted by how often they occur in English.
    // Newer fonts report the plain average of all their glyphs instead, which
    // is far wider and would push the right-hand columns off the page.
    static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                    56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    double sum = 0;
    for (int i = 0; i < 27; ++i)
        sum += weights[i] * face->metrics->horizontalAdvance(i < 26 ? QChar('a' + i) : QChar(' '));
    face->averageWidth = sum / 1000.0 / dpiX_;
    faces()->push_back(std::move(face));
    return *faces()->back();
}

void PainterSurface::fontChanged(const PrintFont& font) {
    // Only remembered: the glyphs carry their font to the ink, so switching
    // bold on and off between pieces costs nothing.
    face_ = &faceFor(font);
}

double PainterSurface::averageCharWidth() {
    return face_->averageWidth;
}

double PainterSurface::lineHeight() {
    return face_->lineHeight;
}

double PainterSurface::textWidth(std::string_view text) {
    auto found = face_->widths.find(text);
    if (found != face_->widths.end())
        return found->second;
    double width = face_->metrics->horizontalAdvance(toQString(text)) / dpiX_;
    if (face_->widths.size() >= kKeptTexts)
        face_->widths.clear();
    face_->widths.emplace(std::string(text), width);
    return width;
}

double PainterSurface::toDeviceX(double x) const {
    return (x - scaleLeft()) * dpiX_;
}

void PainterSurface::beforeDrawing() {
    if (pendingNewPage_) {
        ink_->startSheet();
        pendingNewPage_ = false;
        pageHasInk_ = false;
    }
    if (!pageHasInk_) {
        pageHasInk_ = true;
        ++pagesSent_;
    }
}

void PainterSurface::drawText(double x, double y, std::string_view text) {
    // Pieces on one line in one font make one text, tabs and all: the glyphs
    // carry their own positions. Underlined pieces join only where they
    // meet, so that the line under them does not run across a tab.
    bool joins = !run_.pieces.empty() && run_.face == face_ && run_.y == y &&
                 (!face_->key.underline || std::abs(run_.endX - x) < 1e-9);
    if (!joins) {
        flushRun();
        run_.face = face_;
        run_.y = y;
    }
    run_.pieces.push_back({x, std::string(text)});
    if (face_->key.underline)
        run_.endX = x + textWidth(text);
}

const QList<QGlyphRun>& PainterSurface::shapedText(Face& face, const std::string& text) {
    auto shaped = face.shaped.find(text);
    if (shaped != face.shaped.end())
        return shaped->second;
    // Shaped once, in the device's resolution, and drawn from then on as
    // glyphs.
    QTextLayout layout(toQString(text), face.font, &device_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    QList<QGlyphRun> runs = layout.glyphRuns();
    // The glyphs stand on the line's own baseline; the surface's is the
    // font's ascent below the top of the line.
    QPointF shift(0, face.ascent - line.ascent());
    for (QGlyphRun& glyphs : runs) {
        QList<quint32> indexes = glyphs.glyphIndexes();
        QList<QPointF> positions = glyphs.positions();
        // Blanks leave no ink, and a PDF writes every glyph with a position
        // of its own: grade lines are half blanks. Underlined text keeps
        // them, the line runs under them.
        quint32 blank = face.key.underline ? ~0u : blankGlyph(glyphs.rawFont());
        qsizetype kept = 0;
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            if (indexes[i] == blank)
                continue;
            indexes[kept] = indexes[i];
            positions[kept] = positions[i] + shift;
            ++kept;
        }
        indexes.resize(kept);
        positions.resize(kept);
        glyphs.setGlyphIndexes(indexes);
        glyphs.setPositions(positions);
    }
    if (face.shaped.size() >= kKeptTexts)
        face.shaped.clear();
    return face.shaped.emplace(text, std::move(runs)).first->second;
}

void PainterSurface::flushRun() {
    if (run_.pieces.empty())
        return;
    beforeDrawing();
    Face& face = *run_.face;
    // One glyph run per font the pieces use (more than one only where a
    // character came from a fallback face), positions on whole device dots:
    // nobody sees a 600th of an inch, and whole numbers make the PDF small.
    struct Glyphs {
        QGlyphRun run;
        QRawFont font;
        QList<quint32> indexes;
        QList<QPointF> positions;
    };
    QVarLengthArray<Glyphs, 2> line;
    double top = std::round(run_.y * dpiY_);
    for (const auto& [x, text] : run_.pieces) {
        double left = std::round(toDeviceX(x));
        for (const QGlyphRun& glyphs : shapedText(face, text)) {
            // Nearly always the face itself: one font to compare.
            QRawFont font = glyphs.rawFont();
            Glyphs* into = nullptr;
            for (Glyphs& candidate : line)
                if (candidate.font == font)
                    into = &candidate;
            if (!into) {
                line.append(Glyphs{glyphs, font, {}, {}});
                into = &line.back();
            }
            into->indexes.append(glyphs.glyphIndexes());
            for (const QPointF& position : glyphs.positions())
                into->positions.append(
                    QPointF(left + std::round(position.x()), top + std::round(position.y())));
        }
    }
    for (Glyphs& glyphs : line) {
        if (glyphs.indexes.isEmpty())
            continue;
        // Drawn from the first glyph, where an underline starts: glyphs
        // drawn from the edge of the printable area would be underlined
        // from there.
        QPointF origin(glyphs.positions.front().x(), 0);
        for (QPointF& position : glyphs.positions)
            position.rx() -= origin.x();
        glyphs.run.setGlyphIndexes(glyphs.indexes);
        glyphs.run.setPositions(glyphs.positions);
        ink_->drawGlyphs(origin, glyphs.run);
    }
    ++textsDrawn_;
    run_.pieces.clear();
}

void PainterSurface::drawRule(double x, double y, double length) {
    flushRun();
    beforeDrawing();
    ink_->drawRule(
        QLineF(QPointF(toDeviceX(x), y * dpiY_), QPointF(toDeviceX(x + length), y * dpiY_)));
}

void PainterSurface::startNewPage() {
    flushRun();
    // The new sheet is started when something is drawn on it, so a page
    // break at the very end of a document sends no blank sheet.
    if (pageHasInk_)
        pendingNewPage_ = true;
}

void PainterSurface::finishDocument() {
    flushRun();
    ink_->finish();
}

double PainterSurface::pageHeight() {
    return pageHeight_;
}

} // namespace tallyro
