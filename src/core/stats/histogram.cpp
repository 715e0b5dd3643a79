#include "core/stats/histogram.h"

#include <algorithm>
#include <cmath>

namespace tallyro {

std::string HistogramBand::label() const {
    int from = static_cast<int>(low);
    if (from >= 100)
        return std::to_string(from) + "+";
    return std::to_string(from) + "-" + std::to_string(from + 9);
}

std::array<HistogramBand, kHistogramBands> histogramBands(const std::vector<double>& values,
                                                          double failLimit) {
    std::array<HistogramBand, kHistogramBands> bands;
    for (int b = 0; b < kHistogramBands; ++b) {
        bands[b].low = b * 10.0;
        // The last band reaches any height, so it fails only below no limit.
        bands[b].wholeBandFails = b < kHistogramBands - 1 && bands[b].low + 10 <= failLimit;
    }
    for (double value : values) {
        double band = std::floor(value / 10);
        int b = std::isnan(band) ? 0 : static_cast<int>(std::clamp(band, 0.0, 10.0));
        ++bands[b].count;
        if (value < failLimit)
            ++bands[b].failing;
    }
    return bands;
}

} // namespace tallyro
