#include "lists/OverviewBuild.h"

#include "store/AppError.h"
#include "store/DataTree.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <QFileInfo>

#include <array>

namespace Overview {

namespace {

// Node depths of the records file.
enum Depth { RootDepth, CategoryDepth, GameDepth, GameChildDepth, RecordDepth, RecordFieldDepth };

// A game as met in the records file, before its texts are decoded.
struct RawGame
{
    int category = 0;
    QByteArrayView name;
    QByteArrayView points;
};

// Walks the records file line by line as loading the data tree does (the same depth rule and
// the same "Invalid level" error), keeping only the named games under the first top-level node
// and the points of each game's first record that has points. highestNamedCategory gets the
// highest category node that holds a named game, or -1.
QList<RawGame> scanRecords(QByteArrayView bytes, TextCodec::Encoding encoding, int &highestNamedCategory)
{
    QList<RawGame> games;
    highestNamedCategory = -1;
    qsizetype pathSize = 0;
    bool first = true;
    int topNodes = 0;
    int category = -1;

    bool gameOpen = false;
    RawGame game;
    int gameChild = -1;
    int recordField = -1;
    bool hasPoints = false;
    auto closeGame = [&] {
        if (gameOpen && !game.name.isEmpty()) {
            highestNamedCategory = qMax(highestNamedCategory, game.category);
            if (hasPoints)
                games.append(game);
        }
        gameOpen = false;
    };

    TextFile::forEachLine(bytes, [&](QByteArrayView line) {
        qsizetype depth = 0;
        while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' '))
            ++depth;
        const QByteArrayView text = line.sliced(depth);
        if (first) {
            first = false;
            depth = 0;
        }
        if (depth > pathSize)
            throw AppError(QStringLiteral("Invalid level (%1) for item \"%2\"").arg(depth).arg(TextCodec::decode(text, encoding)));
        pathSize = depth + 1;
        switch (depth) {
        case RootDepth:
            closeGame();
            ++topNodes;
            category = -1;
            break;
        case CategoryDepth:
            closeGame();
            if (topNodes == 1)
                ++category;
            break;
        case GameDepth:
            closeGame();
            if (topNodes == 1) {
                gameOpen = true;
                game = {category, text, {}};
                gameChild = -1;
                hasPoints = false;
            }
            break;
        case GameChildDepth:
            if (gameOpen)
                ++gameChild;
            break;
        case RecordDepth:
            recordField = -1;
            break;
        case RecordFieldDepth:
            // The first field of a record is its points; the "Records" node is the game's first child.
            if (gameOpen && gameChild == 0 && ++recordField == 0 && !hasPoints && !text.isEmpty()) {
                game.points = text;
                hasPoints = true;
            }
            break;
        default:
            break;
        }
    });
    closeGame();
    return games;
}

// The player file's last four lines: category list, top list, player picture, name; the lines
// before them are pictures and stay undecoded.
struct PlayerFileTail
{
    qsizetype lineCount = 0;
    std::array<QByteArrayView, 4> fromEnd; // [0] the last line
};

PlayerFileTail tailOf(QByteArrayView bytes)
{
    PlayerFileTail tail;
    TextFile::forEachLine(bytes, [&](QByteArrayView line) {
        tail.fromEnd[3] = tail.fromEnd[2];
        tail.fromEnd[2] = tail.fromEnd[1];
        tail.fromEnd[1] = tail.fromEnd[0];
        tail.fromEnd[0] = line;
        ++tail.lineCount;
    });
    return tail;
}

// Reads as loading the player does, step by step: the records file, then the player file (its
// bytes come from playerFile, which may throw), its name line, its category list.
PlayerScores scoresOf(QByteArrayView recordsFile, const std::function<QByteArray()> &playerFile)
{
    PlayerScores scores;
    scores.status = PlayerScores::Status::Damaged;
    try {
        const TextCodec::Encoding encoding = TextCodec::detect(recordsFile);
        int highestNamedCategory = -1;
        const QList<RawGame> raw = scanRecords(recordsFile, encoding, highestNamedCategory);

        const QByteArray playerBytes = playerFile();
        const PlayerFileTail tail = tailOf(playerBytes);
        const qsizetype textLines = qMin<qsizetype>(4, tail.lineCount);
        QByteArray textBytes;
        for (qsizetype i = textLines - 1; i >= 0; --i)
            textBytes += tail.fromEnd[size_t(i)];
        const bool utf8 = TextCodec::isValidUtf8(textBytes);
        if (tail.lineCount >= 1)
            scores.name = TextCodec::decode(tail.fromEnd[0], utf8);
        if (tail.lineCount < 4)
            throw AppError::indexOutOfBounds(-1);

        RowList categories;
        CommaTextToList(TextCodec::decode(tail.fromEnd[3], utf8), categories);
        if (categories.size() < DataTree::CategoryCount)
            throw AppError::indexOutOfBounds(qMax<qsizetype>(1, categories.size()));
        for (const ListRow &row : categories)
            scores.categoryNames.append(row.caption);
        if (highestNamedCategory >= scores.categoryNames.size())
            throw AppError::indexOutOfBounds(highestNamedCategory);

        scores.games.reserve(raw.size());
        for (const RawGame &game : raw)
            scores.games.append({game.category, TextCodec::decode(game.name, encoding), TextCodec::decode(game.points, encoding)});
        scores.status = PlayerScores::Status::Read;
    } catch (const AppError &error) {
        scores.error = error.message();
        scores.categoryNames.clear();
        scores.games.clear();
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

BuildResult BuildOverview(const PlayerFiles &files, PlayerWindow &window, const std::function<void(int)> &progress)
{
    BuildResult result;
    RowStore store;
    for (int player = 1; player <= PlayerCount; ++player) {
        if (progress)
            progress(player);
        const PlayerScores scores = ReadPlayerScores(files, player);
        if (scores.name)
            window.setPlayerName(player, *scores.name);
        if (scores.status == PlayerScores::Status::Damaged)
            result.damaged.append({player, scores.error});
        else
            AddPlayerScores(store, player, scores);
    }
    window.refreshPlayerNames();
    QStringList names;
    for (int player = 1; player <= PlayerCount; ++player)
        names.append(window.playerName(player));
    result.rows = store.takeRows();
    FinishRows(result.rows, names);
    return result;
}

} // namespace Overview
