#include "store/TreeRepair.h"

#include "store/CommaText.h"
#include "store/Picture.h"
#include "store/PictureStore.h"
#include "store/Points.h"

#include <QSet>

#include <algorithm>

namespace {

const QString RecordsLabel = QStringLiteral("Records");
const QString CommentLabel = QStringLiteral("GameComment");
const QString PicIndexLabel = QStringLiteral("PicIndex");

bool isLeaf(const DataNode &node) { return node.children.empty(); }

// The texts of a node's descendants in file order: the fields of a record whose lines stand
// too deep (a comment that began with a blank) come back in their order.
void collectTexts(const DataNode &node, QStringList &texts)
{
    for (const DataNode &child : node.children) {
        texts.append(child.text);
        collectTexts(child, texts);
    }
}

// A record node as the program writes it: three fields, points that are a number.
bool isWholeRecord(const DataNode &record)
{
    return record.children.size() == 3 && isLeaf(record.children[0]) && isLeaf(record.children[1])
           && isLeaf(record.children[2]) && Points::tryParse(record.children[0].text).has_value();
}

DataNode recordNode(qsizetype label, const StoredRecord &record)
{
    DataNode node(QStringLiteral("Record%1").arg(label));
    node.children.reserve(3);
    node.children.emplace_back(record.points);
    node.children.emplace_back(record.dateNumber);
    node.children.emplace_back(record.comment);
    return node;
}

// Rebuilds the records of one game from every record node of its "Records" parts.
void repairRecords(const std::vector<const DataNode *> &parts, DataNode &records, GameDamage &damage)
{
    QList<StoredRecord> kept;
    for (const DataNode *part : parts) {
        for (const DataNode &record : part->children) {
            if (isWholeRecord(record)) {
                kept.push_back({record.children[0].text, record.children[1].text, record.children[2].text});
                continue;
            }
            QStringList fields;
            collectTexts(record, fields);
            const bool empty = std::all_of(fields.cbegin(), fields.cend(), [](const QString &t) { return t.isEmpty(); });
            // A record with empty points holds no score and is passed over when records are read.
            if (record.children.size() == 3 && empty)
                continue;
            if (fields.isEmpty() || !Points::tryParse(fields[0])) {
                ++damage.recordsLeftOut;
                continue;
            }
            kept.push_back({fields[0], fields.value(1), fields.value(2)});
            damage.repaired = true;
        }
    }
    // Every kept record's points are a number.
    SortRecords(kept);
    records.children.clear();
    records.children.reserve(size_t(kept.size()));
    const qsizetype count = kept.size();
    for (qsizetype i = 0; i < count; ++i)
        records.children.push_back(recordNode(count - 1 - i, kept[i]));
}

bool recordsInShape(const DataNode &records)
{
    qint64 previous = 0;
    for (size_t i = 0; i < records.children.size(); ++i) {
        const DataNode &record = records.children[i];
        if (!isWholeRecord(record))
            return false;
        const qint64 points = *Points::tryParse(record.children[0].text);
        if (i > 0 && points > previous)
            return false;
        previous = points;
    }
    return true;
}

class Repairer
{
public:
    explicit Repairer(QList<QByteArray> &store) : m_store(store) {}

    void repairGame(DataNode &game, int category, TreeDamage &tree)
    {
        GameDamage damage{category, game.text, 0, false};
        if (isGameInShape(game)) {
            QString &index = game.children[2].children.front().text;
            QString checked = pictureIndexText(&game.children[2], damage);
            if (checked != index)
                index = std::move(checked);
        } else {
            rebuildGame(game, damage);
        }
        if (damage.repaired || damage.recordsLeftOut > 0)
            tree.games.append(damage);
    }

private:
    static bool isGameInShape(const DataNode &game)
    {
        auto onlyLeafChild = [](const DataNode &node) { return node.children.size() == 1 && isLeaf(node.children.front()); };
        return game.children.size() == 3 && game.children[0].text == RecordsLabel && game.children[1].text == CommentLabel
               && game.children[2].text == PicIndexLabel && recordsInShape(game.children[0])
               && onlyLeafChild(game.children[1]) && onlyLeafChild(game.children[2]);
    }

