#include "core/db/rule.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/mensajes.h"
#include "core/shell/timers.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct KeepAlive : ::testing::Test {
    TestApp t;
    QTimer timer;
    int captions = 0;
    bool timer_active_at_caption = true;

    void SetUp() override
    {
        t.connect();
        register_keepalive_windows(*t);
        t->ses_val.cod_ven = "001";
        t->ses_val.cod_caj = "01";
        timer.setInterval(60000);
        t->timers = &timer;
        t->main_caption = [this] {
            ++captions;
            timer_active_at_caption = timer.isActive();
        };
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

    void add_message(const QString& fec, const QString& hor, const QString& txt)
    {
        t.srv->model.outlet.messages.append(central::Message{fec, hor, txt, true});
    }
};

struct ProbeCase {
    const char* name;
    int stacox_fails;
    int open_fails;
    bool drop;
    int flag;
    int stacox_calls;
    int reopens;
};

TEST_F(KeepAlive, ProbeReconnectsSilentlyAndSetsTheFlag)
{
    const ProbeCase cases[] = {
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
        if (c.stacox_fails)
            a.srv->fail_next(c.stacox_fails, "stacox");
        if (c.open_fails)
            a.srv->fail_next_open(c.open_fails);
        if (c.drop)
            a.srv->drop_sessions();
        const int opens = a.srv->opens;

        timers_Timer(*a);

        EXPECT_EQ(a->flg_nocox, c.flag);
        EXPECT_EQ(a.srv->calls("stacox").size(), c.stacox_calls);
        EXPECT_EQ(a.srv->opens - opens, c.reopens);
        EXPECT_EQ(a->cox_bd.state() == db::adStateOpen, c.flag == 0);
        EXPECT_TRUE(a.dlg->boxes.isEmpty());
        EXPECT_TRUE(a.dlg->pointers.isEmpty());
        EXPECT_EQ(caps, 1);
        EXPECT_TRUE(a->cmd_stacox.params().isEmpty());
        EXPECT_EQ(a.srv->calls("getmen").size(), 0);
    }
}

TEST_F(KeepAlive, TimerIsOffWhileTheTickRunsAndOnAfterIt)
{
    timer.setInterval(1000);  // whatever it was, every tick leaves it at a minute
    tick(false);
    EXPECT_FALSE(timer_active_at_caption);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 60000);
    tick(true);
    EXPECT_TRUE(timer.isActive());
}

TEST_F(KeepAlive, PollOnFirstAndEveryTenthConnectedTick)
{
    // C connected, D disconnected; ticks without a connection are not counted.
    const QString pattern = "CCCCCCCCCCC" "DD" "CCCCCCCCC" "D" "C";
    QList<int> polled;
    for (int i = 0; i < pattern.size(); ++i) {
        const auto before = t.srv->calls("getmen").size();
        tick(pattern[i] == 'C');
        EXPECT_EQ(t->flg_nocox, pattern[i] == 'C' ? 0 : 1) << "tick " << i;
        if (t.srv->calls("getmen").size() > before)
            polled << i;
    }
    EXPECT_EQ(polled, (QList<int>{0, 10, 23}));
    EXPECT_EQ(captions, pattern.size());
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    const auto calls = t.srv->calls("getmen");
    ASSERT_FALSE(calls.isEmpty());
    EXPECT_EQ(calls[0].values.size(), 4 + 1);
    EXPECT_EQ(calls[0].values.last().toString(), "001");
    EXPECT_TRUE(t->cmd_getmen.params().isEmpty());
}

TEST_F(KeepAlive, WaitingMessageIsShownModallyWithItsText)
{
    add_message("2024-03-05", "14:30", "Cierre de ventas a las 8.");
    QObject guard;
    QString title, text, name;
    bool modal = false;
    QTimer::singleShot(0, &guard, [&] {
        auto* w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        name = w->objectName();
        title = w->windowTitle();
        modal = w->isModal();
        if (auto* m = qobject_cast<mensaje*>(w))
            text = m->texto->toPlainText();
        w->findChild<QPushButton*>("b_salir")->click();
    });

    tick(true);

    EXPECT_EQ(name, "mensaje");
    EXPECT_EQ(title, "Mensaje del Sistema");
    EXPECT_TRUE(modal);
    EXPECT_EQ(text, "Fecha : 05-03-2024\nHora  : 14:30\n\nCierre de ventas a las 8.");
    EXPECT_FALSE(t->is_loaded("mensaje"));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(timer.isActive());
}

