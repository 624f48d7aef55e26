// The main of the benchmarks without windows.
#include "main.h"

int main(int argc, char** argv) { return bench::run(argc, argv); }
