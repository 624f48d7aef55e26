#include "platform/linux.h"
#include "tests/doubles/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(PlatformSystem, IdentitiesHaveTheirForm)
{
    auto sys = plat::make_system();
    bool ok = false;
    const quint32 serial = sys->volume_serial(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sys->volume_serial(nullptr), serial);  // the same terminal every time

    const QRegularExpression braced("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    const QString a = sys->new_guid();
    EXPECT_TRUE(braced.match(a).hasMatch()) << a.toStdString();
    EXPECT_NE(a, sys->new_guid());
}

TEST(PlatformSystem, ShortcutIsAnExecutableDesktopEntryReplacingTheOldOne)
{
    const QList<QPair<QString, QString>> cases = {
        {"/opt/tovaren/BRONTEX.EXE", "Exec=\"/opt/tovaren/BRONTEX.EXE\""},
        {"/home/caja 01/BRONTEX.EXE", "Exec=\"/home/caja 01/BRONTEX.EXE\""},
        // Inside the quotes $ takes a backslash, which the key file escapes once more; % is doubled.
        {"/srv/a$b/100%/BRONTEX.EXE", "Exec=\"/srv/a\\\\$b/100%%/BRONTEX.EXE\""},
    };
    QTemporaryDir desktop;
    auto sys = plat::make_system();
    const QString path = desktop.filePath("TOVAREN.desktop");
    ASSERT_TRUE(write_file(path, "[Desktop Entry]\nType=Application\nName=old\nExec=/old/loader\nComment=old entry\n"));
    for (const auto& [target, exec_line] : cases) {
        SCOPED_TRACE(target.toStdString());
        ASSERT_TRUE(sys->make_shortcut(desktop.path(), "TOVAREN", target));
        const QStringList lines = QString::fromUtf8(read_file(path)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.value(0), "[Desktop Entry]");
        EXPECT_TRUE(lines.contains("Type=Application") && lines.contains("Name=TOVAREN"));
        EXPECT_EQ(lines.filter("Exec="), QStringList{exec_line}) << lines.join(" | ").toStdString();
        EXPECT_TRUE(lines.filter("Comment").isEmpty());
        EXPECT_TRUE(QFile::permissions(path) & QFile::ExeOwner);
    }
    EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files), QStringList{"TOVAREN.desktop"});
    EXPECT_FALSE(sys->make_shortcut(desktop.filePath("missing"), "TOVAREN", "/opt/x"));
}

TEST(PlatformSystem, FilesAreRenamedOverTheTargetAndRemoved)
{
    QTemporaryDir dir;
    auto sys = plat::make_system();
    const QString download = dir.filePath("BRONTEX.EX_");
    const QString loader = dir.filePath("BRONTEX.EXE");
    ASSERT_TRUE(write_file(download, "new loader") && write_file(loader, "old loader, longer"));

    EXPECT_TRUE(sys->file_exists(download));
    EXPECT_FALSE(sys->file_exists(dir.path()));  // a folder is not a file
    ASSERT_TRUE(sys->rename_file(download, loader));
    EXPECT_FALSE(sys->file_exists(download));
    EXPECT_EQ(read_file(loader), "new loader");
    // A rename that cannot happen leaves the target as it was.
    EXPECT_FALSE(sys->rename_file(download, loader));
    EXPECT_EQ(read_file(loader), "new loader");

    EXPECT_TRUE(sys->remove_file(loader));
    EXPECT_FALSE(sys->file_exists(loader));
    EXPECT_FALSE(sys->remove_file(loader));
}

TEST(PlatformSystem, EndingTheProgramKeepsBufferedOutputAndTheCode)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    // The stream and its buffer are made before the fork, so the child only writes.
    FILE* out = ::fdopen(fds[1], "w");
    ASSERT_NE(out, nullptr);
    static char buffer[256];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    auto sys = plat::make_system();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::fputs("last words", out);
        sys->end_program(7);
        ::_exit(99);  // not reached
    }
    std::fclose(out);
    char got[64] = {};
    for (ssize_t total = 0, n; (n = ::read(fds[0], got + total, sizeof got - 1 - size_t(total))) > 0;)
        total += n;
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_STREQ(got, "last words");
}

} // namespace
