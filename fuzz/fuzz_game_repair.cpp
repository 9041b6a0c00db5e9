// Any game subtrees go through loading, showing, one store of records and saving without the
// loss of an intact record: every record the input holds whole is in the saved file.
#include "store/DataTree.h"
#include "store/LineText.h"
#include "store/Points.h"
#include "store/TreeRepair.h"

#include <QList>
#include <QMap>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using GameKey = std::pair<int, int>; // category, slot

// A record as a whole record node of a game's "Records" part holds it: three fields, readable
// points. Its texts as the files keep them once written again.
QMap<GameKey, QList<StoredRecord>> intactRecords(const DataTree &tree)
{
    QMap<GameKey, QList<StoredRecord>> intact;
    if (tree.isEmpty())
        return intact;
    const DataNode &root = tree.topLevel().front();
    for (int k = 1; k <= qMin<int>(DataTree::CategoryCount, int(root.children.size())); ++k) {
        const auto &games = root.children[size_t(k - 1)].children;
        for (size_t g = 0; g < games.size(); ++g) {
            if (games[g].text.isEmpty())
                continue;
            for (const DataNode &part : games[g].children) {
                if (part.text != QLatin1String("Records"))
                    continue;
                for (const DataNode &record : part.children) {
                    if (record.children.size() != 3)
                        continue;
                    bool leaves = true;
                    for (const DataNode &field : record.children)
                        leaves &= field.children.empty();
                    if (!leaves || !Points::tryParse(record.children[0].text))
                        continue;
                    intact[{k, int(g)}].append({LineText::oneLine(record.children[0].text),
                                                LineText::oneLine(record.children[1].text),
                                                LineText::oneLine(record.children[2].text)});
                }
            }
        }
    }
    return intact;
}

bool holdsAll(QList<StoredRecord> records, const QList<StoredRecord> &wanted)
{
    for (const StoredRecord &record : wanted) {
        const qsizetype at = records.indexOf(record);
        if (at < 0)
            return false;
        records.removeAt(at);
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input stands where the games of category 1 stand.
    const QByteArray file = "Root\r\n\tCategory 1\r\n" + QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
    DataTree tree;
    tree.loadFromBytes(file, DataTree::TooDeep::Keep);
    const QMap<GameKey, QList<StoredRecord>> intact = intactRecords(tree);
    QList<QByteArray> store{"424D0000", "", "41424344"};
    RepairTree(tree, store);

    // Each game is shown, then takes one more record, as the Records page does.
    QMap<GameKey, QList<StoredRecord>> expected = intact;
    if (tree.hasGames()) {
        for (int k = 1; k <= DataTree::CategoryCount; ++k) {
            const int count = int(tree.category(k).children.size());
            for (int g = 0; g < count; ++g) {
                if (tree.category(k).children[size_t(g)].text.isEmpty())
                    continue;
                QList<StoredRecord> records = tree.readRecords(k, g);
                records.append({QStringLiteral("7"), QStringLiteral("40000"), QStringLiteral("added")});
                tree.StoreRecords(k, g, records);
                expected[{k, g}].append({QStringLiteral("7"), QStringLiteral("40000"), QStringLiteral("added")});
            }
        }
    }

    DataTree saved;
    if (!saved.loadFromBytes(tree.toFileBytes(), DataTree::TooDeep::Stop).isEmpty())
        std::abort(); // a saved tree always reads back
    if (RepairTree(saved, store).any())
        std::abort(); // and needs no repair
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (!holdsAll(saved.readRecords(it.key().first, it.key().second), it.value()))
            std::abort();
    return 0;
}
