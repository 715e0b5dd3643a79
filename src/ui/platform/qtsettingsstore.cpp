#include "ui/platform/qtsettingsstore.h"

namespace tallyro {

namespace {
const QString kApplicationKey = QStringLiteral("Tlyro");
const QString kSection = QStringLiteral("User");
} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::UserScope, kApplicationKey)) {}

QtSettingsStore::QtSettingsStore(const QString& fileName, QSettings::Format format)
    : settings_(std::make_unique<QSettings>(fileName, format)) {}

QString QtSettingsStore::read(const QString& key, const QString& defaultValue) {
    settings_->beginGroup(kSection);
    const QVariant value = settings_->value(key);
    settings_->endGroup();
    if (!value.isValid())
        return defaultValue;
    // A hand-edited INI line with commas reads as a list; it is still one text.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void QtSettingsStore::write(const QString& key, const QString& value) {
    settings_->beginGroup(kSection);
    settings_->setValue(key, value);
    settings_->endGroup();
    // The values are written once, at shut-down: put them on disk at once.
    settings_->sync();
}

QString QtSettingsStore::location() const {
    return settings_->fileName();
}

} // namespace tallyro
