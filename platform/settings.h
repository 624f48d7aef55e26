#pragma once
#include <QString>

namespace plat {

// Per-user string settings by application, section and key.
class Settings {
public:
    virtual ~Settings() = default;
    // The saved value, or def when the key is absent.
    virtual QString get(const QString& app, const QString& section, const QString& key,
                        const QString& def = QString()) = 0;
    virtual void save(const QString& app, const QString& section, const QString& key,
                      const QString& value) = 0;
    // Writes everything saved so far to storage (before the program ends at once).
    virtual void sync() = 0;
};

} // namespace plat
