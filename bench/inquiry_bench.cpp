// Opening the ticket inquiry on a busy date: every ticket of the date listed, the last
// one's plays (500 lines on a symbol lottery) named, against the in-process double. The
// time should grow linearly with the tickets and stay well under 100 ms at 3 000.
#include "services/inquiry_window.h"
#include "services/windows.h"
#include "tests/doubles/test_app.h"

#include <benchmark/benchmark.h>

namespace {

void BM_OpenInquiry(benchmark::State& state)
{
    TestApp t;
    register_services_windows(*t);
    t.connect();
    auto& s = t->ses_val;
    s.cod_ven = "001";
    s.cod_caj = "03";
    s.fec_sys = QDate(2030, 1, 2);
    for (int i = 0; i < 100; ++i) {
        t->tab_sim.sim_cod << 1;
        t->tab_sim.sim_num << QString::asprintf("%02d", i);
        t->tab_sim.sim_nom << QString("Simbolo %1").arg(i);
    }
    auto& m = t.srv->model;
    central::Lottery sym;
    sym.codint = sym.codlot = "777";
    sym.nomlot = "SIMBOLOS DE LA NOCHE";
    sym.codsim = 1;
    m.lotteries << sym;
    for (int i = 0; i < state.range(0); ++i) {
        central::Ticket tk;
        tk.numtik = 1000000 + i;
        tk.cod_ven = "001";
        tk.caja = "03";
        tk.fecha = s.fec_sys;
        tk.hora = "10:00:00";
        tk.state = central::Ticket::sold;
        tk.total = 123400000000;
        m.tickets << tk;
    }
    const char* numbers[] = {"05", "0a", "0512", "990512", "123456"};
    for (int i = 0; i < 500; ++i)
        m.tickets.last().plays << central::Play{i, "777", "N", numbers[i % 5], 100000000};

    for (auto _ : state) {
        benchmark::DoNotOptimize(t->window("contix"));
        t->unload("contix");
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenInquiry)->Arg(300)->Arg(3000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

} // namespace
