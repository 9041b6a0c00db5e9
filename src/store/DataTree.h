#pragma once

#include "store/AppError.h"
#include "store/ListRows.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

struct TreeDamage;

// A node of the data tree: a text and its ordered children. What a node means follows
// from its depth and position alone.
struct DataNode
{
    QString text;
    std::vector<DataNode> children;

    DataNode() = default;
    explicit DataNode(QString t) : text(std::move(t)) {}
    bool operator==(const DataNode &) const = default;
};

// One record of a game as the tree holds it.
struct StoredRecord
{
    QString points;
    QString dateNumber;
    QString comment;
    bool operator==(const StoredRecord &) const = default;
};

// One player's games and records: "Root" -> five category nodes -> game slots ->
// "Records" / "GameComment" / "PicIndex" -> record nodes (points, date number, comment).
// Categories are numbered 1..5; a game is found by its index among its category's slots.
class DataTree
{
public:
    static constexpr int CategoryCount = 5;

    // All nodes removed and the single node "Root" added.
    void fresh();
    void clear() { m_top.clear(); }

    // The top-level nodes as loaded; normally just "Root".
    const std::vector<DataNode> &topLevel() const { return m_top; }
    bool isEmpty() const { return m_top.empty(); }

    // Throws "Invalid index" when the tree has no root.
    DataNode &root();
    const DataNode &root() const;
    bool hasGames() const { return !m_top.empty() && !m_top.front().children.empty(); }

    // Throws "List index out of bounds (%d)" where the tree lacks the node.
    const DataNode &category(int category) const;
    const DataNode &game(int category, int gameIndex) const;

    int FindFreeGameSlot(int category) const;

    // Adds a game (its name already checked unique); the slot it took. An empty name adds nothing (-1).
    int addGame(int category, const QString &name);

    // Frees the game's slot and empties its picture store line; true when it had a picture line.
    bool deleteGame(int category, int gameIndex, QList<QByteArray> &pictureStore);

    void renameGame(int category, int gameIndex, const QString &name);

    // Sorts the records by points, highest first, and writes them into the game's record nodes.
    // Throws "'%s' is not a valid integer value" for points that are not a 64-bit integer,
    // changing nothing.
    void StoreRecords(int category, int gameIndex, QList<StoredRecord> &records);

    // The game's records in order, skipping record nodes with empty points.
    QList<StoredRecord> readRecords(int category, int gameIndex) const;

    QString gameComment(int category, int gameIndex) const;
    void setGameComment(int category, int gameIndex, const QString &commaText);

    QString pictureIndex(int category, int gameIndex) const;
    void setPictureIndex(int category, int gameIndex, const QString &index);

    // The records file: one line per node in pre-order, as many TABs as its depth, CR LF.
    QByteArray toFileBytes() const;
    void save(const QString &path) const;

    // Replaces the tree by the file's content. Throws "Cannot open file %s" before touching the
    // tree, and "Invalid level (%d) for item "%s"" for a line too deep, keeping what was read.
    void load(const QString &path);
    void loadFromBytes(QByteArrayView bytes);

    // A line too deep for its place either stops reading (Stop), or is placed one level below
    // the line before it so that the lines after it are read too (Keep). Returns the
    // "Invalid level" message of the first such line; empty when there was none.
    enum class TooDeep { Stop, Keep };
    QString loadFromBytes(QByteArrayView bytes, TooDeep rule);

    bool operator==(const DataTree &other) const { return m_top == other.m_top; }

private:
    friend TreeDamage RepairTree(DataTree &tree, QList<QByteArray> &pictureStore);

    std::optional<AppError> readBytes(QByteArrayView bytes, TooDeep rule);

    DataNode &categoryNode(int category);
    DataNode &gameNode(int category, int gameIndex);
    DataNode &gameChild(int category, int gameIndex, int child);
    const DataNode &gameChild(int category, int gameIndex, int child) const;

    std::vector<DataNode> m_top;
    // The size of the file last read: where a saved file's buffer starts out.
    qsizetype m_fileSizeHint = 0;
};

// Sorts records by points, highest first (equal points keep their order).
void SortRecords(QList<StoredRecord> &records);
