// Compiled into every program that links the statistics window in (the
// tests, the screenshot tool): it is used in place of the charts module.
#include "ui/stats/statisticswindow.h"

namespace {

const bool linked = [] {
    tallyro::useLinkedStatistics(&tallyro::createStatisticsWindow);
    return true;
}();

} // namespace
