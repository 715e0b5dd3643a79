#pragma once

#include "core/print/printsurface.h"
#include "core/print/sheet.h"

#include <string>
#include <vector>

namespace tallyro {

// Pages as rows of characters: one column per character, one row per printed
// line whatever the font. Printing over a row again replaces only the
// characters printed; rules, fonts, bold and underline leave no mark. A page
// holds as many rows as lines of the current font fit the printable height
// (the planned sheet unless told otherwise; 0 for pages without a bottom), so
// the rows break into pages where the printed sheets do.
class TextSurface : public PrintSurface {
public:
    explicit TextSurface(double printableHeight = kPrintableHeight)
        : printableHeight_(printableHeight) {}

    double averageCharWidth() override { return 1; }
    double lineHeight() override { return 1; }
    double textWidth(std::string_view text) override;

    // The document so far: each page's rows without trailing blanks and
    // without trailing empty rows, pages separated by a row holding only a
    // form feed. A last page with nothing on it is left out.
    std::string text() const;
    int pageCount() const { return static_cast<int>(pages_.size()); }
    bool ended() const { return ended_; }

protected:
    void drawText(double x, double y, std::string_view text) override;
    void startNewPage() override { pages_.emplace_back(); }
    void finishDocument() override { ended_ = true; }
    double pageHeight() override;

private:
    double printableHeight_;
    using Page = std::vector<std::u32string>;
    std::vector<Page> pages_{Page()};
    bool ended_ = false;
};

} // namespace tallyro
