#include "lists/OverviewBuild.h"

#include "store/AppError.h"
#include "store/DataTree.h"
#include "store/Points.h"
#include "store/PlayerRead.h"
#include "store/TextFile.h"

#include <QFileInfo>

#include <array>

namespace Overview {

namespace {

// Reads as loading the player does, with the same defaults and the same repairs, so that exactly
// the players whose loading reports damage count as damaged here. The player file's bytes come
// from playerFile, which may throw.
PlayerScores scoresOf(QByteArrayView recordsFile, const std::function<QByteArray()> &playerFile)
{
    // Category names of a new player are never shown here: a player without them is damaged.
    const std::array<QString, 5> noNames;
    PlayerRead read;
    ReadRecordsBytes(recordsFile, read);
    try {
        ReadPlayerLines(PlayerFileLines(playerFile()), noNames, read);
    } catch (const AppError &error) {
        ReadWithoutPlayerFile(error.message(), noNames, read);
    }

    PlayerScores scores;
    scores.name = read.name;
    if (read.damage.any()) {
        scores.status = PlayerScores::Status::Damaged;
        scores.error = read.damage.fileErrors.value(0);
        if (scores.error.isEmpty())
            scores.error = QStringLiteral("Some games of the records file are damaged.");
        return scores;
    }
    scores.status = PlayerScores::Status::Read;
    for (int k = 1; k <= DataTree::CategoryCount; ++k)
        scores.categoryNames.append(read.categories[k - 1].caption);
    if (!read.tree.hasGames())
        return scores;
    for (int k = 1; k <= DataTree::CategoryCount; ++k) {
        for (const DataNode &game : read.tree.category(k).children) {
            // A repaired tree: every named game has its records first, each with its points first.
            if (game.text.isEmpty() || game.children.front().children.empty())
                continue;
            scores.games.append({k - 1, game.text, game.children.front().children.front().children.front().text});
        }
    }
    return scores;
}

} // namespace

PlayerScores PlayerScoresFromBytes(QByteArrayView recordsFile, QByteArrayView playerFile)
{
    return scoresOf(recordsFile, [playerFile] { return playerFile.toByteArray(); });
}

PlayerScores ReadPlayerScores(const PlayerFiles &files, int player)
{
    const QString recordsPath = files.recordsPath(player);
    if (!QFileInfo::exists(recordsPath))
        return {};
    QByteArray records;
    try {
        records = TextFile::readBytes(recordsPath);
    } catch (const AppError &error) {
        PlayerScores scores;
        scores.status = PlayerScores::Status::Damaged;
        scores.error = error.message();
        return scores;
    }
    const QString playerPath = files.playerPath(player);
    return scoresOf(records, [&playerPath] { return TextFile::readBytes(playerPath); });
}

int RowStore::FindOverviewRow(const QString &game, const QString &category) const
{
    return m_index.value(std::pair(game, category), -1);
}

int RowStore::appendRow(const QString &game, const QString &category)
{
    ListRow row;
    row.subItems.reserve(FieldCount);
    row.subItems.append(game);
    row.subItems.append(category);
    for (int i = CategoryField + 1; i < FieldCount; ++i)
        row.subItems.append(QString());
    const int index = int(m_rows.size());
    m_rows.append(std::move(row));
    m_index.insert(std::pair(game, category), index);
    return index;
}

RowList RowStore::takeRows()
{
    m_index.clear();
    return std::exchange(m_rows, {});
}

void AddPlayerScores(RowStore &store, int player, const PlayerScores &scores)
{
    if (scores.status != PlayerScores::Status::Read || player < 1 || player > PlayerCount)
        return;
    for (const PlayerGame &game : scores.games) {
        const QString &category = scores.categoryNames.at(game.category);
        int row = store.FindOverviewRow(game.name, category);
        if (row < 0)
            row = store.appendRow(game.name, category);
        store.row(row).subItems[FirstPlayerField + player - 1] = game.points;
    }
}

QString RowCaption(int number)
{
    return QString::asprintf("%.4d", number);
}

int BestPlayer(const ListRow &row)
{
    qint64 best = 0;
    int bestPlayer = 0;
    for (int player = 1; player <= PlayerCount; ++player) {
        const QString points = row.subItem(FirstPlayerField + player - 1);
        if (points.isEmpty())
            continue;
        const std::optional<qint64> value = Points::tryParse(points);
        if (value && *value > best) {
            best = *value;
            bestPlayer = player;
        }
    }
    return bestPlayer;
}

void FinishRows(RowList &rows, const QStringList &names)
{
    for (qsizetype k = 0; k < rows.size(); ++k) {
        ListRow &row = rows[k];
        row.caption = RowCaption(int(k + 1));
        while (row.subItems.size() < FieldCount)
            row.subItems.append(QString());
        const int best = BestPlayer(row);
        if (best > 0)
            row.subItems[BestField] = names.value(best - 1);
    }
}

BuildResult BuildOverview(const PlayerFiles &files, const QStringList &names, const Progress &progress)
{
    BuildResult result;
    result.names = names;
    while (result.names.size() < PlayerCount)
        result.names.append(QString());
    RowStore store;
    ProgressSteps steps(progress, 100);
    for (int player = 1; player <= PlayerCount; ++player) {
        steps.reach(player * 10);
        const PlayerScores scores = ReadPlayerScores(files, player);
        if (scores.name)
            result.names[player - 1] = *scores.name;
        if (scores.status == PlayerScores::Status::Damaged)
            result.damaged.append({player, scores.error});
        else
            AddPlayerScores(store, player, scores);
    }
    result.rows = store.takeRows();
    FinishRows(result.rows, result.names);
    return result;
}

} // namespace Overview
