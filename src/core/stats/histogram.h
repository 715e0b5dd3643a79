#pragma once

#include <array>
#include <string>
#include <vector>

namespace tallyro {

// HistogramBand: how many values fall in one band of ten points, and how
// many of them are below the failing limit.

inline constexpr int kHistogramBands = 11; // 0-9, 10-19, ..., 90-99, 100 and more

struct HistogramBand {
    double low = 0; // the band holds low <= value < low + 10; the last has no top
    int count = 0;
    int failing = 0;             // of count, the values below the failing limit
    bool wholeBandFails = false; // every value the band can hold is below the limit

    // "0-9", ..., "90-99", "100+".
    std::string label() const;
};

// Counts the values into the eleven bands. A value below 0 (a negative
// grade) joins the first band, so every value is counted once.
std::array<HistogramBand, kHistogramBands> histogramBands(const std::vector<double>& values,
                                                          double failLimit);

} // namespace tallyro