TEST_F(KeepAlive, NoWindowWithoutAWaitingMessage)
{
    struct Case {
        const char* name;
        std::function<void(TestApp&)> arrange;
    };
    const Case cases[] = {
        {"nothing waiting", [](TestApp&) {}},
        {"identifier null", [](TestApp& a) { a.srv->register_procedure("getmen", [](central::Request&) { return true; }); }},
        {"poll fails",
         [](TestApp& a) {
             a.srv->model.outlet.messages.append(central::Message{"2024-03-05", "10:00", "x", true});
             a.srv->fail_next(1, "getmen");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp a;
        a.connect();
        register_keepalive_windows(*a);
        c.arrange(a);
        timers_Timer(*a);
        EXPECT_EQ(a.srv->calls("getmen").size(), 1);
        EXPECT_FALSE(a->is_loaded("mensaje"));
        EXPECT_EQ(a->flg_nocox, 0);
        EXPECT_EQ(a->men_srv.men_cont, 1);
        EXPECT_TRUE(a.dlg->boxes.isEmpty());
        EXPECT_TRUE(a->cmd_getmen.params().isEmpty());
    }
}

TEST_F(KeepAlive, TicksInsideTheOpenMessageUpdateIt)
{
    add_message("2024-03-05", "14:30", "Primero");
    add_message("2024-03-06", "09:15", "Segundo");
    QObject guard;
    QString first, second;
    int modal_windows = -1;
    bool same_window = false;
    QTimer::singleShot(0, &guard, [&] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        ASSERT_TRUE(w);
        first = qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        // Nine ticks count, the tenth polls again while the window is still open.
        for (int i = 0; i < 10; ++i)
            tick(true);
        ASSERT_TRUE(w);
        same_window = QApplication::activeModalWidget() == w;
        second = qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        modal_windows = 0;
        for (auto* top : QApplication::topLevelWidgets())
            if (top->objectName() == "mensaje" && top->isVisible())
                ++modal_windows;
        w->close();
    });

    tick(true);

    EXPECT_EQ(first, "Fecha : 05-03-2024\nHora  : 14:30\n\nPrimero");
    EXPECT_EQ(second, "Fecha : 06-03-2024\nHora  : 09:15\n\nSegundo");
    EXPECT_TRUE(same_window);
    EXPECT_EQ(modal_windows, 1);
    EXPECT_EQ(t.srv->calls("getmen").size(), 2);
    EXPECT_FALSE(t->is_loaded("mensaje"));
}

TEST(MensajeText, DateShownDayMonthYear)
{
    const struct {
        const char* sent;
        const char* shown;
    } cases[] = {
        {"2024-03-05", "05-03-2024"},
        {"05/03/2024", "05-03-2024"},
        {"sin fecha", "sin fecha"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(men_text(c.sent, "08:00", "T"), QString("Fecha : %1\r\nHora  : 08:00\r\n\r\nT").arg(c.shown))
            << c.sent;
}

TEST(Mensajes, ListsTheOutletsMessages)
{
    struct Case {
        const char* name;
        int messages;
        int dstmen_fails;
        int rows;
        QStringList boxes;
    };
    const Case cases[] = {
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
            a.srv->model.outlet.messages.append(
                central::Message{QString("2024-03-0%1").arg(i + 1), QString("1%1:00").arg(i), QString("Texto %1").arg(i), false});
        if (c.dstmen_fails)
            a.srv->fail_next(c.dstmen_fails, "dstmen");

        auto* w = a->win<mensajes>("mensajes");
        ASSERT_NE(w, nullptr);

        EXPECT_EQ(w->windowTitle(), "Mensajes del Sistema");
        ASSERT_EQ(w->lista->columnCount(), 3);
        EXPECT_EQ(w->lista->headerItem()->text(0), "Fecha");
        EXPECT_EQ(w->lista->headerItem()->text(1), "Hora");
        EXPECT_EQ(w->lista->headerItem()->text(2), "Texto");
        ASSERT_EQ(w->lista->topLevelItemCount(), c.rows);
        for (int i = 0; i < c.rows; ++i) {
            auto* item = w->lista->topLevelItem(i);
            EXPECT_EQ(item->text(0), QString("2024-03-0%1").arg(i + 1));
            EXPECT_EQ(item->text(1), QString("1%1:00").arg(i));
            EXPECT_EQ(item->text(2), QString("Texto %1").arg(i));
        }
        EXPECT_EQ(a.dlg->texts(), c.boxes);
        EXPECT_EQ(a.dlg->pointer(), plat::ptr_default);
        EXPECT_TRUE(a->cmd_sp.params().isEmpty());
        const auto calls = a.srv->calls("dstmen");
        ASSERT_FALSE(calls.isEmpty());
        EXPECT_EQ(calls[0].values, QVariantList{"007"});

        w->b_salir->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(a->is_loaded("mensajes"));
    }
}

} // namespace
