// The main timer's keep-alive and message poll, the message window and the list of
// messages; the runs are golden transcripts (tests/golden/shell/).
#include "core/app/rule.h"
#include "core/shell/keepalive_windows.h"
#include "core/shell/mensajes.h"
#include "core/shell/timers.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

namespace {

central::Message message(int i, bool waiting = true)
{
    return {QString("2024-03-0%1").arg(i + 1), QString("1%1:00").arg(i), QString("Texto %1").arg(i), waiting};
}

struct KeepAlive : ::testing::Test {
    TestApp t;
    QTimer timer;
    QStringList captions;  // the flag and whether the timer ran, at every caption

    KeepAlive()
    {
        t.connect();
        register_keepalive_windows(*t);
        t->ses_val.cod_ven = "001";
        t->timers = &timer;
        t->main_caption = [this] { captions << QString("%1%2").arg(t->flg_nocox).arg(timer.isActive() ? " timer on" : ""); };
    }
    // One tick, and what it left: the calls, reopens and captions since the last line.
    QString tick(const QString& name)
    {
        const int opens = t.srv->opens;
        t.srv->log.clear();
        captions.clear();
        timer.setInterval(1000);  // whatever it was, every tick leaves it at a minute
        timers_Timer(*t);
        return QString("%1: calls %2, reopens %3, captions [%4], flag %5, connection %6, timer %7 %8, boxes [%9], "
                       "pointers %10, params %11")
            .arg(name, calls_text(t.srv->log))
            .arg(t.srv->opens - opens)
            .arg(captions.join(", "))
            .arg(t->flg_nocox)
            .arg(t->cox_bd.state() == db::adStateOpen ? "open" : "closed")
            .arg(timer.isActive() ? "on" : "off")
            .arg(timer.interval())
            .arg(boxes_text(*t.dlg), numbers(t.dlg->pointers))
            .arg(t->cmd_stacox.params().size() + t->cmd_getmen.params().size() + t->cmd_sp.params().size());
    }
};

// Each tick probes the server; a failed probe reopens the connection quietly and probes
// again; the flag follows. C: connected; D: session gone and the reopen refused; then
// each kind of failure. The poll
// comes on the first and every tenth connected tick (ticks without a connection are not
// counted); a poll that fails or answers no identifier shows nothing, not even the last
// message again.
TEST_F(KeepAlive, ProbesReconnectAndPollOnTheFirstAndEveryTenthConnectedTick)
{
    QStringList lines;
    const QString pattern = "CCCCCCCCCCC" "DD" "CCCCCCCCC" "D" "C";
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == 'D') {
            t.srv->drop_sessions();
            t.srv->fail_next_open(1);
        }
        lines << tick(QString("%1 %2").arg(i).arg(pattern[i]));
    }
    // From an open connection and the opposite flag, with no poll due.
    const struct { const char* name; int stacox_fails, open_fails; bool drop; int flag; } faults[] = {
        {"probe answers", 0, 0, false, 1},
        {"probe fails, reopen and retry succeed", 1, 0, false, 1},
        {"connection gone, reopen and retry succeed", 0, 0, true, 1},
        {"probe fails, reopen fails", 1, 1, false, 0},
        {"probe fails, retry fails", 2, 0, false, 0},
    };
    for (const auto& f : faults) {
        t.connect();
        t->flg_nocox = f.flag;
        t->men_srv.men_cont = 5;
        t.srv->fail_next(f.stacox_fails, "stacox");
        t.srv->fail_next_open(f.open_fails);
        if (f.drop)
            t.srv->drop_sessions();
        lines << tick(QString("%1, flag %2 before").arg(f.name).arg(f.flag));
    }
    QTimer closer;  // runs only inside a modal window's loop
    closer.callOnTimeout([&] {
        lines << "a message was shown";
        QApplication::activeModalWidget()->close();
    });
    closer.start(0);
    t.srv->model.outlet.messages << message(0);
    t.srv->fail_next(1, "getmen");
    t->men_srv.men_cod = "7";  // as a shown message left it
    t->men_srv.men_cont = 10;
    lines << tick("poll fails");
    t.srv->register_procedure("getmen", [](central::Request&) { return true; });
    t->men_srv.men_cod = "7";
    t->men_srv.men_cont = 10;
    lines << tick("poll answers nothing");
    expect_golden(lines, "shell/keepalive.txt");
}

TEST_F(KeepAlive, MessageIsShownModallyAndTicksInsideItUpdateIt)
{
    t.srv->model.outlet.messages << message(4) << message(5);
    QObject guard;
    QStringList seen;
    QTimer::singleShot(0, &guard, [&] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        ASSERT_TRUE(w && w->objectName() == "mensaje");
        seen << QString("modal %1: ").arg(w->isModal()) + qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        for (int i = 0; i < 10; ++i)  // nine ticks count, the tenth polls again with the window open
            timers_Timer(*t);
        ASSERT_TRUE(w);
        seen << QString("same window %1: ").arg(QApplication::activeModalWidget() == w) +
                    qobject_cast<mensaje*>(w.data())->texto->toPlainText();
        w->findChild<QPushButton*>("b_salir")->click();
    });
    timers_Timer(*t);
    EXPECT_EQ(seen, QStringList({"modal 1: Fecha : 05-03-2024\nHora  : 14:00\n\nTexto 4",
                                 "same window 1: Fecha : 06-03-2024\nHora  : 15:00\n\nTexto 5"}));
    EXPECT_EQ(t.srv->calls("getmen").size(), 2);
    EXPECT_FALSE(t->is_loaded("mensaje"));
    EXPECT_TRUE(t.dlg->boxes.isEmpty());
    EXPECT_TRUE(timer.isActive());
}

TEST(MessageText, DateShownDayMonthYear)
{
    for (const auto& [sent, shown] : {std::pair{"2024-03-05", "05-03-2024"}, std::pair{"05/03/2024", "05-03-2024"},
                                      std::pair{"sin fecha", "sin fecha"}})
        EXPECT_EQ(men_text(sent, "08:00", "T"), QString("Fecha : %1\r\nHora  : 08:00\r\n\r\nT").arg(shown)) << sent;
}

TEST_F(KeepAlive, MensajesListsTheOutletsMessages)
{
    t->ses_val.cod_ven = "007";
    QStringList lines;
    for (const auto& [name, messages, dstmen_fails] : {std::tuple{"three messages", 3, 0}, {"no messages", 0, 0},
                                                      {"connection lost", 2, 2}}) {
        t.srv->model.outlet.messages.clear();
        for (int i = 0; i < messages; ++i)
            t.srv->model.outlet.messages << message(i, false);
        t.srv->fail_next(dstmen_fails, "dstmen");
        t.srv->log.clear();
        t.dlg->boxes.clear();
        auto* w = t->win<mensajes>("mensajes");
        lines << QString(name) + ": calls " + calls_text(t.srv->log) + ", boxes [" + boxes_text(*t.dlg) + "], pointer " +
                     QString::number(t.dlg->pointer()) + ", params " + QString::number(t->cmd_sp.params().size());
        for (int i = 0; i < w->lista->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = w->lista->topLevelItem(i);
            lines << "  " + item->text(0) + " | " + item->text(1) + " | " + item->text(2);
        }
        w->b_salir->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lines << QString("  loaded after Salir: %1").arg(t->is_loaded("mensajes"));
        t.connect();
    }
    expect_golden(lines, "shell/mensajes.txt");
}

} // namespace
