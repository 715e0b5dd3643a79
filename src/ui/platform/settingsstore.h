#pragma once

#include <QString>

namespace tallyro {

// The per-user settings: application key "Tlyro", section "User", text values.
// A value never written reads as the default given.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& key, const QString& defaultValue = QString()) = 0;
    virtual void write(const QString& key, const QString& value) = 0;
};

} // namespace tallyro
