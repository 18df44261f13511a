#include "registrysettings.h"

#include <QSettings>

#include <memory>

namespace ostrel {

namespace {

// The store opened at key; on the INI store the key path is a group path.
std::unique_ptr<QSettings> OpenKey(const char *key)
{
#ifdef _WIN32
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + QLatin1String(key), QSettings::NativeFormat);
#else
    auto settings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QStringLiteral("Brimwold"), QStringLiteral("Torvex"));
    settings->beginGroup(QString::fromLatin1(key).replace(QLatin1Char('\\'), QLatin1Char('/')));
    return settings;
#endif
}

} // namespace

SettingsTypeError::SettingsTypeError(const QString &valueName)
    : std::runtime_error(QStringLiteral("'%1' のデータ型が不正です").arg(valueName).toStdString())
{
}

namespace RegistrySettings {

int Read(const SettingsValue &value)
{
    const std::unique_ptr<QSettings> settings = OpenKey(value.Key);
    if (*value.SubKey) {
        if (!settings->childGroups().contains(QLatin1String(value.SubKey)))
            return value.DefaultValue;
        settings->beginGroup(QLatin1String(value.SubKey));
    }
    if (!settings->contains(value.Name))
        return value.DefaultValue;
    const QVariant stored = settings->value(value.Name);
    if (stored.typeId() != QMetaType::QString)
        throw SettingsTypeError(value.Name);
    bool whole = false;
    const int number = stored.toString().toInt(&whole);
    return whole ? number : value.DefaultValue;
}

bool Write(const SettingsValue &value, int number)
{
    const std::unique_ptr<QSettings> settings = OpenKey(value.Key);
    if (*value.SubKey)
        settings->beginGroup(QLatin1String(value.SubKey));
    settings->setValue(value.Name, QString::number(number));
    settings->sync();
    return settings->status() == QSettings::NoError && settings->isWritable();
}

} // namespace RegistrySettings

} // namespace ostrel
