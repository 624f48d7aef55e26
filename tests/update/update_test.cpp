// The program update: the loader downloaded over HTTPS and installed only whole, the old
// one kept otherwise; every case is a golden transcript (tests/golden/update/).
#include "core/update/deploy.h"
#include "core/update/update.h"
#include "core/update/windows.h"
#include "tests/doubles/files.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

namespace {

TEST(Update, InstallsOnlyTheWholeLoaderAndKeepsTheOldOneOtherwise)
{
    const QByteArray whole(1000, 'x');
    const struct { const char* name; int status; QByteArray data; qint64 announced; bool folder = false,
                   start_fails = false; } cases[] = {
        {"length announced", 200, whole, 1000},
        {"no length", 200, whole, -1},
        {"not found", 404, "<html>Not Found</html>", -1},
        {"server error", 500, "", 0},
        {"short body", 200, QByteArray(600, 'x'), 1000},
        {"empty body", 200, "", -1},
        {"host unreachable", 0, "", -1},
        {"a folder in the loader's place: not replaced", 200, whole, 1000, true},
        {"installed, but the new loader does not start: the program stays", 200, whole, 1000, false, true},
    };
    QStringList lines;
    for (const auto& c : cases) {
        // A program folder holding a working loader (or a folder in its place) and a stale
        // download, a desktop, and the update host's reply (status 0: the host does not answer).
        TestApp t;
        QTemporaryDir prog, desk;
        const QString loader = prog.path() + "/BRONTEX", download = prog.path() + "/BRONTEX.EX_";
        t.sys->folder = prog.path();
        t.sys->desktop = desk.path();
        t.sys->start_fails = c.start_fails;
        ASSERT_TRUE(c.folder ? QDir(prog.path()).mkpath("BRONTEX/keep") : write_file(loader, "old loader"));
        write_file(download, "stale download");
        register_update_windows(*t);
        if (c.status) {
            t.http->replies[deploy::update_url()] = {true, c.status, c.data, {}, {}, 0};
            t.http->announced[deploy::update_url()] = c.announced;
        }
        // Shown, it runs by itself.
        QPointer<update> w = t->win<update>("update");
        w->open();
        QCoreApplication::processEvents();
        auto local = [&](QString text) { return text.replace(desk.path(), "DESKTOP").replace(prog.path(), "PROGRAM"); };
        QString left = QFileInfo(loader).isDir() ? "a folder" : read_file(loader) == whole ? "new" : read_file(loader);
        if (QFile::permissions(loader) & QFileDevice::ExeOwner)
            left += ", executable";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lines << c.name
              << "  downloads " + local(each(t.http->calls, [](const fake::HttpCall& h) { return h.url + " to " + h.path; }, " "))
              << "  boxes [" + boxes_text(*t.dlg) + "]"
              << QString("  loader %1; download left %2; shortcut [%3]; started [%4]")
                     .arg(left).arg(QFile::exists(download))
                     .arg(local(t.sys->shortcuts.join(' ')), local(t.sys->started.join(' ')))
              << QString("  program %1, synced %2, window %3")
                     .arg(t.sys->ended ? "ended " + QString::number(t.sys->end_code) : "runs")
                     .arg(t.reg->syncs > 0)
                     .arg(w ? "shows \"" + w->TextBox1->text() + "\"" : "closed");
    }
    // The percentage shown: halves to even, none of nothing.
    for (const auto& [received, expected] : {std::pair{0, 1000}, {250, 1000}, {1000, 1000}, {125, 1000}, {375, 1000},
                                             {5, 0}, {5, -1}})
        lines << QString("percent of %1 in %2: %3").arg(received).arg(expected).arg(update_percent(received, expected));
    expect_golden(lines, "update/update.txt");
}

} // namespace
