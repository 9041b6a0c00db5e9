#pragma once

#include <functional>

// Runs the registered benchmarks inside a QApplication, on the offscreen platform unless
// another is set: for benchmarks that build widgets. Shared fixtures are destroyed after the
// benchmarks and before the application, so that no widget outlives it.
int RunWidgetBenchmarks(int argc, char **argv);

// Calls release after the benchmarks have run, while the application still exists; the last
// registered first.
void ReleaseAfterBenchmarks(std::function<void()> release);

// The one T of the benchmark program, made on first use and destroyed after the benchmarks.
template<typename T>
T &SharedFixture()
{
    static T *made = nullptr;
    if (!made) {
        made = new T;
        ReleaseAfterBenchmarks([] {
            delete made;
            made = nullptr;
        });
    }
    return *made;
}
