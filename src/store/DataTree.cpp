#include "store/DataTree.h"

#include "store/AppError.h"
#include "store/LineText.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int RecordsChild = 0;
constexpr int CommentChild = 1;
constexpr int PicIndexChild = 2;

template<typename Node>
auto &childAt(Node &node, qsizetype index)
{
    if (index < 0 || index >= qsizetype(node.children.size()))
        throw AppError::indexOutOfBounds(index);
    return node.children[size_t(index)];
}

// Writes a subtree in file form into a growing buffer.
class FileWriter
{
public:
    explicit FileWriter(qsizetype expected) : m_bytes(qMax<qsizetype>(expected, 4096), Qt::Uninitialized) {}

    void write(const DataNode &node, int depth)
    {
        const qsizetype n = node.text.size();
        reserve(depth + 3 * n + 2);
        char *out = m_bytes.data() + m_size;
        std::memset(out, '\t', size_t(depth));
        out += depth;
        const auto *text = reinterpret_cast<const char16_t *>(node.text.constData());
        qsizetype i = 0;
        while (i < n && text[i] < 0x80)
            *out++ = char(text[i++]);
        if (i < n) {
            QByteArray rest;
            TextCodec::appendUtf8(rest, QStringView(text + i, n - i));
            std::memcpy(out, rest.constData(), size_t(rest.size()));
            out += rest.size();
        }
        *out++ = '\r';
        *out++ = '\n';
        m_size = out - m_bytes.constData();
        for (const DataNode &child : node.children)
            write(child, depth + 1);
    }

    QByteArray take()
    {
        m_bytes.truncate(m_size);
        return std::move(m_bytes);
    }

private:
    void reserve(qsizetype more)
    {
        if (m_size + more > m_bytes.size())
            m_bytes.resize(qMax(m_bytes.size() * 2, m_size + more));
    }

    QByteArray m_bytes;
    qsizetype m_size = 0;
};

// Texts repeat a great deal in a records file ("Records", record labels, dates, points), so
// equal short lines share one string instead of each holding a copy.
class TextCache
{
public:
    explicit TextCache(TextCodec::Encoding encoding) : m_encoding(encoding), m_slots(SlotCount) {}

    QString text(QByteArrayView bytes)
    {
        if (bytes.size() > MaxCachedLength || m_encoding != TextCodec::Encoding::Ascii)
            return TextCodec::decode(bytes, m_encoding);
        quint32 hash = 2166136261u;
        for (const char c : bytes)
            hash = (hash ^ quint8(c)) * 16777619u;
        QString &slot = m_slots[hash & (SlotCount - 1)];
        if (slot.size() != bytes.size() || QLatin1StringView(bytes.data(), bytes.size()) != slot)
            slot = QString::fromLatin1(bytes);
        return slot;
    }

private:
    static constexpr qsizetype MaxCachedLength = 16;
    static constexpr size_t SlotCount = 8192;
    TextCodec::Encoding m_encoding;
    std::vector<QString> m_slots;
};

} // namespace

void DataTree::fresh()
{
    m_top.clear();
    m_top.emplace_back(QStringLiteral("Root"));
}

DataNode &DataTree::root()
{
    if (m_top.empty())
        throw AppError(QStringLiteral("Invalid index"));
    return m_top.front();
}

const DataNode &DataTree::root() const
{
    return const_cast<DataTree *>(this)->root();
}

DataNode &DataTree::categoryNode(int category) { return childAt(root(), category - 1); }
const DataNode &DataTree::category(int category) const { return childAt(root(), category - 1); }
DataNode &DataTree::gameNode(int category, int gameIndex) { return childAt(categoryNode(category), gameIndex); }
const DataNode &DataTree::game(int category, int gameIndex) const { return childAt(this->category(category), gameIndex); }

DataNode &DataTree::gameChild(int category, int gameIndex, int child)
{
    return childAt(gameNode(category, gameIndex), child);
}

const DataNode &DataTree::gameChild(int category, int gameIndex, int child) const
{
    return childAt(game(category, gameIndex), child);
}

int DataTree::FindFreeGameSlot(int category) const
{
    const DataNode &cat = this->category(category);
    for (qsizetype i = qsizetype(cat.children.size()) - 1; i >= 0; --i)
        if (cat.children[size_t(i)].text.isEmpty())
            return int(i);
    return -1;
}

int DataTree::addGame(int category, const QString &name)
{
    const QString text = LineText::oneLine(name);
    if (text.isEmpty())
        return -1;
    DataNode &r = root();
    if (r.children.empty())
        for (int k = 1; k <= CategoryCount; ++k)
            r.children.emplace_back(QStringLiteral("Category %1").arg(k));
    DataNode &cat = categoryNode(category);
    int slot = FindFreeGameSlot(category);
    if (slot >= 0) {
        cat.children[size_t(slot)].text = text;
    } else {
        cat.children.insert(cat.children.begin(), DataNode(text));
        slot = 0;
    }
    DataNode &g = cat.children[size_t(slot)];
    g.children.clear();
    g.children.emplace_back(QStringLiteral("Records"));
    g.children.emplace_back(QStringLiteral("GameComment"));
    g.children.back().children.emplace_back(QString());
    g.children.emplace_back(QStringLiteral("PicIndex"));
    g.children.back().children.emplace_back(QStringLiteral("-1"));
    return slot;
}

