#pragma once

#include "core/classfile/value.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tallyro {

// A failure of the printing back end; its text follows "Unable to PRINT this
// file. " in the message the teacher sees.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The current font of a print surface.
struct PrintFont {
    std::string name = "times new roman";
    double size = 10;
    bool bold = false;
    bool underline = false;

    friend bool operator==(const PrintFont&, const PrintFont&) = default;
};

// One item of a print line: a text printed unchanged, a number printed with a
// leading blank (or minus sign) and a trailing blank, or a column tab.
class PrintItem {
public:
    struct Tab {
        int column;
    };

    PrintItem(std::string text) : item_(std::move(text)) {}
    PrintItem(const char* text) : item_(std::string(text)) {}
    PrintItem(double number) : item_(number) {}
    PrintItem(int number) : item_(static_cast<double>(number)) {}
    PrintItem(Tab tab) : item_(tab) {}
    // A cell of the class record: a number prints as a number, anything else
    // as its text (empty prints nothing).
    static PrintItem of(const Value& value);

    bool isTab() const { return std::holds_alternative<Tab>(item_); }
    int tabColumn() const { return std::get<Tab>(item_).column; }
    // The characters the item puts on the page (empty for a tab).
    std::string text() const;
    // How a recording shows the item: Tab(n), "text" or the number.
    std::string describe() const;

private:
    std::variant<std::string, double, Tab> item_;
};

// Column tab to n, counted from 1 at the left margin.
inline PrintItem::Tab tab(int column) {
    return PrintItem::Tab{column};
}

// The printed text of a number item: " 87 ", "-3 ", " 86.5 ".
std::string numberItemText(double number);

// The printer driven as a text cursor: coordinates from the left margin and
// the top of the page, a current font, column tabs in units of the font's
// average character width, lines one line height of the current font apart.
// The layout rules live here; a back end only measures and draws.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Units of the scale; inches for a printer. Kept for the record only: the
    // back end decides its own unit.
    void setScaleMode(int mode);
    // The horizontal coordinate of the printable area's left edge; -0.75 puts
    // coordinate 0 (every line's start) 0.75 inch to its right.
    void setScaleLeft(double left);
    double scaleLeft() const { return scaleLeft_; }

    void setFontName(const std::string& name);
    void setFontSize(double size);
    void setFontBold(bool bold);
    void setFontUnderline(bool underline);
    const PrintFont& font() const { return font_; }

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentY(double y);

    // Prints the items one after another, then moves to the start of the next
    // line unless leaveOpen is set, when the next line continues here.
    void print(std::initializer_list<PrintItem> items, bool leaveOpen = false);
    void print(const std::vector<PrintItem>& items, bool leaveOpen = false);
    // A print line with no items: only moves to the next line.
    void printEmptyLine() { print({}); }
    void printOpen(std::initializer_list<PrintItem> items) { print(items, true); }

    // A horizontal rule from the current position, length units to the right
    // (6.5 inch on a printer); the position moves to its end.
    void rule(double length);

    void newPage();
    int page() const { return page_; }
    void endDoc();

    // How many lines of the current font a page holds, and how many more fit
    // below the current position (none or fewer when it is past the bottom),
    // so that a composition can keep a block of lines on one sheet. Both are
    // kUnlimitedLines where pages have no bottom.
    static constexpr int kUnlimitedLines = 1 << 20;
    int linesPerPage();
    int linesLeftOnPage();

    // The back end's measures, in its own unit.
    virtual double averageCharWidth() = 0;
    virtual double lineHeight() = 0;
    virtual double textWidth(std::string_view text) = 0;

protected:
    // What a back end draws. Coordinates are surface coordinates: x from the
    // margin (add -scaleLeft() for the printable edge), y from the page top.
    virtual void fontChanged(const PrintFont& /*font*/) {}
    virtual void drawText(double x, double y, std::string_view text) = 0;
    virtual void drawRule(double /*x*/, double /*y*/, double /*length*/) {}
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;
    // The height of a page; a line that would not fit starts a new page so
    // nothing is printed past the bottom. Unlimited by default.
    virtual double pageHeight() { return 0; }
    // Every operation in words, for recordings; the words are only made up
    // for a surface that wants them.
    virtual bool wantsTrace() const { return false; }
    virtual void trace(const std::string& /*operation*/) {}

private:
    void printItem(const PrintItem& item);
    void nextLine();
    void fitLine();

    int scaleMode_ = 5;
    double scaleLeft_ = 0;
    PrintFont font_;
    double x_ = 0;
    double y_ = 0;
    int page_ = 1;
    bool ended_ = false;
};

// The printed lists and report cards start every page alike: "times new
// roman" at the given size, bold switched on and off again so that the
// surface's font is plain whatever it was.
void setPrintedFont(PrintSurface& surface, double size);

} // namespace tallyro
