#pragma once

#include "core/print/printsurface.h"

#include <string>
#include <vector>

namespace tallyro {

// A print surface that remembers every operation and every piece of text with
// its page and position, for checking compositions without a printer. It
// measures like the text surface: one unit per character and per line, and
// its pages have no bottom unless given a number of lines.
class RecordingSurface : public PrintSurface {
public:
    explicit RecordingSurface(int linesPerPage = 0) : linesPerPage_(linesPerPage) {}

    struct Placed {
        int page;
        double x;
        double y;
        std::string text;
        PrintFont font;
    };

    double averageCharWidth() override { return 1; }
    double lineHeight() override { return 1; }
    double textWidth(std::string_view text) override;

    // Every operation in order: "FontBold on", "Print Tab(38); \"Lincoln\"", ...
    std::vector<std::string> operations;
    // Every text drawn, in order.
    std::vector<Placed> placed;
    int rules = 0;
    int newPages = 0;
    int endDocs = 0;

    // The first drawn text that contains the given text, or nullptr.
    const Placed* find(std::string_view text) const;
    // How many operations equal the given one.
    int count(std::string_view operation) const;

protected:
    void drawText(double x, double y, std::string_view text) override;
    void drawRule(double, double, double) override { ++rules; }
    void startNewPage() override { ++newPages; }
    void finishDocument() override { ++endDocs; }
    bool wantsTrace() const override { return true; }
    void trace(const std::string& operation) override { operations.push_back(operation); }
    double pageHeight() override { return linesPerPage_; }

private:
    int linesPerPage_;
};

} // namespace tallyro
