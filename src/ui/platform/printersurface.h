#pragma once

#include "core/print/displaylines.h"
#include "core/print/printsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLineF>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPagedPaintDevice;

namespace tallyro {

// The wrapping of a multi-line box drawn in the given font whose text area
// is widthPixels wide: what the windows pass to displayLines so that printed
// plans and comments break where the box on screen breaks them.
TextBoxLayout textBoxLayoutFor(const QFont& font, double widthPixels);

// Makes "times new roman", the face every printed page asks for, resolve to a
// face with the same measures where Times New Roman is not installed.
void installPrintFontSubstitutes();

// Where the ink of a print surface goes, in device dots from the top left
// corner of the printable area: a painter on a printer, or the sheets of a
// PDF document kept until it is complete.
class PageInk {
public:
    virtual ~PageInk() = default;
    // Before the first ink of every sheet but the first.
    virtual void startSheet() = 0;
    // As QPainter::drawGlyphRun draws them: the glyphs at position plus their
    // own positions, an underline from position on.
    virtual void drawGlyphs(const QPointF& position, const QGlyphRun& glyphs) = 0;
    // A black rule 1/96 inch wide with square ends.
    virtual void drawRule(const QLineF& line) = 0;
    // The document is complete; throws PrintError when the device refuses it.
    virtual void finish() = 0;
};

// Ink painted with a QPainter on a printer or a PDF writer. Painting starts at
// once, so a device that cannot be opened throws PrintError here.
class PainterInk : public PageInk {
public:
    explicit PainterInk(QPagedPaintDevice& device);
    ~PainterInk() override;

    void startSheet() override;
    void drawGlyphs(const QPointF& position, const QGlyphRun& glyphs) override;
    void drawRule(const QLineF& line) override;
    void finish() override;

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
};

// The print surface drawn with a QPainter on a printer or a PDF writer, in
// inches from the top left corner of the device's printable area. Lines are
// as high as the font's ascent and descent, the way the printers the page
// plans were made for measured them. A page that would run past the bottom
// of the printable area continues on a new page; a page on which nothing was
// drawn is never sent.
//
// Pages of grades are thousands of short pieces of text, so the surface draws
// the pieces of a line that share a font as one text, placed at their tabs, keeps every font's
// measures, and reuses the shaped glyphs of a text drawn before, in this
// document or an earlier one of the same resolution (a class's report cards
// repeat most of their texts).
class PainterSurface : public PrintSurface {
public:
    // The device must outlive the surface; painting starts at once, so a
    // device that cannot be opened throws PrintError here.
    explicit PainterSurface(QPagedPaintDevice& device);
    // Measures and shapes for the device but draws on the ink, which must
    // outlive the surface; the device is never painted.
    PainterSurface(QPagedPaintDevice& device, PageInk& ink);
    ~PainterSurface() override;

    double averageCharWidth() override;
    double lineHeight() override;
    double textWidth(std::string_view text) override;

    // Pages actually sent to the device.
    int pagesSent() const { return pagesSent_; }
    // Texts drawn on the device (each the pieces of a line in one font).
    int textsDrawn() const { return textsDrawn_; }

protected:
    void fontChanged(const PrintFont& font) override;
    void drawText(double x, double y, std::string_view text) override;
    void drawRule(double x, double y, double length) override;
    void startNewPage() override;
    void finishDocument() override;
    double pageHeight() override;

public:
    // One font of the pages at one resolution, with everything measured or
    // shaped in it.
    struct Face {
        PrintFont key;
        double dpiX = 0;
        double dpiY = 0;
        QFont font;
        std::unique_ptr<QFontMetricsF> metrics;
        double averageWidth = 0; // inches
        double lineHeight = 0;   // inches
        double ascent = 0;       // device pixels
        // Looked up by the text of a piece without making a string of it.
        struct Hash {
            using is_transparent = void;
            size_t operator()(std::string_view text) const {
                return std::hash<std::string_view>()(text);
            }
        };
        std::unordered_map<std::string, double, Hash, std::equal_to<>> widths;
        std::unordered_map<std::string, QList<QGlyphRun>, Hash, std::equal_to<>> shaped;
    };

private:
    // The text waiting to be drawn: the pieces of one line in one font.
    struct Piece {
        double x;
        std::string text;
    };
    struct Run {
        Face* face = nullptr;
        double y = 0;
        double endX = 0;
        std::vector<Piece> pieces;
    };

    Face& faceFor(const PrintFont& font);
    const QList<QGlyphRun>& shapedText(Face& face, const std::string& text);
    void flushRun();
    void beforeDrawing();
    double toDeviceX(double x) const;

    void setUp();

    QPagedPaintDevice& device_;
    std::unique_ptr<PainterInk> ownInk_;
    PageInk* ink_ = nullptr;
    Face* face_ = nullptr;
    Run run_;
    double dpiX_ = 72;
    double dpiY_ = 72;
    double pageHeight_ = 0;
    bool pageHasInk_ = false;
    bool pendingNewPage_ = false;
    int pagesSent_ = 0;
    int textsDrawn_ = 0;
};

} // namespace tallyro
