#include "core/update/deploy.h"
#include "core/update/update.h"
#include "core/update/windows.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// A program folder holding a working loader, a desktop, and the update host's reply.
struct Install {
    TestApp t;
    QTemporaryDir prog, desk;
    const QString url = deploy::update_url();
    const QString loader = prog.path() + "/BRONTEX";
    const QString download = prog.path() + "/BRONTEX.EX_";

    Install()
    {
        t.sys->folder = prog.path();
        t.sys->desktop = desk.path();
        write(loader, "old loader");
        register_update_windows(*t);
    }

    void reply(int status, const QByteArray& data, qint64 announced)
    {
        plat::HttpReply r;
        r.ok = true;
        r.status = status;
        r.body = data;
        t.http->replies[url] = r;
        t.http->announced[url] = announced;
    }
};

TEST(UpdatePercent, RoundsHalfToEvenAndNeverDividesByZero)
{
    const struct {
        qint64 received, expected;
        const char* percent;
    } cases[] = {
        {0, 1000, "0"},   {250, 1000, "25"}, {500, 1000, "50"}, {750, 1000, "75"}, {1000, 1000, "100"},
        {125, 1000, "12"}, {375, 1000, "38"}, {5, 0, "0"},     {5, -1, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(update_percent(c.received, c.expected), c.percent) << c.received << "/" << c.expected;
}

TEST(Update, InstallsAndStartsTheLoaderThenEnds)
{
    const QByteArray body(1000, 'x');
    const struct {
        const char* name;
        qint64 announced;
        const char* shown;
    } cases[] = {{"length announced", 1000, " Descargando: BRONTEX (100%)"},
                 {"no length", -1, " Descargando: BRONTEX (0%)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install s;
        write(s.download, "stale download");
        s.reply(200, body, c.announced);

        QPointer<update> w = s.t->win<update>("update");
        ASSERT_TRUE(w);
        EXPECT_EQ(w->windowTitle(), "Actualización");
        w->Form_Activate();

        ASSERT_EQ(s.t.http->calls.size(), 1);
        EXPECT_TRUE(s.t.http->calls[0].url.startsWith("https://"));
        EXPECT_EQ(s.t.http->calls[0].path, s.download);
        EXPECT_EQ(read(s.loader), body);
        EXPECT_TRUE(QFile::permissions(s.loader) & QFileDevice::ExeOwner);
        EXPECT_FALSE(QFile::exists(s.download));
        EXPECT_EQ(s.t.sys->shortcuts, QStringList{s.desk.path() + "/TOVAREN -> " + s.loader});
        EXPECT_EQ(s.t.sys->started, QStringList{s.loader});
        EXPECT_TRUE(s.t.sys->ended);
        EXPECT_EQ(s.t.sys->end_code, 0);
        EXPECT_GE(s.t.reg->syncs, 1);
        EXPECT_TRUE(s.t.dlg->boxes.isEmpty());
        ASSERT_TRUE(w);
        EXPECT_EQ(w->TextBox1->text(), c.shown);
    }
}

TEST(Update, RefusesAnythingButTheWholeLoader)
{
    const struct {
        const char* name;
        bool answered;
        int status;
        QByteArray data;
        qint64 announced;
    } cases[] = {
        {"not found", true, 404, "<html>Not Found</html>", -1},
        {"server error", true, 500, "", 0},
        {"short body", true, 200, QByteArray(600, 'x'), 1000},
        {"empty body", true, 200, "", -1},
        {"host unreachable", false, 0, "", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Install s;
        if (c.answered)
            s.reply(c.status, c.data, c.announced);

        // Shown modally it runs by itself and closes after its message.
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
        EXPECT_FALSE(s.t->is_loaded("update"));
        EXPECT_EQ(s.t.http->calls.size(), 1);  // no second try over plain HTTP
        ASSERT_EQ(s.t.dlg->boxes.size(), 1);
        EXPECT_EQ(s.t.dlg->boxes[0].text, "     Error en la descarga.          ");
        EXPECT_EQ(s.t.dlg->boxes[0].style, plat::mb_exclamation);
        EXPECT_EQ(s.t.dlg->boxes[0].title, "Actualización Kelmaris");
        EXPECT_EQ(read(s.loader), "old loader");
        EXPECT_FALSE(QFile::exists(s.download));
        EXPECT_TRUE(s.t.sys->started.isEmpty());
        EXPECT_TRUE(s.t.sys->shortcuts.isEmpty());
        EXPECT_FALSE(s.t.sys->ended);
    }
}

TEST(Update, LoaderThatCannotBeReplacedStays)
{
    Install s;
    // A folder in the loader's place cannot be renamed over: the install fails.
    QFile::remove(s.loader);
    ASSERT_TRUE(QDir(s.prog.path()).mkpath("BRONTEX/keep"));
    s.reply(200, QByteArray(1000, 'x'), 1000);
    QPointer<update> w = s.t->win<update>("update");
    w->Form_Activate();

    ASSERT_EQ(s.t.dlg->boxes.size(), 1);
    EXPECT_EQ(s.t.dlg->boxes[0].text, "     Error en la actualizacion.          ");
    EXPECT_EQ(s.t.dlg->boxes[0].title, "Actualización Kelmaris");
    EXPECT_TRUE(QDir(s.loader + "/keep").exists());
    EXPECT_TRUE(s.t.sys->started.isEmpty());
    EXPECT_FALSE(s.t.sys->ended);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->ProgressBar1->value(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(s.t->is_loaded("update"));
}

} // namespace
