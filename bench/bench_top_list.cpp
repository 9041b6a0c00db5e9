// Building the top list of a category with 10,000 games, beside loading the same player's files.
#include "BenchScale.h"
#include "BenchWindow.h"
#include "PlayerFixture.h"
#include "QuietDialogs.h"
#include "WidgetBenchmarkMain.h"

#include "app/MainForm.h"
#include "keeping/MaintenancePage.h"
#include "lists/TopList.h"
#include "lists/TopPage.h"
#include "platform/Dialogs.h"
#include "store/PlayerFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

// 50,000 games over five categories: 10,000 in category 1, three records each.
const PlayerFixture Fixture = FullOrSmoke(PlayerFixture{50000, 3, 0, 0, 0}, PlayerFixture{100, 3, 0, 0, 0});
const int CategoryGames = Fixture.games / 5;

struct Prepared
{
    QTemporaryDir dir;
    QuietDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    DataTree distinctDates; // the same games, each best record on a day of its own
    double loadSeconds = 0;

    Prepared()
    {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        Fixture.writeTo(dir.path() + QStringLiteral("/Data"), 1);
        form = StartMainWindow(dir.path(), dialogs);
        form->resize(900, 650);
        form->findChild<QTabWidget *>(QStringLiteral("EnterControl"))->setCurrentWidget(form->topPage().sheet());
        QCoreApplication::processEvents();

        loadSeconds = playerLoadSeconds(form->playerFiles(), 1);

        distinctDates = form->player().dataView;
        int day = 30000;
        for (DataNode &game : distinctDates.root().children[0].children)
            game.children[0].children[0].children[1].text = QString::number(day++);
    }
};

Prepared &prepared()
{
    return SharedFixture<Prepared>();
}

// Runs the step once per iteration and reports its time beside the load of the player's files.
void measure(benchmark::State &state, const std::function<int()> &step)
{
    Prepared &p = prepared();
    if (!p.dialogs.errors.isEmpty()) {
        state.SkipWithError(qPrintable(p.dialogs.errors.join(u'\n')));
        return;
    }
    double seconds = 0;
    int rows = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        rows = step();
        seconds += timer.nsecsElapsed() / 1e9;
    }
    if (rows != CategoryGames || !p.dialogs.errors.isEmpty())
        state.SkipWithError("the top list does not hold the category's games");
    const double perBuild = seconds / double(state.iterations());
    state.counters["rows"] = rows;
    state.counters["build_ms"] = perBuild * 1e3;
    state.counters["load_player_ms"] = p.loadSeconds * 1e3;
    state.counters["x_load_player"] = perBuild / p.loadSeconds;
}

void BM_BuildRows(benchmark::State &state)
{
    measure(state, [] {
        Prepared &p = prepared();
        const RowList rows = TopList::buildRows(p.form->player().dataView, 1, p.form->progress());
        return int(rows.size());
    });
}

void BM_BuildRowsDistinctDates(benchmark::State &state)
{
    measure(state, [] {
        Prepared &p = prepared();
        const RowList rows = TopList::buildRows(p.distinctDates, 1, p.form->progress());
        return int(rows.size());
    });
}

// The whole "Create list" handler: build, store with the player, show in the visible list.
void BM_TopUpdateButtonClick(benchmark::State &state)
{
    measure(state, [] {
        Prepared &p = prepared();
        p.form->session().setCurrentCategory(1);
        p.form->topPage().TopUpdateButtonClick();
        // The view lays out its rows in the next pass of the event loop.
        QCoreApplication::processEvents();
        return int(p.form->topPage().rows().size());
    });
}

BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));
BENCHMARK(BM_BuildRowsDistinctDates)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));
BENCHMARK(BM_TopUpdateButtonClick)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));

} // namespace

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
