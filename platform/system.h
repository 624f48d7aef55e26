#pragma once
#include <QString>
#include <QStringList>

namespace plat {

class System {
public:
    virtual ~System() = default;
    // The 32-bit volume serial standing for the terminal; ok = false when it cannot be read.
    virtual quint32 volume_serial(bool* ok) = 0;
    // A new GUID in its braced 38-character form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
    virtual QString new_guid() = 0;
    virtual QString desktop_folder() = 0;
    virtual QString program_folder() = 0;
    // Creates (replacing) a desktop shortcut named name at folder that starts target.
    virtual bool make_shortcut(const QString& folder, const QString& name, const QString& target) = 0;
    virtual bool file_exists(const QString& path) = 0;
    virtual bool remove_file(const QString& path) = 0;
    // Renames from over to, replacing to atomically.
    virtual bool rename_file(const QString& from, const QString& to) = 0;
    virtual bool start_program(const QString& path, const QStringList& args = {}) = 0;
    // Ends the program at once (settings are synced first by the caller). The test double
    // only records the call and returns: callers return straight after it.
    virtual void end_program(int code) = 0;
    // Starts a new copy of this program, then ends this one at once.
    virtual void restart_program() = 0;
};

} // namespace plat
