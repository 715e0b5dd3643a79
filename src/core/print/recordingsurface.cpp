#include "core/print/recordingsurface.h"

#include "core/print/utf8text.h"

#include <algorithm>

namespace tallyro {

double RecordingSurface::textWidth(std::string_view text) {
    return characterCount(text);
}

void RecordingSurface::drawText(double x, double y, std::string_view text) {
    placed.push_back(Placed{page(), x, y, std::string(text), font()});
}

const RecordingSurface::Placed* RecordingSurface::find(std::string_view text) const {
    for (const Placed& item : placed)
        if (item.text.find(text) != std::string::npos)
            return &item;
    return nullptr;
}

int RecordingSurface::count(std::string_view operation) const {
    return static_cast<int>(std::count(operations.begin(), operations.end(), operation));
}

} // namespace tallyro
