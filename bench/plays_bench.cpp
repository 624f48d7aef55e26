// Play registration against the in-process double, on the sale window shown and active as
// a cashier has it: one Procesar (a triple on ten ticked lotteries, ten answer rows) typed
// as the cashier does (the number, Enter, Enter on the amount kept from the last play), and
// adding the 1st and the 500th line of a ticket. Targets: the client's share of a Procesar
// (the whole press less the double's own time) under 1 ms; the 500th line costs no more
// than twice the 1st.
#include "sale/plays/movtik_plays.h"
#include "sale/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// The central-server double's sessions, timed: how long the double itself took answering.
class TimedDriver : public db::Driver {
public:
    explicit TimedDriver(db::Driver& inner) : inner_(inner) {}

    Clock::duration spent{};

    std::unique_ptr<db::Session> open(const db::ConnectProps& props, QString* error) override
    {
        auto s = inner_.open(props, error);
        return s ? std::make_unique<Session>(*this, std::move(s)) : nullptr;
    }

private:
    class Session : public db::Session {
    public:
        Session(TimedDriver& d, std::unique_ptr<db::Session> inner) : d_(d), inner_(std::move(inner)) {}
        bool use(const QString& database, QString* error) override { return inner_->use(database, error); }
        bool call(const QString& procedure, QList<db::Parameter>& params, QList<db::ResultSet>& sets,
                  QString* error) override
        {
            const auto start = Clock::now();
            const bool ok = inner_->call(procedure, params, sets, error);
            d_.spent += Clock::now() - start;
            return ok;
        }
        bool broken() const override { return inner_->broken(); }

    private:
        TimedDriver& d_;
        std::unique_ptr<db::Session> inner_;
    };

    db::Driver& inner_;
};

// The sale window, shown and active, on a ticket of an outlet with ten triple lotteries,
// every one ticked, and quota to spare.
struct Rig {
    TestApp t;
    TimedDriver timed{*t.srv};
    movtik_plays* w = nullptr;

    Rig()
    {
        t->cox_bd.set_driver(timed);
        t.connect();
        t->ses_val.cod_ven = "001";
        t->ses_val.cod_caj = "01";
        auto& m = t.srv->model;
        for (const auto& s : m.symbols) {  // as the login loads them
            t->tab_sim.sim_cod << s.codsim;
            t->tab_sim.sim_num << s.numero;
            t->tab_sim.sim_nom << s.nombre;
        }
        m.lotteries.clear();
        for (int i = 1; i <= 10; ++i) {
            central::Lottery l;
            l.codint = QString::number(100 + i);
            l.codlot = "T" + l.codint;
            l.nomlot = "TRIPLE NUMERO " + QString::number(i);
            l.statpl = l.stater = 1;
            m.lotteries << l;
        }
        m.cupo_num = 1000000000000000;
        m.lot_lines = 1000000;
        register_sale_windows(*t);
        w = t->win<movtik_plays>("movtik");
        w->show();
        QApplication::setActiveWindow(w);
        settle();
        fresh_ticket(false);
    }
    ~Rig() { t->unload("movtik"); }

    // Runs what the last step queued (the play list brought to its end, repaints).
    static void settle() { QCoreApplication::processEvents(); }

    // Every lottery ticked, the amount 10 and the number field in focus, on a new ticket
    // when asked.
    void fresh_ticket(bool next)
    {
        if (next)
            w->new_tik();
        for (int i = 0; i < w->lt_lote->count(); ++i)
            w->lt_lote->item(i)->setCheckState(Qt::Checked);
        w->tx_mont->setEditText("10");
        w->tx_nume->setFocus();
        settle();
    }

    // Keys where the focus is, as a cashier types them.
    static void type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    static void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
};

void BM_Procesar(benchmark::State& state)
{
    Rig r;
    Clock::duration pressed{};
    int presses = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (presses % 50 == 49)  // a fresh ticket now and then
            r.fresh_ticket(true);
        Rig::type("123");
        const int before = r.w->tik_cur.can_jug;
        state.ResumeTiming();

        const auto start = Clock::now();
        Rig::enter();  // the number step: the focus goes to the amount, whose handler runs
        Rig::enter();  // the amount step: the request and the ten lines
        pressed += Clock::now() - start;

        state.PauseTiming();
        Rig::settle();
        ++presses;
        const bool ten = r.w->tik_cur.can_jug == before + 10;
        state.ResumeTiming();
        if (!ten) {
            state.SkipWithError("a press did not give its ten lines");
            break;
        }
    }
    const auto us = [&](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count() / std::max(presses, 1);
    };
    state.counters["press_us"] = us(pressed);
    state.counters["double_us"] = us(r.timed.spent);
    state.counters["client_us"] = us(pressed - r.timed.spent);
}
BENCHMARK(BM_Procesar)->Unit(benchmark::kMicrosecond);

// The cost of the n-th line: n - 1 lines are on the list already.
void BM_AddLine(benchmark::State& state)
{
    Rig r;
    auto* w = r.w;
    auto& t = w->tik_cur;
    t.lin_lot = "TRIPLE NUMERO 1";
    t.lin_tip = "N";
    t.lin_num = "123";
    t.lin_mon = "1000000000";
    while (t.can_jug < state.range(0) - 1)
        w->add_lin();
    for (auto _ : state) {
        w->add_lin();
        state.PauseTiming();
        delete w->lt_nume->takeItem(w->lt_nume->count() - 1);
        --t.can_jug;
        t.tot_tik -= 1000000000;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddLine)->Arg(1)->Arg(500)->Unit(benchmark::kMicrosecond);

} // namespace
