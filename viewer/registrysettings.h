#pragma once

#include <QString>

#include <stdexcept>

namespace ostrel {

// The viewer's settings: integers stored as decimal text under per-user keys.
// On Windows the store is the registry under HKEY_CURRENT_USER; elsewhere an
// INI file of the user's configuration (organisation "Brimwold", application
// "Torvex") holding the same key paths, value names and texts.

// One stored value: where it lives and what it reads when it is absent.
struct SettingsValue {
    const char *Key;     // below HKEY_CURRENT_USER
    const char *SubKey;  // below Key, or empty
    QString Name;
    int DefaultValue;
};

// A stored value that is not text. what() is the user's message, in UTF-8.
class SettingsTypeError : public std::runtime_error {
public:
    explicit SettingsTypeError(const QString &valueName);
};

namespace RegistrySettings {

// The value, or its default when the key, the sub-key or the value is missing
// or its text is not a whole number. Throws SettingsTypeError when the stored
// value is not text.
int Read(const SettingsValue &value);
// Stores the decimal text of number, creating the key and sub-key as needed.
// False when the store could not be written.
bool Write(const SettingsValue &value, int number);

} // namespace RegistrySettings

// The values the viewer keeps.
namespace ViewerSettings {

inline const char ProductKey[] = "Software\\Brimwold\\Torvex";
inline const char ViewerKey[] = "Software\\Brimwold\\Torvex\\DLL\\OstrelScriptViewer";
inline const char WindowSubKey[] = "Window";
inline const char WindowPrefix[] = "OstrelView";

inline SettingsValue Placement(const QString &prefix, const char *suffix)
{
    return {ProductKey, WindowSubKey, prefix + QLatin1String(suffix), -1};
}
// Beside the placement: 1 when the window was closed maximised, else 0. The
// four placement values hold its normal bounds all the same.
inline SettingsValue Maximized(const QString &prefix)
{
    return {ProductKey, WindowSubKey, prefix + QLatin1String("Maximized"), 0};
}
inline const SettingsValue MapHeight{ViewerKey, "", QStringLiteral("MapHeight"), 304};
inline const SettingsValue ListWidth{ViewerKey, "", QStringLiteral("ListWidth"), 150};
// The map's zoom in percent; 0 fits the whole arena into the pane.
inline const SettingsValue MapZoom{ViewerKey, "", QStringLiteral("MapZoom"), 100};
// The overview strip under the toolbar: 1 shown, 0 hidden.
inline const SettingsValue OverviewStripShown{ViewerKey, "", QStringLiteral("OverviewStrip"), 0};

} // namespace ViewerSettings

} // namespace ostrel
