// Files, identity and programs over POSIX and Qt.
#include "platform/linux.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <cstdio>
#include <sys/statvfs.h>
#include <unistd.h>

namespace plat {
namespace {

// A value of a desktop entry key: backslashes and control characters escaped.
QString entry_value(const QString& s)
{
    QString out;
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

// The program path as one quoted argument of an Exec line: inside the quotes ", `, $ and
// \ take a backslash, and % is doubled (it starts a field code).
QString exec_argument(const QString& path)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        if (c == '%')
            out += '%';
        out += c;
    }
    return out + '"';
}

class LinuxSystem : public System {
public:
    quint32 volume_serial(bool* ok) override
    {
        struct statvfs st {};
        const bool read = ::statvfs("/", &st) == 0;
        if (ok)
            *ok = read;
        return read ? quint32(st.f_fsid & 0xffffffffu) : 0;
    }

    QString new_guid() override { return QUuid::createUuid().toString(QUuid::WithBraces).toUpper(); }

    QString desktop_folder() override
    {
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    }

    QString program_folder() override { return QCoreApplication::applicationDirPath(); }

    bool make_shortcut(const QString& folder, const QString& name, const QString& target) override
    {
        const QString path = folder + "/" + name + ".desktop";
        QSaveFile file(path);  // replaces an old entry in one step
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const QString entry = QStringLiteral("[Desktop Entry]\n"
                                             "Type=Application\n"
                                             "Name=%1\n"
                                             "Exec=%2\n"
                                             "Terminal=false\n")
                                  .arg(entry_value(name), entry_value(exec_argument(target)));
        file.write(entry.toUtf8());
        if (!file.commit())
            return false;
        return QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner |
                                               QFile::ExeGroup | QFile::ExeOther);
    }

    bool file_exists(const QString& path) override
    {
        const QFileInfo fi(path);
        return fi.exists() && !fi.isDir();
    }

    bool remove_file(const QString& path) override { return QFile::remove(path); }

    bool rename_file(const QString& from, const QString& to) override
    {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    }

    bool start_program(const QString& path, const QStringList& args) override
    {
        return QProcess::startDetached(path, args);
    }

    void end_program(int code) override
    {
        // The standard streams write through to C's (synchronised, their default): flushing
        // C's streams sends everything.
        std::fflush(nullptr);
        ::_exit(code);
    }

    void restart_program() override
    {
        QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                QCoreApplication::arguments().mid(1));
        end_program(0);
    }
};

} // namespace

std::unique_ptr<System> make_system() { return std::make_unique<LinuxSystem>(); }

} // namespace plat
