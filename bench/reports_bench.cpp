// The report layouts on large answers: rows in, lines out, as a report button lays them out
// once its procedures have answered. Lines per row stay the same, so the time should grow
// linearly with the rows.
#include "main.h"
#include "reports/lines.h"

#include <benchmark/benchmark.h>

namespace {

RepHead head()
{
    return {QStringLiteral("AGENCIA DE LOTERIAS LA SUERTE DEL NORTE"), true, MonCtx{}};
}

const RepRange range{QDate(2024, 5, 1), QDate(2024, 5, 31)};

// The rows of a run: a few in a smoke run, which only shows that the layouts still run.
qint64 rows_of(const benchmark::State& state) { return bench::smoke() ? 10 : state.range(0); }

void sales(benchmark::State& state)
{
    QList<SaleRow> rows;
    QList<AnnulRow> annulled;
    for (qint64 i = 0; i < rows_of(state); ++i) {
        rows.append({QDate(2024, 5, 1).addDays(i % 31), QStringLiteral("%1").arg(i % 100, 2, 10, QLatin1Char('0')),
                     double(i * 1234567 % 100000000000)});
        if (i % 10 == 0)
            annulled.append({QString::number(i + 1000), QStringLiteral("01"), QStringLiteral("10:15:00"), double(i)});
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(lay_repvtq(head(), range, QStringLiteral("TODAS"), rows, &annulled));
    state.SetItemsProcessed(state.iterations() * rows_of(state));
}
BENCHMARK(sales)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void results(benchmark::State& state)
{
    QList<ResultRow> rows;
    for (qint64 i = 0; i < rows_of(state); ++i)
        rows.append({QString::number(100000 + i), QStringLiteral("01"), double(i % 1000 * 100000000),
                     double(i % 5000 * 100000000), int(i % 2)});
    for (auto _ : state)
        benchmark::DoNotOptimize(lay_reprtq(head(), range, QStringLiteral("TODAS"), rows));
    state.SetItemsProcessed(state.iterations() * rows_of(state));
}
BENCHMARK(results)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
