#include "WidgetBenchmarkMain.h"

#include <QApplication>
#include <QList>

#include <benchmark/benchmark.h>

namespace {

QList<std::function<void()>> &releases()
{
    static QList<std::function<void()>> registered;
    return registered;
}

void releaseFixtures()
{
    QList<std::function<void()>> &registered = releases();
    while (!registered.isEmpty())
        registered.takeLast()();
}

} // namespace

void ReleaseAfterBenchmarks(std::function<void()> release)
{
    releases().append(std::move(release));
}

int RunWidgetBenchmarks(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    releaseFixtures();
    return 0;
}
