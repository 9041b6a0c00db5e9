// Building the overview over ten players of 2,000 games with 20 records each, beside reading the
// same files plainly and loading each player's data; and filling the overview's grids and filters.
#include "BenchScale.h"
#include "BenchWindow.h"
#include "PlayerFixture.h"
#include "QuietDialogs.h"
#include "WidgetBenchmarkMain.h"

#include "app/MainForm.h"
#include "lists/OverviewBuild.h"
#include "lists/OverviewGrid.h"
#include "lists/OverviewPage.h"
#include "platform/Dialogs.h"
#include "store/PlayerFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Players = 10;
const PlayerFixture Fixture = FullOrSmoke(PlayerFixture{2000, 20, 0, 0, 0}, PlayerFixture{20, 2, 0, 0, 0});

template<typename F>
double bestSeconds(int runs, F &&f)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        f();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

struct Prepared
{
    QTemporaryDir dir;
    QString dataDir;
    QStringList paths;
    double readSeconds = 0;
    double loadSeconds = 0;

    Prepared()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        dataDir = dir.path() + QStringLiteral("/Data");
        const PlayerFiles files(dataDir);
        for (int p = 1; p <= Players; ++p) {
            Fixture.writeTo(dataDir, p);
            paths << files.recordsPath(p) << files.playerPath(p);
        }
        readSeconds = plainReadSeconds(paths);
        // Loading every player's data as a change of player does, for comparison.
        loadSeconds = bestSeconds(3, [&] {
            for (int p = 1; p <= Players; ++p) {
                const LoadedPlayer loaded = files.LoadPlayerData(p, DefaultCategoryNames());
                benchmark::DoNotOptimize(loaded.state.dataView.topLevel().data());
            }
        });
    }
};

Prepared &prepared()
{
    return SharedFixture<Prepared>();
}

void BM_BuildOverview(benchmark::State &state)
{
    Prepared &p = prepared();
    const PlayerFiles files(p.dataDir);
    double seconds = 0;
    qsizetype rows = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        Overview::BuildResult built = Overview::BuildOverview(files, QStringList(10, QStringLiteral("Player")));
        seconds += timer.nsecsElapsed() / 1e9;
        rows = built.rows.size();
        if (!built.damaged.isEmpty())
            state.SkipWithError(qPrintable(built.damaged.first().error));
        benchmark::DoNotOptimize(built.rows.data());
    }
    if (rows != Fixture.games)
        state.SkipWithError("the overview does not hold one row per game");
    const double perBuild = seconds / double(state.iterations());
    state.counters["rows"] = double(rows);
    state.counters["file_MB"] = double(totalFileBytes(p.paths)) / 1e6;
    state.counters["build_ms"] = perBuild * 1e3;
    state.counters["plain_read_ms"] = p.readSeconds * 1e3;
    state.counters["x_plain_read"] = perBuild / p.readSeconds;
    state.counters["load_players_ms"] = p.loadSeconds * 1e3;
}

BENCHMARK(BM_BuildOverview)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));

// The main window with the overview page shown, over the same player files.
struct Window
{
    QuietDialogs dialogs;
    std::unique_ptr<TMainForm> form;

    Window()
    {
        form = StartMainWindow(prepared().dir.path(), dialogs);
        auto *pages = form->findChild<QTabWidget *>(QStringLiteral("GameControl"));
        pages->setCurrentWidget(form->findChild<QWidget *>(QStringLiteral("OverviewSheet")));
        QCoreApplication::processEvents();
    }
};

// Filling filters and grids for rows built from the files, and for ten times as many rows
// (every player with games of his own).
void BM_FillOverviewGridsAndFilters(benchmark::State &state)
{
    Window &window = SharedFixture<Window>();
    if (!window.dialogs.errors.isEmpty()) {
        state.SkipWithError(qPrintable(window.dialogs.errors.join(u'\n')));
        return;
    }
    RowList rows = Overview::BuildOverview(PlayerFiles(prepared().dataDir), QStringList(10, QStringLiteral("Player"))).rows;
    const int copies = int(state.range(0));
    RowList all;
    for (int copy = 0; copy < copies; ++copy)
        for (ListRow row : rows) {
            row.subItems[Overview::GameField] += QStringLiteral(" #%1").arg(copy);
            all.append(std::move(row));
        }
    Overview::FinishRows(all, QStringList(10, QStringLiteral("Player")));
    window.form->session().setOverview(all);
    OverviewPage &page = window.form->overviewPage();

    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        page.FillOverviewFilters();
        page.FillOverviewGrids();
        // The views lay out and paint in the next pass of the event loop.
        QCoreApplication::processEvents();
        page.gamesGrid()->viewport()->repaint();
        page.pointsGrid()->viewport()->repaint();
        seconds += timer.nsecsElapsed() / 1e9;
    }
    if (page.itemCount() != all.size())
        state.SkipWithError("the grids do not show every row");
    state.counters["rows"] = double(all.size());
    state.counters["fill_ms"] = seconds / double(state.iterations()) * 1e3;
}

BENCHMARK(BM_FillOverviewGridsAndFilters)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
