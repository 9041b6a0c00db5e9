#pragma once

// Runs the registered benchmarks inside a QApplication, on the offscreen platform unless
// another is set: for benchmarks that build widgets.
int RunWidgetBenchmarks(int argc, char **argv);
