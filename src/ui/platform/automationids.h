#pragma once

class QApplication;
class QString;
class QWidget;

namespace tallyro {

// For testing tools that find controls by their accessible description: when
// the environment variable TALLYRO_AUTOMATION_IDS is set, every widget, now and
// later, describes itself with its objectName. Tooltips stay as they are, and
// so do accessible names, which are what a screen reader speaks first. Without
// the variable nothing changes. Returns whether the descriptions were switched
// on.
bool installAutomationIds(QApplication& app);

// Whether the descriptions belong to the testing tools in this run.
bool automationIdsInstalled();

// Gives a control the description a screen reader speaks after its name (the
// student now on show, the grade being asked for), announcing the change;
// while the testing tools own the descriptions, their ids are left in place.
void setSpokenDescription(QWidget* widget, const QString& text);

// Gives a control the name a screen reader speaks for it ("Grand Average 85")
// and announces the change, so that a value label is heard when it changes.
void setSpokenName(QWidget* widget, const QString& text);

} // namespace tallyro
