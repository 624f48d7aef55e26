#include "core/update/deploy.h"
#include "core/update/update.h"
#include "core/update/windows.h"
#include "tests/doubles/files.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A program folder holding a working loader, a desktop, and the update host's reply
// (status 0: the host does not answer).
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
        register_update_windows(*t);
        if (status) {
            auto& r = t.http->replies[deploy::update_url()];
            r.ok = true;
            r.status = status;
            r.body = body;
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
    const char* download_error = "     Error en la descarga.          ";
    const char* update_error = "     Error en la actualizacion.          ";
    // box: the message of a failure; shown: the progress text once the loader runs.
    const struct { const char* name; int status; QByteArray data; qint64 announced; const char* box;
                   const char* shown = nullptr; bool folder = false, start_fails = false; } cases[] = {
        {"length announced", 200, whole, 1000, nullptr, " Descargando: BRONTEX (100%)"},
        {"no length", 200, whole, -1, nullptr, " Descargando: BRONTEX (0%)"},
        {"not found", 404, "<html>Not Found</html>", -1, download_error},
        {"server error", 500, "", 0, download_error},
        {"short body", 200, QByteArray(600, 'x'), 1000, download_error},
        {"empty body", 200, "", -1, download_error},
        {"host unreachable", 0, "", -1, download_error},
        // A folder in the loader's place cannot be renamed over.
        {"loader not replaceable", 200, whole, 1000, update_error, nullptr, true},
        // Installed, but the new loader does not start: the program stays.
        {"loader does not start", 200, whole, 1000, update_error, nullptr, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install s(c.status, c.data, c.announced);
        s.t.sys->start_fails = c.start_fails;
        ASSERT_TRUE(write_file(s.download, "stale download"));
        if (c.folder) {
            QFile::remove(s.loader);
            ASSERT_TRUE(QDir(s.prog.path()).mkpath("BRONTEX/keep"));
        }
        QPointer<update> w = s.t->win<update>("update");
        w->Form_Activate();

        ASSERT_EQ(s.t.http->calls.size(), 1);  // no second try over plain HTTP
        EXPECT_TRUE(s.t.http->calls[0].url.startsWith("https://"));
        EXPECT_EQ(s.t.http->calls[0].path, s.download);
        EXPECT_EQ(s.t.sys->ended, c.box == nullptr);
        const bool installed = c.shown || c.start_fails;
        if (installed) {
            EXPECT_EQ(read_file(s.loader), whole);
            EXPECT_TRUE(QFile::permissions(s.loader) & QFileDevice::ExeOwner);
            EXPECT_FALSE(QFile::exists(s.download));
            EXPECT_EQ(s.t.sys->shortcuts, QStringList{s.desk.path() + "/TOVAREN -> " + s.loader});
            EXPECT_EQ(s.t.sys->started, QStringList{s.loader});
        } else {
            EXPECT_TRUE(s.t.sys->started.isEmpty() && s.t.sys->shortcuts.isEmpty());
        }
        if (!c.box) {
            EXPECT_TRUE(s.t.sys->end_code == 0 && s.t.reg->syncs >= 1);
            EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
            ASSERT_TRUE(w);
            EXPECT_EQ(w->TextBox1->text(), c.shown);
            continue;
        }
        ASSERT_EQ(s.t.dlg->boxes.size(), 1);
        EXPECT_EQ(s.t.dlg->boxes[0].text, c.box);
        EXPECT_EQ(s.t.dlg->boxes[0].style, plat::mb_exclamation);
        EXPECT_EQ(s.t.dlg->boxes[0].title, "Actualización Kelmaris");
        if (c.folder) {
            EXPECT_TRUE(QDir(s.loader + "/keep").exists());
        } else if (!installed) {
            EXPECT_EQ(read_file(s.loader), "old loader");
            EXPECT_FALSE(QFile::exists(s.download));  // nothing of a refused download stays
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(s.t->is_loaded("update"));  // it closes after its message
    }
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
