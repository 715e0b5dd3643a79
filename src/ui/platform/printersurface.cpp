#include "ui/platform/printersurface.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPen>

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
    for (const char* family : {"times new roman", "Times New Roman"})
        QFont::insertSubstitutions(
            QString::fromLatin1(family),
            {QStringLiteral("Liberation Serif"), QStringLiteral("Times"), QStringLiteral("serif")});
}

PainterSurface::PainterSurface(QPagedPaintDevice& device) : device_(device) {
    installPrintFontSubstitutes();
    if (!painter_.begin(&device_))
        throw PrintError("The printer or the output file could not be opened.");
    dpiX_ = device_.logicalDpiX();
    dpiY_ = device_.logicalDpiY();
    pageHeight_ = device_.height() / dpiY_;
    fontChanged(font());
}

PainterSurface::~PainterSurface() {
    if (painter_.isActive())
        painter_.end();
}

void PainterSurface::fontChanged(const PrintFont& font) {
    font_ = QFont(QString::fromStdString(font.name));
    font_.setPointSizeF(font.size > 0 ? font.size : 10);
    font_.setBold(font.bold);
    font_.setUnderline(font.underline);
    font_.setKerning(false);
    painter_.setFont(font_);
    metrics_ = std::make_unique<QFontMetricsF>(font_, &device_);
    averageWidth_ = 0;
}

double PainterSurface::averageCharWidth() {
    // The average width of text as a Windows printer measured it: lower-case
    // letters and the blank weighted by how often they occur in English.
    // Newer fonts report the plain average of all their glyphs instead, which
    // is far wider and would push the right-hand columns off the page.
    if (averageWidth_ <= 0) {
        static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                        56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
        double sum = 0;
        for (int i = 0; i < 27; ++i)
            sum += weights[i] * metrics_->horizontalAdvance(i < 26 ? QChar('a' + i) : QChar(' '));
        averageWidth_ = sum / 1000.0 / dpiX_;
    }
    return averageWidth_;
}

double PainterSurface::lineHeight() {
    return metrics_->lineSpacing() / dpiY_;
}

double PainterSurface::textWidth(std::string_view text) {
    QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return metrics_->horizontalAdvance(qtext) / dpiX_;
}

double PainterSurface::toDeviceX(double x) const {
    return (x - scaleLeft()) * dpiX_;
}

void PainterSurface::beforeDrawing() {
    if (pendingNewPage_) {
        if (!device_.newPage())
            throw PrintError("The printer did not accept a new page.");
        pendingNewPage_ = false;
        pageHasInk_ = false;
    }
    if (!pageHasInk_) {
        pageHasInk_ = true;
        ++pagesSent_;
    }
}

void PainterSurface::drawText(double x, double y, std::string_view text) {
    beforeDrawing();
    QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    painter_.drawText(QPointF(toDeviceX(x), y * dpiY_ + metrics_->ascent()), qtext);
}

void PainterSurface::drawRule(double x, double y, double length) {
    beforeDrawing();
    painter_.save();
    painter_.setPen(QPen(Qt::black, dpiX_ / 96.0));
    painter_.drawLine(QPointF(toDeviceX(x), y * dpiY_), QPointF(toDeviceX(x + length), y * dpiY_));
    painter_.restore();
}

void PainterSurface::startNewPage() {
    // The new sheet is started when something is drawn on it, so a page
    // break at the very end of a document sends no blank sheet.
    if (pageHasInk_)
        pendingNewPage_ = true;
}

void PainterSurface::finishDocument() {
    if (painter_.isActive() && !painter_.end())
        throw PrintError("The printer did not accept the document.");
}

double PainterSurface::pageHeight() {
    return device_.height() / dpiY_;
}

} // namespace tallyro
