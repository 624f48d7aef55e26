#include "main.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <vector>

namespace bench {
namespace {

bool smoke_run = false;

// The usual display, counting the runs that reported an error.
class ErrorCount : public benchmark::BenchmarkReporter {
public:
    explicit ErrorCount(benchmark::BenchmarkReporter* display) : display_(display) {}

    int errors = 0;

    bool ReportContext(const Context& context) override
    {
        display_->SetOutputStream(&GetOutputStream());
        display_->SetErrorStream(&GetErrorStream());
        return display_->ReportContext(context);
    }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            errors += r.error_occurred;
        display_->ReportRuns(runs);
    }
    void Finalize() override { display_->Finalize(); }

private:
    benchmark::BenchmarkReporter* display_;
};

} // namespace

bool smoke() { return smoke_run; }

int run(int argc, char** argv)
{
    std::vector<char*> args(argv, argv + argc);
    static char once[] = "--benchmark_min_time=0";
    for (auto& a : args)
        if (std::strcmp(a, "--smoke") == 0) {
            smoke_run = true;
            a = once;
        }
    int n = int(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&n, args.data());
    if (benchmark::ReportUnrecognizedArguments(n, args.data()))
        return 1;
    ErrorCount reporter(benchmark::CreateDefaultDisplayReporter());
    const size_t ran = benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (ran == 0) {
        std::cerr << "no benchmark ran\n";
        return 1;
    }
    if (reporter.errors > 0) {
        std::cerr << reporter.errors << " benchmark run(s) reported an error\n";
        return 1;
    }
    return 0;
}

} // namespace bench
