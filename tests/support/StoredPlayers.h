#pragma once

#include "store/PlayerFiles.h"
#include "store/Points.h"

#include <QStringList>

#include <array>

// Players read and written by the store alone, with what a window would show of them: the ten
// names ("Player n" until a player file names the player) and the files a save set aside.
class StoredPlayers
{
public:
    StoredPlayers()
    {
        for (int n = 1; n <= 10; ++n)
            names[size_t(n - 1)] = QStringLiteral("Player %1").arg(n);
    }

    // Loads the player into the state; a name in its player file becomes the player's name.
    PlayerDamage load(const PlayerFiles &files, int player, PlayerState &state)
    {
        LoadedPlayer loaded = files.LoadPlayerData(player, DefaultCategoryNames());
        state = std::move(loaded.state);
        hadRecordsFile = loaded.hadRecordsFile;
        if (loaded.name)
            names[size_t(player - 1)] = *loaded.name;
        return loaded.damage;
    }

    void save(const PlayerFiles &files, int player, PlayerState &state, const RowList &overView,
              DataFiles which = AllDataFiles)
    {
        files.SavePlayerData(player, state, names[size_t(player - 1)], overView, which,
                             [this](const QStringList &paths) { setAside = paths; });
    }

    // The category names and caption colours of a player's state, as the category panels show them.
    static std::array<QString, 5> captions(const PlayerState &state)
    {
        std::array<QString, 5> shown;
        for (int k = 0; k < 5 && k < state.catListView.size(); ++k)
            shown[size_t(k)] = state.catListView[k].caption;
        return shown;
    }
    static std::array<qint32, 5> colors(const PlayerState &state)
    {
        std::array<qint32, 5> shown{};
        for (int k = 0; k < 5 && k < state.catListView.size(); ++k)
            shown[size_t(k)] = parseStoredInteger(state.catListView[k].subItem(0));
        return shown;
    }

    QStringList nameList() const { return QStringList(names.begin(), names.end()); }

    std::array<QString, 10> names;
    QStringList setAside;
    // Whether the last load found a records file.
    bool hadRecordsFile = false;
};
