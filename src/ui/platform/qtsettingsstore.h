#pragma once

#include "ui/platform/settingsstore.h"

#include <QSettings>

#include <memory>

namespace tallyro {

// The per-user settings kept with QSettings under the application key "Tlyro",
// section "User".
class QtSettingsStore : public SettingsStore {
public:
    // The teacher's own settings, where the desktop keeps per-user settings.
    QtSettingsStore();
    // Settings kept in the given file (a test's temporary INI file).
    QtSettingsStore(const QString& fileName, QSettings::Format format);

    QString read(const QString& key, const QString& defaultValue = QString()) override;
    void write(const QString& key, const QString& value) override;

    // Where the values are kept.
    QString location() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace tallyro
