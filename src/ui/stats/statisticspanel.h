#pragma once

#include "core/app/appstate.h"
#include "ui/platform/platform.h"

#include <QString>

class QWidget;

namespace tallyro {

// What the main window asks of the statistics window. The window and its
// charts live in a module of their own (Qt Charts and the OpenGL libraries
// behind it are a good part of what a start-up would otherwise load), read on
// the first request for statistics.
class StatisticsPanel {
public:
    virtual ~StatisticsPanel() = default;
    // The window itself; deleting it ends the panel.
    virtual QWidget* widget() = 0;
    virtual void refresh() = 0;
    virtual void setSelectedStudent(int student) = 0;
};

using StatisticsFactory = StatisticsPanel* (*)(const AppState& state, Platform& platform);

// A new statistics window, from the module; nothing when the module cannot
// be read, with the reason in problem.
StatisticsPanel* createStatisticsPanel(const AppState& state, Platform& platform, QString& problem);

// A program that links the window in (the tests, the screenshot tool) uses it
// instead of the module.
void useLinkedStatistics(StatisticsFactory factory);

} // namespace tallyro
