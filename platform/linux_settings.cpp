// Per-user settings: one INI file per application in the XDG config folder, one group
// per section.
#include "platform/linux.h"

#include <QSettings>
#include <QStringList>
#include <map>

namespace plat {
namespace {

class LinuxSettings : public Settings {
public:
    QString get(const QString& app, const QString& section, const QString& key,
                const QString& def) override
    {
        QSettings& s = file(app);
        const QString name = section + "/" + key;
        if (!s.contains(name))
            return def;
        const QVariant v = s.value(name);
        // An unquoted value holding commas (a hand-edited file) is read as a list.
        if (v.typeId() == QMetaType::QStringList)
            return v.toStringList().join(',');
        return v.toString();
    }

    void save(const QString& app, const QString& section, const QString& key,
              const QString& value) override
    {
        QSettings& s = file(app);
        const QString name = section + "/" + key;
        // A value saved as it is stored already is not written again: the program saves
        // some at every start, and each write rewrites and flushes the whole file.
        const QVariant stored = s.value(name);
        if (stored.typeId() == QMetaType::QString && stored.toString() == value)
            return;
        s.setValue(name, value);
    }

    void sync() override
    {
        for (auto& [app, s] : files_)
            s->sync();
    }

private:
    QSettings& file(const QString& app)
    {
        auto it = files_.find(app);
        if (it == files_.end())
            it = files_.emplace(app, std::make_unique<QSettings>(QSettings::IniFormat,
                                                                  QSettings::UserScope, app))
                     .first;
        return *it->second;
    }

    std::map<QString, std::unique_ptr<QSettings>> files_;
};

} // namespace

std::unique_ptr<Settings> make_settings() { return std::make_unique<LinuxSettings>(); }

} // namespace plat
