// The entry of the charts module (tallyro-charts.so): the statistics window
// with its Qt Charts, read by the program on the first request for
// statistics.
#include "ui/stats/statisticswindow.h"

extern "C" __attribute__((visibility("default"))) tallyro::StatisticsPanel*
tallyro_create_statistics(const tallyro::AppState& state, tallyro::Platform& platform) {
    return tallyro::createStatisticsWindow(state, platform);
}
