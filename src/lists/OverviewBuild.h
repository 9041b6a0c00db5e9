#pragma once

#include "store/ListRows.h"
#include "store/PlayerFiles.h"
#include "store/ProgressSteps.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>

// The overview compares the ten players game by game. Its rows: caption = row number ("0001");
// sub-fields 0 game, 1 category, 2..11 the points text of players 1..10, 12 the best player's name.
namespace Overview {

constexpr int PlayerCount = 10;
constexpr int GameField = 0;
constexpr int CategoryField = 1;
constexpr int FirstPlayerField = 2;
constexpr int BestField = 12;
constexpr int FieldCount = 13;

// A game of one player as the overview takes it: its category node (from 0), its name and the
// points text of its first record, which is its best.
struct PlayerGame
{
    int category = 0;
    QString name;
    QString points;
    bool operator==(const PlayerGame &) const = default;
};

// What the overview reads of one player's files.
struct PlayerScores
{
    enum class Status { NoRecordsFile, Read, Damaged };
    Status status = Status::NoRecordsFile;
    // The name in the player file, when reading got as far as loading the player does.
    std::optional<QString> name;
    QStringList categoryNames;
    // Named games that hold at least one record, in the order of the tree.
    QList<PlayerGame> games;
    // Why the files could not be read.
    QString error;
};

// Reads what the overview needs of the player's records file and player file as loading the
// player does, without decoding pictures. Files whose loading would report damage give
// Status::Damaged with the first message; a missing records file gives NoRecordsFile.
PlayerScores ReadPlayerScores(const PlayerFiles &files, int player);

// The same from the files' bytes.
PlayerScores PlayerScoresFromBytes(QByteArrayView recordsFile, QByteArrayView playerFile);

// The rows being built, found by (game, category) through a hash.
class RowStore
{
public:
    // The row whose game and category equal the names exactly, or -1.
    int FindOverviewRow(const QString &game, const QString &category) const;
    // Appends a row with an empty caption, the game, the category and eleven empty sub-fields.
    int appendRow(const QString &game, const QString &category);
    ListRow &row(int index) { return m_rows[index]; }
    const RowList &rows() const { return m_rows; }
    RowList takeRows();

private:
    RowList m_rows;
    QHash<std::pair<QString, QString>, int> m_index;
};

// Adds a player's games: a new row for each pair not met before, and the points into the
// player's field.
void AddPlayerScores(RowStore &store, int player, const PlayerScores &scores);

// "%.4d" of the number.
QString RowCaption(int number);

// The player (1..10) whose points are highest and above 0, the lower number on a tie; 0 for none.
// Points are read as 64-bit integers; a text that is not one takes no part.
int BestPlayer(const ListRow &row);

// Numbers the rows from 0001 and names each row's best player by names[player - 1].
void FinishRows(RowList &rows, const QStringList &names);

struct DamagedPlayer
{
    int player = 0;
    QString error;
};

struct BuildResult
{
    RowList rows;
    QList<DamagedPlayer> damaged;
    // The ten player names: each player that has a records file named as its player file names it.
    QStringList names;
};

// Builds the overview from the files of players 1..10. Each player that has a records file takes
// the name stored in its player file, the others keep theirs from `names`; the best players are
// named by these names. A damaged player takes no part. The progress runs from 0 to 100 in steps
// of 10, one before each player is read.
BuildResult BuildOverview(const PlayerFiles &files, const QStringList &names, const Progress &progress = {});

} // namespace Overview
