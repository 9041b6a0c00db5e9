// Loading and saving one player's files, beside plain I/O of the same bytes.
#include "BenchScale.h"
#include "PlayerFixture.h"

#include "store/PlayerFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Case
{
    const char *name;
    PlayerFixture fixture;
};

const Case cases[] = {
    {"S", FullOrSmoke(PlayerFixture{200, 20, 0, 0, 0}, PlayerFixture{20, 2, 0, 0, 0})},
    {"L", FullOrSmoke(PlayerFixture{10000, 50, 10, 1600, 1200}, PlayerFixture{50, 3, 2, 32, 24})},
};

struct Prepared
{
    QTemporaryDir dir;
    PlayerFiles files{dir.path()};
    QStringList paths;
};

Prepared &prepared(int index)
{
    static std::unique_ptr<Prepared> made[2];
    if (!made[index]) {
        made[index] = std::make_unique<Prepared>();
        cases[index].fixture.writeTo(made[index]->dir.path(), 1);
        made[index]->paths = {made[index]->files.recordsPath(1), made[index]->files.playerPath(1)};
    }
    return *made[index];
}

void BM_LoadPlayerData(benchmark::State &state)
{
    Prepared &p = prepared(int(state.range(0)));
    const double plain = plainReadSeconds(p.paths);
    const qint64 fileBytes = totalFileBytes(p.paths);

    // Peak memory of one load, over the files' size.
    double peakRatio = 0;
    {
        resetPeakResident();
        const qint64 before = residentBytes();
        const LoadedPlayer loaded = p.files.LoadPlayerData(1, DefaultCategoryNames());
        peakRatio = double(peakResidentBytes() - before) / double(fileBytes);
    }

    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        LoadedPlayer loaded = p.files.LoadPlayerData(1, DefaultCategoryNames());
        seconds += timer.nsecsElapsed() / 1e9;
        state.PauseTiming();
        { LoadedPlayer discard = std::move(loaded); }
        state.ResumeTiming();
    }
    state.SetLabel(cases[state.range(0)].name);
    state.SetBytesProcessed(state.iterations() * fileBytes);
    state.counters["x_plain_read"] = seconds / double(state.iterations()) / plain;
    state.counters["load_ms"] = seconds / double(state.iterations()) * 1e3;
    state.counters["plain_read_ms"] = plain * 1e3;
    state.counters["peak_mem_x_files"] = peakRatio;
    state.counters["file_MB"] = double(fileBytes) / 1e6;
}

// Saves of the loaded player that write the given files, timed beside plain and durable writes
// of the same files' bytes.
void timeSaves(benchmark::State &state, const QStringList &paths, DataFiles written)
{
    Prepared &p = prepared(int(state.range(0)));
    const double plain = plainWriteSeconds(paths, false);
    const double durable = plainWriteSeconds(paths, true);
    const qint64 fileBytes = totalFileBytes(paths);
    PlayerState loaded = p.files.LoadPlayerData(1, DefaultCategoryNames()).state;
    const QString name = QStringLiteral("Player 1");

    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        p.files.SavePlayerData(1, loaded, name, {}, written);
        seconds += timer.nsecsElapsed() / 1e9;
    }
    state.SetLabel(cases[state.range(0)].name);
    state.SetBytesProcessed(state.iterations() * fileBytes);
    state.counters["x_plain_write"] = seconds / double(state.iterations()) / plain;
    state.counters["save_ms"] = seconds / double(state.iterations()) * 1e3;
    state.counters["plain_write_ms"] = plain * 1e3;
    state.counters["x_durable_write"] = seconds / double(state.iterations()) / durable;
    state.counters["durable_write_ms"] = durable * 1e3;
    state.counters["file_MB"] = double(fileBytes) / 1e6;
}

void BM_SavePlayerData(benchmark::State &state)
{
    timeSaves(state, prepared(int(state.range(0))).paths, AllDataFiles);
}

// The autosave after an edit of records: only the records file is written, as one group.
void BM_SaveEditedRecords(benchmark::State &state)
{
    timeSaves(state, {prepared(int(state.range(0))).files.recordsPath(1)}, DataFile::Records);
}

// The parts of a load and a save that are the store's own work, without the disk.
void BM_RecordsFromBytes(benchmark::State &state)
{
    Prepared &p = prepared(int(state.range(0)));
    QFile file(p.files.recordsPath(1));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        DataTree tree;
        tree.loadFromBytes(bytes);
        benchmark::DoNotOptimize(tree.topLevel().data());
        state.PauseTiming();
        { DataTree discard = std::move(tree); }
        state.ResumeTiming();
    }
    state.SetLabel(cases[state.range(0)].name);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_RecordsToBytes(benchmark::State &state)
{
    Prepared &p = prepared(int(state.range(0)));
    DataTree tree;
    tree.load(p.files.recordsPath(1));
    qint64 size = 0;
    for (auto _ : state) {
        const QByteArray bytes = tree.toFileBytes();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetLabel(cases[state.range(0)].name);
    state.SetBytesProcessed(state.iterations() * size);
}

} // namespace

BENCHMARK(BM_RecordsFromBytes)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(0.5));
BENCHMARK(BM_RecordsToBytes)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(0.5));
BENCHMARK(BM_LoadPlayerData)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));
BENCHMARK(BM_SavePlayerData)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));
BENCHMARK(BM_SaveEditedRecords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(2));

BENCHMARK_MAIN();
