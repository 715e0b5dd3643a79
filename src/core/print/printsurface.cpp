#include "core/print/printsurface.h"

#include <algorithm>
#include <cmath>

namespace tallyro {

std::string numberItemText(double number) {
    // The old BASIC Print: room for the sign in front, one blank behind.
    std::string text = formatNumber(std::fabs(number));
    return (number < 0 ? "-" : " ") + text + " ";
}

PrintItem PrintItem::of(const Value& value) {
    if (value.isNumber())
        return PrintItem(value.toNumber());
    return PrintItem(value.toText());
}

std::string PrintItem::text() const {
    if (auto text = std::get_if<std::string>(&item_))
        return *text;
    if (auto number = std::get_if<double>(&item_))
        return numberItemText(*number);
    return {};
}

std::string PrintItem::describe() const {
    if (auto text = std::get_if<std::string>(&item_))
        return "\"" + *text + "\"";
    if (auto number = std::get_if<double>(&item_))
        return formatNumber(*number);
    return "Tab(" + std::to_string(std::get<Tab>(item_).column) + ")";
}

void PrintSurface::setScaleMode(int mode) {
    scaleMode_ = mode;
    trace("ScaleMode " + std::to_string(mode));
}

void PrintSurface::setScaleLeft(double left) {
    scaleLeft_ = left;
    trace("ScaleLeft " + formatNumber(left));
}

void PrintSurface::setFontName(const std::string& name) {
    font_.name = name;
    trace("FontName " + name);
    fontChanged(font_);
}

void PrintSurface::setFontSize(double size) {
    font_.size = size;
    trace("FontSize " + formatNumber(size));
    fontChanged(font_);
}

void PrintSurface::setFontBold(bool bold) {
    font_.bold = bold;
    trace(bold ? "FontBold on" : "FontBold off");
    fontChanged(font_);
}

void PrintSurface::setFontUnderline(bool underline) {
    font_.underline = underline;
    trace(underline ? "FontUnderline on" : "FontUnderline off");
    fontChanged(font_);
}

void PrintSurface::setCurrentY(double y) {
    y_ = y;
    trace("CurrentY " + formatNumber(y));
}

void PrintSurface::print(std::initializer_list<PrintItem> items, bool leaveOpen) {
    print(std::vector<PrintItem>(items), leaveOpen);
}

void PrintSurface::print(const std::vector<PrintItem>& items, bool leaveOpen) {
    if (ended_)
        throw PrintError("The document has already been ended.");
    if (wantsTrace()) {
        std::string operation = "Print";
        for (size_t i = 0; i < items.size(); ++i)
            operation += (i == 0 ? " " : "; ") + items[i].describe();
        if (leaveOpen)
            operation += ";";
        trace(operation);
    }
    for (const PrintItem& item : items)
        printItem(item);
    if (!leaveOpen)
        nextLine();
}

void PrintSurface::printItem(const PrintItem& item) {
    if (item.isTab()) {
        double target = (std::max(item.tabColumn(), 1) - 1) * averageCharWidth();
        // A small allowance so that rounding in the measures never pushes a
        // tab that lands exactly on its column onto the next line.
        if (x_ > target + 1e-9)
            y_ += lineHeight();
        x_ = target;
        return;
    }
    std::string text = item.text();
    if (text.empty())
        return;
    fitLine();
    drawText(x_, y_, text);
    x_ += textWidth(text);
}

void PrintSurface::nextLine() {
    x_ = 0;
    y_ += lineHeight();
}

int PrintSurface::linesPerPage() {
    double height = pageHeight();
    if (height <= 0)
        return kUnlimitedLines;
    return std::max(1, static_cast<int>(std::floor(height / lineHeight() + 1e-9)));
}

int PrintSurface::linesLeftOnPage() {
    double height = pageHeight();
    if (height <= 0)
        return kUnlimitedLines;
    // The allowance keeps a line that ends exactly on the bottom edge on the
    // page despite the rounding of the measures added up to reach it.
    return static_cast<int>(std::floor((height - y_) / lineHeight() + 1e-9));
}

void PrintSurface::fitLine() {
    // A line at the very top prints even when the page is lower than a line.
    if (y_ > 0 && linesLeftOnPage() < 1) {
        trace("NewPage (page full)");
        startNewPage();
        ++page_;
        y_ = 0;
    }
}

void PrintSurface::rule(double length) {
    trace("Line " + formatNumber(length));
    drawRule(x_, y_, length);
    x_ += length;
}

void PrintSurface::newPage() {
    trace("NewPage");
    startNewPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void PrintSurface::endDoc() {
    trace("EndDoc");
    if (ended_)
        return;
    ended_ = true;
    finishDocument();
}

void setPrintedFont(PrintSurface& surface, double size) {
    surface.setFontName("times new roman");
    surface.setFontSize(size);
    surface.setFontBold(true);
    surface.setFontBold(false);
}

} // namespace tallyro
