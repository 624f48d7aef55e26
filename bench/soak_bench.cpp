// The suite's soak of the sale over the wire, with many more tickets: tickets typed at the
// sale window, sent through the FreeTDS driver to the central-server double behind its TDS
// endpoint, with connection faults at random points of the ticket cycle, each step checked
// (nothing that changes the server sent while the connection counts as lost, nothing sent
// for a ticket the server closed before) and the promise checked after every ticket (every
// printed ticket committed once, with its plays and total; every committed ticket printed or
// annulled; no printed ticket annulled; a window left without a ticket has one again once
// the server is back, or is closed when that one try is lost too). A new seed each run,
// shown in the label and in every breach. Target: no breach, ever.
#include "main.h"
#include "tests/e2e/wire_sale.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SaleSoak(benchmark::State& state)
{
    // A smoke run only shows that the soak still runs: a few tickets on a fixed seed.
    const quint32 seed = bench::smoke() ? 1 : QRandomGenerator::global()->generate();
    const int tickets = bench::smoke() ? 5 : int(state.range(0));
    wire::Figures f;
    for (auto _ : state)
        f = wire::soak(seed, tickets);
    state.SetLabel(QString("seed %1").arg(seed).toStdString());
    state.counters["tickets"] = f.tickets;
    state.counters["printed"] = f.printed;
    state.counters["annulled"] = f.annulled;
    state.counters["faults"] = f.faults;
    state.counters["left_empty"] = f.left_empty;
    state.counters["ended_empty"] = f.ended_empty;
    state.counters["reopened"] = f.reopened;
    state.counters["reopen_closed"] = f.reopen_closed;
    state.counters["remembered"] = f.remembered;
    state.counters["while_lost"] = f.while_lost;
    state.counters["breaches"] = double(f.breaches.size());
    if (!f.breaches.isEmpty())
        state.SkipWithError(qPrintable(f.breaches.mid(0, 20).join('\n')));
}
BENCHMARK(BM_SaleSoak)->Arg(2000)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
