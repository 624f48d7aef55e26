#include "core/app/rule.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/mensajes.h"
#include "core/shell/timers.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

central::Message message(int i, bool waiting = true)
{
    return {QString("2024-03-0%1").arg(i + 1), QString("1%1:00").arg(i), QString("Texto %1").arg(i), waiting};
}

TEST(KeepAlive, ProbeReconnectsSilentlyAndSetsTheFlag)
{
    const struct { const char* name; int stacox_fails, open_fails; bool drop; int flag, stacox_calls, reopens; } cases[] = {
        {"probe answers", 0, 0, false, 0, 1, 0},
        {"probe fails, reopen and retry succeed", 1, 0, false, 0, 2, 1},
        {"connection gone, reopen and retry succeed", 0, 0, true, 0, 1, 1},
        {"probe fails, reopen fails", 1, 1, false, 1, 1, 0},
        {"probe fails, retry fails", 2, 0, false, 1, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp a;
        a.connect();
        int caps = 0;
        a->main_caption = [&] { ++caps; };
        a->flg_nocox = 1 - c.flag;  // the tick must change it
        a->men_srv.men_cont = 5;    // no poll due
        a.srv->fail_next(c.stacox_fails, "stacox");
        a.srv->fail_next_open(c.open_fails);
        if (c.drop)
            a.srv->drop_sessions();
        const int opens = a.srv->opens;

        timers_Timer(*a);

        // flag, probes, reopens, captions
        EXPECT_EQ(QList<int>({a->flg_nocox, int(a.srv->calls("stacox").size()), a.srv->opens - opens, caps}),
                  QList<int>({c.flag, c.stacox_calls, c.reopens, 1}));
        EXPECT_EQ(a->cox_bd.state() == db::adStateOpen, c.flag == 0);
        EXPECT_TRUE(a.dlg->boxes.isEmpty() && a.dlg->pointers.isEmpty());  // silent
        EXPECT_TRUE(a->cmd_stacox.params().isEmpty());
        EXPECT_TRUE(a.srv->calls("getmen").isEmpty());
    }
}

struct KeepAliveTimer : ::testing::Test {
    TestApp t;
    QTimer timer;
    bool active_at_caption = false;  // the timer ran while a tick showed the caption

    KeepAliveTimer()
    {
        t.connect();
        register_keepalive_windows(*t);
        t->ses_val.cod_ven = "001";
        t->timers = &timer;
        t->main_caption = [this] { active_at_caption = active_at_caption || timer.isActive(); };
    }
    // One tick with the server reachable or not (session gone and the reopen refused).
    void tick(bool up)
    {
        if (!up) {
            t.srv->drop_sessions();
            t.srv->fail_next_open(1);
        }
        timers_Timer(*t);
    }
};

TEST_F(KeepAliveTimer, PollsOnTheFirstAndEveryTenthConnectedTick)
{
    // C connected, D disconnected; ticks without a connection are not counted.
    const QString pattern = "CCCCCCCCCCC" "DD" "CCCCCCCCC" "D" "C";
    QList<int> polled;
    for (int i = 0; i < pattern.size(); ++i) {
        SCOPED_TRACE(i);
        timer.setInterval(1000);  // whatever it was, every tick leaves it at a minute
        const auto before = t.srv->calls("getmen").size();
        tick(pattern[i] == 'C');
        EXPECT_EQ(t->flg_nocox, pattern[i] == 'C' ? 0 : 1);
        EXPECT_TRUE(timer.isActive() && timer.interval() == 60000);
        if (t.srv->calls("getmen").size() > before)
            polled << i;
    }
    ASSERT_EQ(polled, (QList<int>{0, 10, 23}));
    EXPECT_FALSE(active_at_caption);  // off while the tick runs
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_EQ(t.srv->calls("getmen")[0].values.sliced(4), QVariantList{"001"});  // four outputs, then the outlet
    EXPECT_TRUE(t->cmd_getmen.params().isEmpty());

    // A poll that fails or answers no identifier shows nothing, not even the last message again.
    bool shown = false;
    QTimer closer;  // runs only inside a modal window's loop
    closer.callOnTimeout([&] {
        shown = true;
        QApplication::activeModalWidget()->close();
    });
    closer.start(0);
    t.srv->model.outlet.messages << message(0);
    t.srv->fail_next(1, "getmen");
    t->men_srv.men_cod = "7";  // as a shown message left it
    t->men_srv.men_cont = 10;
    tick(true);
    EXPECT_EQ(t->flg_nocox, 0);
    t.srv->register_procedure("getmen", [](central::Request&) { return true; });
    t->men_srv.men_cod = "7";
    t->men_srv.men_cont = 10;
    tick(true);
    EXPECT_FALSE(shown);
    EXPECT_EQ(t.srv->calls("getmen").size(), 5);
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(t->cmd_getmen.params().isEmpty());
}

TEST_F(KeepAliveTimer, MessageIsShownModallyAndTicksInsideItUpdateIt)
{
    t.srv->model.outlet.messages << message(4) << message(5);
    QObject guard;
    QString first, second;
    bool modal = false, same_window = false;
    QTimer::singleShot(0, &guard, [&] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        ASSERT_TRUE(w && w->objectName() == "mensaje");
        modal = w->isModal();
        first = qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        for (int i = 0; i < 10; ++i)  // nine ticks count, the tenth polls again with the window open
            tick(true);
        ASSERT_TRUE(w);
        same_window = QApplication::activeModalWidget() == w;
        second = qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        w->findChild<QPushButton*>("b_salir")->click();
    });

    tick(true);

    EXPECT_TRUE(modal);
    EXPECT_EQ(first, "Fecha : 05-03-2024\nHora  : 14:00\n\nTexto 4");
    EXPECT_EQ(second, "Fecha : 06-03-2024\nHora  : 15:00\n\nTexto 5");
    EXPECT_TRUE(same_window);
    EXPECT_EQ(t.srv->calls("getmen").size(), 2);
    EXPECT_FALSE(t->is_loaded("mensaje"));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(timer.isActive());
}

