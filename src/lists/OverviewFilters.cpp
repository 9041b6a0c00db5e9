#include "lists/OverviewFilters.h"

#include "lists/OverviewBuild.h"

#include <QSet>

namespace Overview {

QString AllEntry(const QString &allText)
{
    return u'(' + allText + u')';
}

FilterLists MakeFilterLists(const RowList &rows, const QStringList &playerNames, const QString &allEntry)
{
    FilterLists lists;
    lists.games.reserve(rows.size() + 1);
    lists.games.append(allEntry);
    lists.categories.append(allEntry);
    lists.bestPlayers.append(allEntry);
    QSet<QString> folded{allEntry.toCaseFolded()};
    for (const ListRow &row : rows) {
        lists.games.append(row.subItem(GameField));
        const QString category = row.subItem(CategoryField);
        const QString key = category.toCaseFolded();
        if (!folded.contains(key)) {
            folded.insert(key);
            lists.categories.append(category);
        }
    }
    if (lists.games.size() > 1)
        lists.bestPlayers.append(playerNames.mid(0, PlayerCount));
    return lists;
}

std::optional<QString> ChoiceOf(int index, const QString &text)
{
    if (index <= 0)
        return std::nullopt;
    return text;
}

bool PassesFilters(const ListRow &row, const FilterChoice &choice)
{
    auto passes = [&](const std::optional<QString> &chosen, int field) { return !chosen || row.subItem(field) == *chosen; };
    return passes(choice.game, GameField) && passes(choice.category, CategoryField)
        && passes(choice.bestPlayer, BestField);
}

RowList PassingRows(const RowList &rows, const FilterChoice &choice)
{
    if (!choice.game && !choice.category && !choice.bestPlayer)
        return rows;
    RowList passing;
    for (const ListRow &row : rows)
        if (PassesFilters(row, choice))
            passing.append(row);
    return passing;
}

} // namespace Overview
