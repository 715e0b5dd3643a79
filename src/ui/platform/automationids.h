#pragma once

class QApplication;

namespace tallyro {

// For testing tools that find controls by their accessible description: when
// the environment variable TALLYRO_AUTOMATION_IDS is set, every widget, now and
// later, describes itself with its objectName. Without the variable nothing
// changes. Returns whether the descriptions were switched on.
bool installAutomationIds(QApplication& app);

} // namespace tallyro
