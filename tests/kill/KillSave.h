#pragma once

#include "store/ListRows.h"
#include "store/PlayerFiles.h"

#include <QString>
#include <QStringList>

#include <functional>

// A child process saves a changed player over its old files and is killed (SIGKILL) at random
// moments, many times. After each kill, recovery and a load must give exactly the old player or
// exactly the new one: never a mix, never a load error, nothing left beside the files.
namespace KillSave {

constexpr int Player = 1;

struct Options
{
    QString childPath;  // the save_child executable
    bool large = false; // the benchmarks' large player instead of a small one
    int kills = 30;
    int seconds = 0;    // above 0: kills go on until this much time is spent
    quint64 seed = 0;   // 0: a fresh seed
};

struct Result
{
    quint64 seed = 0;
    int kills = 0;
    int oldSets = 0; // the kill came before the commit point
    int newSets = 0; // the kill came after it, or the save had ended
    QStringList failures;
};

// The change the child makes to the loaded player before it saves: records, a new game, the
// picture store, a category name, the top list, the player picture, the name and the overview.
void changePlayer(PlayerState &state, QString &name, RowList &overView);

// The player's name as loading finds it: the name in its player file, "Player 1" without one.
QString loadedName(const LoadedPlayer &loaded);

Result run(const Options &options, const std::function<void(const QString &)> &log);

} // namespace KillSave
