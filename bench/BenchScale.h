#pragma once

// The two sizes of a benchmark run. A full run (make bench) measures on large fixtures for
// seconds. A smoke run (TALLIMO_BENCH_SMOKE=1, as the test builds run every benchmark) only
// proves that each benchmark runs to its end: small fixtures and a minimum time of a moment.

bool IsSmokeRun();

// The full value in a full run, the smoke value in a smoke run.
template<typename T>
T FullOrSmoke(T full, T smoke)
{
    return IsSmokeRun() ? smoke : full;
}

// A benchmark's minimum time in seconds: the given one in a full run, a moment in a smoke run.
double MinSeconds(double full);
