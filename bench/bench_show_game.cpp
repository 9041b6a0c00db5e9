// Showing a game of 5,000 records on the records page, beside loading that player's files.
#include "BenchScale.h"
#include "PlayerFixture.h"
#include "WidgetBenchmarkMain.h"

#include "keeping/RecordsPage.h"
#include "platform/Dialogs.h"
#include "platform/ProgressBar.h"
#include "platform/SharedFileDialog.h"
#include "services/ColorChoice.h"
#include "services/OptionsPage.h"
#include "store/PlayerFiles.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

const int RecordsPerGame = FullOrSmoke(5000, 20);

class SilentDialogs : public Dialogs
{
public:
    bool msgBox(const QString &, const QString &, const QString &) override { return false; }
    QString inputText(const QString &, bool) override { return {}; }
    QString selectFromList(const QString &, const QString &) override { return {}; }
    void showError(const QString &message) override { qFatal("%s", qPrintable(message)); }
    std::optional<qint32> chooseColor(qint32) override { return std::nullopt; }
    QString openFileName(const QString &, int &, const QString &) override { return {}; }
    QString saveFileName(const QString &, int &, const QString &) override { return {}; }
    bool shellOpen(const QString &) override { return true; }
    void showPicture(const QImage &, const QString &) override {}
    QString numberPad(const QString &) override { return {}; }
    std::optional<int> calendar(int, int) override { return std::nullopt; }
};

// What the page is built with: a session holding the loaded player, silent dialogs.
struct BenchContext
{
    QTemporaryDir dataDir;
    QWidget window;
    PlayerSession session{dataDir.path(), std::numeric_limits<int>::max()};
    SilentDialogs silent;
    QProgressBar progress;
    SharedFileDialog openFile{silent, SharedFileDialog::Kind::Open};
    SharedFileDialog saveFile{silent, SharedFileDialog::Kind::Save};
    ColorChoice colors{silent};
    QWidget optionsSheet;
    OptionsPage options{&optionsSheet};
    PageContext context{window, session, silent, openFile, saveFile, colors, options, ProgressOnBar(&progress), {}};
};

struct Prepared
{
    QTemporaryDir dir;
    PlayerFiles files{dir.path()};
    QStringList paths;
    double loadSeconds = 0;
};

Prepared &prepared()
{
    static std::unique_ptr<Prepared> made;
    if (!made) {
        made = std::make_unique<Prepared>();
        // One game per category, each with RecordsPerGame records.
        PlayerFixture{5, RecordsPerGame, 0, 0, 0}.writeTo(made->dir.path(), 1);
        made->paths = {made->files.recordsPath(1), made->files.playerPath(1)};
        made->loadSeconds = playerLoadSeconds(made->files, 1);
    }
    return *made;
}

// Arg 0: the page hidden (the work of ShowGame alone); 1: shown, with the list painted.
void BM_ShowGame(benchmark::State &state)
{
    Prepared &p = prepared();
    BenchContext ctx;
    ctx.session.takeData(p.files.LoadPlayerData(1, DefaultCategoryNames()).state);
    RecordsPage page(ctx.context);
    QObject::connect(&page, &RecordsPage::buttonsChanged, &page, &RecordsPage::updateRecordButtons);
    const bool shown = state.range(0) == 1;
    if (shown) {
        page.resize(900, 700);
        page.show();
        QCoreApplication::processEvents();
    }

    double seconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        page.ShowGame(GameRef{1, 0});
        if (shown)
            page.repaint();
        seconds += timer.nsecsElapsed() / 1e9;
    }
    if (page.records().size() != RecordsPerGame)
        state.SkipWithError("the game's records were not all shown");
    const double perShow = seconds / double(state.iterations());
    state.SetLabel(shown ? "shown" : "hidden");
    state.SetItemsProcessed(state.iterations() * RecordsPerGame);
    state.counters["show_ms"] = perShow * 1e3;
    state.counters["load_player_ms"] = p.loadSeconds * 1e3;
    state.counters["x_load_player"] = perShow / p.loadSeconds;
    state.counters["file_MB"] = double(totalFileBytes(p.paths)) / 1e6;
}

} // namespace

BENCHMARK(BM_ShowGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(MinSeconds(1));

int main(int argc, char **argv)
{
    return RunWidgetBenchmarks(argc, argv);
}