bool DataTree::deleteGame(int category, int gameIndex, QList<QByteArray> &pictureStore)
{
    DataNode &g = gameNode(category, gameIndex);
    bool freedPicture = false;
    if (!g.children.empty()) {
        const QString index = pictureIndex(category, gameIndex);
        if (index != QLatin1String("-1")) {
            bool ok = false;
            const int line = index.toInt(&ok);
            if (!ok)
                throw AppError::notAnInteger(index);
            if (line < 0 || line >= pictureStore.size())
                throw AppError::indexOutOfBounds(line);
            pictureStore[line].clear();
            freedPicture = true;
        }
    }
    g.children.clear();
    g.text.clear();
    return freedPicture;
}

void DataTree::renameGame(int category, int gameIndex, const QString &name)
{
    const QString text = LineText::oneLine(name);
    if (text.isEmpty())
        return;
    gameNode(category, gameIndex).text = text;
}

void SortRecords(QList<StoredRecord> &records)
{
    Points::sortByPoints(records, [](const StoredRecord &record) { return Points::parse(record.points); });
}

void DataTree::StoreRecords(int category, int gameIndex, QList<StoredRecord> &records)
{
    SortRecords(records);
    DataNode &r = gameChild(category, gameIndex, RecordsChild);
    const qsizetype n = qsizetype(r.children.size());
    const qsizetype c = records.size();
    if (c > n) {
        std::vector<DataNode> added;
        added.reserve(size_t(c - n));
        for (qsizetype m = c - 1; m >= n; --m) {
            DataNode node(QStringLiteral("Record%1").arg(m));
            node.children.emplace_back(QStringLiteral("Points"));
            node.children.emplace_back(QStringLiteral("DateNo"));
            node.children.emplace_back(QStringLiteral("Comment"));
            added.push_back(std::move(node));
        }
        r.children.insert(r.children.begin(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    } else if (c < n) {
        r.children.erase(r.children.begin(), r.children.begin() + (n - c));
    }
    for (qsizetype i = 0; i < c; ++i) {
        DataNode &node = r.children[size_t(i)];
        const StoredRecord &record = records[i];
        childAt(node, 0).text = LineText::oneLine(record.points);
        childAt(node, 1).text = LineText::oneLine(record.dateNumber);
        childAt(node, 2).text = LineText::oneLine(record.comment);
    }
}

QList<StoredRecord> DataTree::readRecords(int category, int gameIndex) const
{
    QList<StoredRecord> records;
    const DataNode &r = gameChild(category, gameIndex, RecordsChild);
    records.reserve(qsizetype(r.children.size()));
    for (const DataNode &node : r.children) {
        const QString &points = childAt(node, 0).text;
        if (points.isEmpty())
            continue;
        records.append({points, childAt(node, 1).text, childAt(node, 2).text});
    }
    return records;
}

QString DataTree::gameComment(int category, int gameIndex) const
{
    return childAt(gameChild(category, gameIndex, CommentChild), 0).text;
}

void DataTree::setGameComment(int category, int gameIndex, const QString &commaText)
{
    childAt(gameChild(category, gameIndex, CommentChild), 0).text = LineText::oneLine(commaText);
}

QString DataTree::pictureIndex(int category, int gameIndex) const
{
    return childAt(gameChild(category, gameIndex, PicIndexChild), 0).text;
}

void DataTree::setPictureIndex(int category, int gameIndex, const QString &index)
{
    childAt(gameChild(category, gameIndex, PicIndexChild), 0).text = index;
}

QByteArray DataTree::toFileBytes() const
{
    FileWriter writer(m_fileSizeHint);
    for (const DataNode &node : m_top)
        writer.write(node, 0);
    return writer.take();
}

void DataTree::save(const QString &path) const
{
    TextFile::writeAtomically(path, toFileBytes());
}

void DataTree::load(const QString &path)
{
    const QByteArray bytes = TextFile::readBytes(path);
    loadFromBytes(bytes);
}

void DataTree::loadFromBytes(QByteArrayView bytes)
{
    if (std::optional<AppError> error = readBytes(bytes, TooDeep::Stop))
        throw *error;
}

QString DataTree::loadFromBytes(QByteArrayView bytes, TooDeep rule)
{
    const std::optional<AppError> error = readBytes(bytes, rule);
    return error ? error->message() : QString();
}

std::optional<AppError> DataTree::readBytes(QByteArrayView bytes, TooDeep rule)
{
    m_top.clear();
    m_fileSizeHint = bytes.size();
    TextCache cache(TextCodec::detect(bytes));
    // path[d] is the last node placed at depth d.
    std::vector<DataNode *> path;
    bool first = true;
    std::optional<AppError> firstError;
    TextFile::forEachLine(bytes, [&](QByteArrayView line) {
        if (rule == TooDeep::Stop && firstError)
            return;
        qsizetype depth = 0;
        while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' '))
            ++depth;
        QString text = cache.text(line.sliced(depth));
        if (first) {
            first = false;
            depth = 0;
        }
        const qsizetype previous = qsizetype(path.size()) - 1;
        if (depth > previous + 1) {
            if (!firstError)
                firstError = AppError(QStringLiteral("Invalid level (%1) for item \"%2\""),
                                      {QString::number(depth), text});
            if (rule == TooDeep::Stop)
                return;
            depth = previous + 1;
        }
        path.resize(size_t(depth));
        std::vector<DataNode> &siblings = depth == 0 ? m_top : path.back()->children;
        siblings.emplace_back(std::move(text));
        path.push_back(&siblings.back());
    });
    return firstError;
}