TEST(KeepAlive, MessageDateShownDayMonthYear)
{
    for (const auto& [sent, shown] : {std::pair{"2024-03-05", "05-03-2024"}, std::pair{"05/03/2024", "05-03-2024"},
                                      std::pair{"sin fecha", "sin fecha"}})
        EXPECT_EQ(men_text(sent, "08:00", "T"), QString("Fecha : %1\r\nHora  : 08:00\r\n\r\nT").arg(shown)) << sent;
}

TEST(Mensajes, ListsTheOutletsMessages)
{
    const struct { const char* name; int messages, dstmen_fails, rows; QStringList boxes; } cases[] = {
        {"three messages", 3, 0, 3, {}},
        {"no messages", 0, 0, 0, {}},
        {"connection lost", 2, 2, 0, {"No hay conexión con el servidor.          "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp a;
        a.connect();
        register_keepalive_windows(*a);
        a->ses_val.cod_ven = "007";
        for (int i = 0; i < c.messages; ++i)
            a.srv->model.outlet.messages << message(i, false);
        a.srv->fail_next(c.dstmen_fails, "dstmen");

        auto* w = a->win<mensajes>("mensajes");
        ASSERT_NE(w, nullptr);
        auto row = [](QTreeWidgetItem* i) { return QStringList({i->text(0), i->text(1), i->text(2)}); };
        ASSERT_EQ(w->lista->topLevelItemCount(), c.rows);
        for (int i = 0; i < c.rows; ++i) {
            const auto m = message(i);
            EXPECT_EQ(row(w->lista->topLevelItem(i)), QStringList({m.fecmov, m.hormov, m.texto}));
        }
        EXPECT_EQ(a.dlg->texts(), c.boxes);
        EXPECT_EQ(a.dlg->pointer(), plat::ptr_default);
        EXPECT_TRUE(a->cmd_sp.params().isEmpty());
        EXPECT_EQ(a.srv->calls("dstmen").value(0).values, QVariantList{"007"});

        w->b_salir->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(a->is_loaded("mensajes"));
    }
}

} // namespace
