// Play registration against the in-process double: one Procesar (a triple on ten ticked
// lotteries, ten answer rows), and adding the 1st and the 500th line of a ticket. Targets:
// a Procesar well under 1 ms; the 500th line costs no more than twice the 1st.
#include "sale/plays/movtik_plays.h"
#include "sale/windows.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// A sale window on a ticket of an outlet with ten triple lotteries and quota to spare.
struct Rig {
    TestApp t;
    movtik_plays* w = nullptr;

    Rig()
    {
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
        for (int i = 0; i < w->lt_lote->count(); ++i)
            w->lt_lote->item(i)->setCheckState(Qt::Checked);  // ticked again on every ticket
        w->tx_mont->setEditText("10");
    }
    ~Rig() { t->unload("movtik"); }
};

void BM_Procesar(benchmark::State& state)
{
    Rig r;
    auto* w = r.w;
    const auto press = [w] {
        w->tx_nume->setEditText("123");
        w->b_procesar->click();
        w->b_procesar->click();
    };
    int presses = 0;
    for (auto _ : state) {
        press();
        if (++presses % 50 == 0) {  // a fresh ticket now and then, out of the timing
            state.PauseTiming();
            QCoreApplication::processEvents();
            w->new_tik();
            w->tx_mont->setEditText("10");
            state.ResumeTiming();
        }
    }
    const int before = w->tik_cur.can_jug;
    press();
    if (w->tik_cur.can_jug != before + 10)
        state.SkipWithError("a press did not give its ten lines");
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