    void rebuildGame(DataNode &game, GameDamage &damage)
    {
        std::vector<const DataNode *> recordParts;
        const DataNode *comment = nullptr;
        const DataNode *picIndex = nullptr;
        for (const DataNode &part : game.children) {
            if (part.text == RecordsLabel)
                recordParts.push_back(&part);
            else if (part.text == CommentLabel && !comment)
                comment = &part;
            else if (part.text == PicIndexLabel && !picIndex)
                picIndex = &part;
            else
                damage.repaired = true; // a node of no known meaning, or a second comment or index
        }
        // Parts only out of order lose nothing; missing or doubled ones are reported.
        if (recordParts.size() != 1 || !comment || !picIndex)
            damage.repaired = true;

        std::vector<DataNode> parts;
        parts.reserve(3);
        parts.emplace_back(RecordsLabel);
        repairRecords(recordParts, parts.back(), damage);
        parts.emplace_back(CommentLabel);
        parts.back().children.emplace_back(commentText(comment, damage));
        parts.emplace_back(PicIndexLabel);
        parts.back().children.emplace_back(pictureIndexText(picIndex, damage));
        game.children = std::move(parts);
    }

    static QString commentText(const DataNode *comment, GameDamage &damage)
    {
        if (!comment)
            return QString();
        if (comment->children.size() == 1 && isLeaf(comment->children.front()))
            return comment->children.front().text;
        // Every text under the node is kept, each as comment lines of its own.
        QStringList texts;
        collectTexts(*comment, texts);
        QStringList lines;
        for (const QString &text : texts)
            lines += CommaText::toList(text);
        damage.repaired = true;
        return CommaText::fromList(lines);
    }

    QString pictureIndexText(const DataNode *picIndex, GameDamage &damage)
    {
        const QString none = QStringLiteral("-1");
        if (!picIndex)
            return none;
        if (picIndex->children.size() != 1 || !isLeaf(picIndex->children.front()))
            damage.repaired = true;
        if (picIndex->children.empty())
            return none;
        const QString &text = picIndex->children.front().text;
        if (text == none)
            return none;
        const int line = PictureStoreLine(text, m_store);
        if (line < 0 || !LooksLikeBmpText(m_store[line])) {
            damage.repaired = true;
            return none;
        }
        // A removed picture: the game has none.
        if (m_store[line].isEmpty())
            return none;
        if (m_usedLines.contains(line)) {
            // Two games on one line would overwrite or remove each other's picture.
            const QByteArray picture = m_store[line];
            m_store.append(picture);
            const int copy = int(m_store.size() - 1);
            m_usedLines.insert(copy);
            return QString::number(copy);
        }
        m_usedLines.insert(line);
        return text;
    }

    QList<QByteArray> &m_store;
    QSet<int> m_usedLines;
};

} // namespace

TreeDamage RepairTree(DataTree &tree, QList<QByteArray> &pictureStore)
{
    TreeDamage damage;
    std::vector<DataNode> &top = tree.m_top;
    if (top.empty()) {
        tree.fresh();
        damage.shapeRepaired = true;
        return damage;
    }
    if (top.size() > 1) {
        top.resize(1);
        damage.shapeRepaired = true;
    }
    DataNode &root = top.front();
    if (root.children.empty())
        return damage;
    if (root.children.size() > size_t(DataTree::CategoryCount)) {
        root.children.resize(DataTree::CategoryCount);
        damage.shapeRepaired = true;
    }
    for (int k = int(root.children.size()) + 1; k <= DataTree::CategoryCount; ++k)
        root.children.emplace_back(QStringLiteral("Category %1").arg(k));

    Repairer repairer(pictureStore);
    for (int k = 1; k <= DataTree::CategoryCount; ++k) {
        for (DataNode &game : root.children[size_t(k - 1)].children) {
            if (game.text.isEmpty()) {
                if (!game.children.empty()) {
                    game.children.clear();
                    damage.shapeRepaired = true;
                }
                continue;
            }
            repairer.repairGame(game, k, damage);
        }
    }
    return damage;
}
