#pragma once

#include "core/print/displaylines.h"
#include "core/print/printsurface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointer>

#include <memory>

class QPagedPaintDevice;

namespace tallyro {

// The wrapping of a multi-line box drawn in the given font whose text area
// is widthPixels wide: what the windows pass to displayLines so that printed
// plans and comments break where the box on screen breaks them.
TextBoxLayout textBoxLayoutFor(const QFont& font, double widthPixels);

// Makes "times new roman", the face every printed page asks for, resolve to a
// face with the same measures where Times New Roman is not installed.
void installPrintFontSubstitutes();

// The print surface drawn with a QPainter on a printer or a PDF writer, in
// inches from the printable area's top left corner. A page that would run
// past the bottom continues on a new page; a page on which nothing was drawn
// is never sent.
class PainterSurface : public PrintSurface {
public:
    // The device must outlive the surface; painting starts at once, so a
    // device that cannot be opened throws PrintError here.
    explicit PainterSurface(QPagedPaintDevice& device);
    ~PainterSurface() override;

    double averageCharWidth() override;
    double lineHeight() override;
    double textWidth(std::string_view text) override;

    // Pages actually sent to the device.
    int pagesSent() const { return pagesSent_; }

protected:
    void fontChanged(const PrintFont& font) override;
    void drawText(double x, double y, std::string_view text) override;
    void drawRule(double x, double y, double length) override;
    void startNewPage() override;
    void finishDocument() override;
    double pageHeight() override;

private:
    void beforeDrawing();
    double toDeviceX(double x) const;

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    // Measures of the current font, taken once per font change.
    std::unique_ptr<QFontMetricsF> metrics_;
    double averageWidth_ = 0;
    double dpiX_ = 72;
    double dpiY_ = 72;
    double pageHeight_ = 0;
    bool pageHasInk_ = false;
    bool pendingNewPage_ = false;
    int pagesSent_ = 0;
};

} // namespace tallyro
