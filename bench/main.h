#pragma once
// What every benchmark program's main does: runs the benchmarks chosen by the usual
// options, and fails (exit status 1) when a benchmark reported an error or none ran.
// --smoke runs each benchmark once, the fewest iterations, for the tests.

namespace bench {

// Whether this is a smoke run: a benchmark that repeats work inside one iteration does it
// once.
bool smoke();

int run(int argc, char** argv);

} // namespace bench
