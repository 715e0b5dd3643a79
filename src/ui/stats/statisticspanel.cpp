#include "ui/stats/statisticspanel.h"

#include "ui/platform/ondemandmodule.h"

namespace tallyro {

namespace {

StatisticsFactory linkedFactory = nullptr;

} // namespace

void useLinkedStatistics(StatisticsFactory factory) {
    linkedFactory = factory;
}

StatisticsPanel* createStatisticsPanel(const AppState& state, Platform& platform,
                                       QString& problem) {
    if (linkedFactory)
        return linkedFactory(state, platform);
    auto factory = reinterpret_cast<StatisticsFactory>(
        onDemandSymbol(QStringLiteral("charts"), "tallyro_create_statistics", problem));
    return factory ? factory(state, platform) : nullptr;
}

} // namespace tallyro
