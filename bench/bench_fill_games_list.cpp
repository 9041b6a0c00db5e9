// Filling the games list of a category with 2,000 games, beside loading the same player's files.
#include "BenchScale.h"
#include "BenchWindow.h"
#include "PlayerFixture.h"
#include "QuietDialogs.h"
#include "WidgetBenchmarkMain.h"

#include "app/MainForm.h"
#include "keeping/GamesListModel.h"
#include "keeping/MaintenancePage.h"
#include "platform/Dialogs.h"
#include "store/PlayerFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 10,000 games over five categories: 2,000 in category 1, 20 records each.
const PlayerFixture Fixture = FullOrSmoke(PlayerFixture{10000, 20, 0, 0, 0}, PlayerFixture{50, 2, 0, 0, 0});

struct Prepared
{
    QTemporaryDir dir;
    QuietDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    QStringList paths;
    double loadSeconds = 0;

    Prepared()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        Fixture.writeTo(dir.path() + QStringLiteral("/Data"), 1);
        form = StartMainWindow(dir.path(), dialogs);
        QCoreApplication::processEvents();
        paths = {form->playerFiles().recordsPath(1), form->playerFiles().playerPath(1)};

        loadSeconds = playerLoadSeconds(form->playerFiles(), 1);
    }
};

Prepared &prepared()
{
    return SharedFixture<Prepared>();
}

void BM_FillGamesList(benchmark::State &state)
{
    Prepared &p = prepared();
    if (!p.dialogs.errors.isEmpty()) {
        state.SkipWithError(qPrintable(p.dialogs.errors.join(u'\n')));
        return;
    }
    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        p.form->FillGamesList();
        // The view lays out its rows in the next pass of the event loop.
        QCoreApplication::processEvents();
        seconds += timer.nsecsElapsed() / 1e9;
    }
    const int rows = p.form->maintenancePage().gamesModel()->rowCount();
    if (rows != Fixture.games / 5)
        state.SkipWithError("the games list does not hold the category's games");
    const double perFill = seconds / double(state.iterations());
    state.counters["rows"] = rows;
    state.counters["fill_ms"] = perFill * 1e3;
    state.counters["load_player_ms"] = p.loadSeconds * 1e3;
    state.counters["x_load_player"] = perFill / p.loadSeconds;
}

BENCHMARK(BM_FillGamesList)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
