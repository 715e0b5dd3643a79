#include "core/print/textsurface.h"

#include "core/print/utf8text.h"

#include <cmath>

namespace tallyro {

double TextSurface::textWidth(std::string_view text) {
    return characterCount(text);
}

double TextSurface::pageHeight() {
    return printableHeight_ > 0 ? linesPerSheet(font().size, printableHeight_) : 0;
}

void TextSurface::drawText(double x, double y, std::string_view text) {
    // Positions are whole columns and rows; a negative row (a position set
    // above the page top) lands on the first row.
    auto column = static_cast<size_t>(std::max(0L, std::lround(x)));
    auto row = static_cast<size_t>(std::max(0L, std::lround(y)));
    Page& page = pages_.back();
    if (page.size() <= row)
        page.resize(row + 1);
    std::u32string& line = page[row];
    std::u32string characters = toCharacters(text);
    if (line.size() < column + characters.size())
        line.resize(column + characters.size(), U' ');
    line.replace(column, characters.size(), characters);
}

std::string TextSurface::text() const {
    std::vector<std::string> rendered;
    for (const Page& page : pages_) {
        std::vector<std::string> rows;
        for (std::u32string row : page) {
            while (!row.empty() && row.back() == U' ')
                row.pop_back();
            rows.push_back(fromCharacters(row));
        }
        while (!rows.empty() && rows.back().empty())
            rows.pop_back();
        std::string body;
        for (const std::string& row : rows)
            body += row + "\n";
        rendered.push_back(body);
    }
    while (rendered.size() > 1 && rendered.back().empty())
        rendered.pop_back();
    std::string result;
    for (size_t i = 0; i < rendered.size(); ++i) {
        if (i > 0)
            result += "\f\n";
        result += rendered[i];
    }
    return result;
}

} // namespace tallyro
