#include "core/print/sheet.h"

#include <algorithm>
#include <cmath>

namespace tallyro {

double timesLineHeight(double points) {
    return points / 72.0 * kTimesLineHeightEm;
}

int linesPerSheet(double points, double printableHeight) {
    double height = timesLineHeight(points > 0 ? points : 10);
    // The same allowance as the surface's own test for a full page, so that
    // a text rendering breaks where the printed sheet does.
    return std::max(1, static_cast<int>(std::floor(printableHeight / height + 1e-9)));
}

} // namespace tallyro
