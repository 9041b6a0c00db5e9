#pragma once

#include "store/ListRows.h"

#include <QString>
#include <QStringList>

#include <optional>

// The three filter lists of the overview and the rule by which a row passes them.
namespace Overview {

struct FilterLists
{
    QStringList games;
    QStringList categories;
    QStringList bestPlayers;
};

// The entry that lets every row pass: "(" + text + ")".
QString AllEntry(const QString &allText);

// Each list starts with the (All) entry. Games: every row's game, duplicates kept. Categories:
// every row's category unless the list already holds one equal ignoring case. Best players: the
// player names, only when the games list has more than one entry.
FilterLists MakeFilterLists(const RowList &rows, const QStringList &playerNames, const QString &allEntry);

// A filter's choice: nothing for its first entry or no entry, else the chosen entry's text.
struct FilterChoice
{
    std::optional<QString> game;
    std::optional<QString> category;
    std::optional<QString> bestPlayer;
};

// The choice of a list whose entry `index` (from 0, -1 for none) with text `text` is selected.
std::optional<QString> ChoiceOf(int index, const QString &text);

// The row passes when each chosen filter equals its field exactly: game, category, best player.
bool PassesFilters(const ListRow &row, const FilterChoice &choice);

// The rows that pass, in order.
RowList PassingRows(const RowList &rows, const FilterChoice &choice);

} // namespace Overview
