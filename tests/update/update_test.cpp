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
#include <QTimer>

namespace {

// A program folder holding a working loader and a stale download, a desktop, and the update
// host's reply (status 0: the host does not answer).
struct Install {
    TestApp t;
    QTemporaryDir prog, desk;
    const QString loader = prog.path() + "/BRONTEX";
    const QString download = prog.path() + "/BRONTEX.EX_";

    Install(int status, const QByteArray& body, qint64 announced)
    {
        t.sys->folder = prog.path();
        t.sys->desktop = desk.path();
        write_file(loader, "old loader");
        write_file(download, "stale download");
        register_update_windows(*t);
        if (status) {
            t.http->replies[deploy::update_url()] = {true, status, body, {}, {}, 0};
            t.http->announced[deploy::update_url()] = announced;
        }
    }
};

TEST(UpdatePercent, RoundsHalfToEvenAndNeverDividesByZero)
{
    const struct { qint64 received, expected; const char* percent; } cases[] = {
        {0, 1000, "0"},    {250, 1000, "25"}, {1000, 1000, "100"}, {125, 1000, "12"},
        {375, 1000, "38"}, {5, 0, "0"},       {5, -1, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(update_percent(c.received, c.expected), c.percent) << c.received << "/" << c.expected;
}

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
        Install s(c.status, c.data, c.announced);
        s.t.sys->start_fails = c.start_fails;
        if (c.folder) {
            QFile::remove(s.loader);
            ASSERT_TRUE(QDir(s.prog.path()).mkpath("BRONTEX/keep"));
        }
        QPointer<update> w = s.t->win<update>("update");
        w->Form_Activate();
        QStringList calls;
        for (const auto& call : s.t.http->calls)
            calls << call.url + " to " + QString(call.path).replace(s.prog.path(), "PROGRAM");
        QString loader = QFileInfo(s.loader).isDir()      ? "a folder"
                         : read_file(s.loader) == whole ? "new"
                                                        : read_file(s.loader);
        if (QFile::permissions(s.loader) & QFileDevice::ExeOwner)
            loader += ", executable";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lines << c.name << "  downloads " + calls.join(' ') << "  boxes [" + boxes_text(*s.t.dlg) + "]"
              << QString("  loader %1; download left %2; shortcut [%3]; started [%4]")
                     .arg(loader).arg(QFile::exists(s.download))
                     .arg(s.t.sys->shortcuts.join(' ').replace(s.desk.path(), "DESKTOP").replace(s.prog.path(), "PROGRAM"))
                     .arg(s.t.sys->started.join(' ').replace(s.prog.path(), "PROGRAM"))
              << QString("  program %1, synced %2, window %3")
                     .arg(s.t.sys->ended ? "ended " + QString::number(s.t.sys->end_code) : "runs")
                     .arg(s.t.reg->syncs > 0)
                     .arg(w ? "shows \"" + w->TextBox1->text() + "\"" : "closed");
    }
    expect_golden(lines, "update/update.txt");
}

TEST(Update, ShownModallyItRunsByItself)
{
    Install s(404, "", -1);
    QObject guard;
    bool hung = false;
    QPointer<update> w = s.t->win<update>("update");
    QTimer::singleShot(5000, &guard, [&] {
        hung = true;
        if (w)
            w->close();
    });
    w->exec();
    EXPECT_FALSE(hung);
    EXPECT_EQ(s.t.dlg->boxes.size(), 1);
    EXPECT_EQ(s.t.http->calls.size(), 1);
}

} // namespace
