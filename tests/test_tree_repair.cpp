// A records file in any shape loads into a tree every operation can work on, keeps every record
// whose points can be read, and says what it changed.

#include "store/DataTree.h"
#include "store/TreeRepair.h"

#include "support/RecordsFileLines.h"

#include <QTest>

namespace {


// Root, category 1 holding the given game lines (depth 2 and deeper), categories 2..5.
QByteArray withGame(const QStringList &gameLines)
{
    return recordsFileOf(QStringList{"0|Root", "1|Category 1"} + gameLines
                  + QStringList{"1|Category 2", "1|Category 3", "1|Category 4", "1|Category 5"});
}

QStringList record(const char *label, const char *points, const char *date, const char *comment)
{
    return {QStringLiteral("4|") + label, QStringLiteral("5|") + points, QStringLiteral("5|") + date,
            QStringLiteral("5|") + comment};
}

const QStringList commentAndPicture{"3|GameComment", "4|Blitz", "3|PicIndex", "4|-1"};

using Records = QList<StoredRecord>;

} // namespace

Q_DECLARE_METATYPE(Records)

class TreeRepairTest : public QObject
{
    Q_OBJECT

private slots:
    void gameShapes_data();
    void gameShapes();
    void treeShapes_data();
    void treeShapes();
    void pictureIndexes_data();
    void pictureIndexes();
    void repairedTreeTakesStoresAndSaves();
};

void TreeRepairTest::gameShapes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Records>("kept");
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<bool>("reported");

    const StoredRecord r250{"250", "38124", "won"};
    const StoredRecord r120{"120", "37927", ""};
    const QStringList whole = QStringList{"2|Chess", "3|Records"} + record("Record1", "250", "38124", "won")
                              + record("Record0", "120", "37927", "") + commentAndPicture;

    QTest::newRow("as written") << withGame(whole) << Records{r250, r120} << "Blitz" << 0 << false;
    QTest::newRow("record without its fields")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record2", "250", "38124", "won") + QStringList{"4|Record1"}
                    + record("Record0", "120", "37927", "") + commentAndPicture)
        << Records{r250, r120} << "Blitz" << 1 << true;
    QTest::newRow("record without its fields first")
        << withGame(QStringList{"2|Chess", "3|Records", "4|Record2"} + record("Record1", "250", "38124", "won")
                    + record("Record0", "120", "37927", "") + commentAndPicture)
        << Records{r250, r120} << "Blitz" << 1 << true;
    QTest::newRow("points not a number")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record1", "lots", "38124", "won")
                    + record("Record0", "120", "37927", "") + commentAndPicture)
        << Records{r120} << "Blitz" << 1 << true;
    QTest::newRow("record without comment")
        << withGame(QStringList{"2|Chess", "3|Records", "4|Record0", "5|250", "5|38124"} + commentAndPicture)
        << Records{{"250", "38124", ""}} << "Blitz" << 0 << true;
    QTest::newRow("record with a field too many")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "38124", "won") + QStringList{"5|extra"}
                    + commentAndPicture)
        << Records{r250} << "Blitz" << 0 << true;
    QTest::newRow("comment one level too deep")
        << withGame(QStringList{"2|Chess", "3|Records", "4|Record0", "5|250", "5|38124", "6|great"} + commentAndPicture)
        << Records{{"250", "38124", "great"}} << "Blitz" << 0 << true;
    QTest::newRow("record of empty fields is passed over")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record1", "250", "38124", "won")
                    + record("Record0", "", "", "") + commentAndPicture)
        << Records{r250} << "Blitz" << 0 << false;
    QTest::newRow("records out of order")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record1", "120", "37927", "")
                    + record("Record0", "250", "38124", "won") + commentAndPicture)
        << Records{r250, r120} << "Blitz" << 0 << false;
    QTest::newRow("parts in the wrong order")
        << withGame(QStringList{"2|Chess", "3|PicIndex", "4|-1", "3|GameComment", "4|Blitz", "3|Records"}
                    + record("Record0", "250", "38124", "won"))
        << Records{r250} << "Blitz" << 0 << false;
    QTest::newRow("comment without its text")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "38124", "won")
                    + QStringList{"3|GameComment", "3|PicIndex", "4|-1"})
        << Records{r250} << "" << 0 << true;
    QTest::newRow("comment of two texts")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "38124", "won")
                    + QStringList{"3|GameComment", "4|Blitz", "4|Clubhouse", "3|PicIndex", "4|-1"})
        << Records{r250} << "Blitz,Clubhouse" << 0 << true;
    QTest::newRow("comment missing")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "38124", "won")
                    + QStringList{"3|PicIndex", "4|-1"})
        << Records{r250} << "" << 0 << true;
    QTest::newRow("records missing") << withGame(QStringList{"2|Chess"} + commentAndPicture) << Records{} << "Blitz" << 0
                                     << true;
    QTest::newRow("no parts at all") << withGame({"2|Chess"}) << Records{} << "" << 0 << true;
    QTest::newRow("a node of no known meaning")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "38124", "won") + commentAndPicture
                    + QStringList{"3|Notes", "4|x"})
        << Records{r250} << "Blitz" << 0 << true;
    QTest::newRow("records in two parts")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "120", "37927", "") + commentAndPicture
                    + QStringList{"3|Records"} + record("Record0", "250", "38124", "won"))
        << Records{r250, r120} << "Blitz" << 0 << true;
    QTest::newRow("empty texts")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record0", "250", "", "") + QStringList{"3|GameComment", "4|", "3|PicIndex", "4|-1"})
        << Records{{"250", "", ""}} << "" << 0 << false;
    QTest::newRow("negative points")
        << withGame(QStringList{"2|Chess", "3|Records"} + record("Record1", "-5", "38124", "") + record("Record0", "3", "38124", "")
                    + commentAndPicture)
        << Records{{"3", "38124", ""}, {"-5", "38124", ""}} << "Blitz" << 0 << false;
}

void TreeRepairTest::gameShapes()
{
    QFETCH(QByteArray, file);
    QFETCH(Records, kept);
    QFETCH(QString, comment);
    QFETCH(int, leftOut);
    QFETCH(bool, reported);

    DataTree tree;
    QCOMPARE(tree.loadFromBytes(file, DataTree::TooDeep::Keep), QString());
    QList<QByteArray> store;
    const TreeDamage damage = RepairTree(tree, store);

    QCOMPARE(tree.readRecords(1, 0), kept);
    QCOMPARE(tree.gameComment(1, 0), comment);
    QCOMPARE(tree.pictureIndex(1, 0), QString("-1"));
    QCOMPARE(damage.any(), reported);
    if (reported) {
        QCOMPARE(damage.games.size(), 1);
        QCOMPARE(damage.games[0].name, QString("Chess"));
        QCOMPARE(damage.games[0].category, 1);
        QCOMPARE(damage.games[0].recordsLeftOut, leftOut);
    }
    // The game has exactly its three parts, each record its three fields, labelled as written.
    const DataNode &game = tree.game(1, 0);
    QCOMPARE(game.children.size(), size_t(3));
    const DataNode &records = game.children[0];
    for (size_t i = 0; i < records.children.size(); ++i) {
        QCOMPARE(records.children[i].children.size(), size_t(3));
        QCOMPARE(records.children[i].text, QString("Record%1").arg(records.children.size() - 1 - i));
    }
    // A repaired tree needs no repair when read back.
    DataTree again;
    again.loadFromBytes(tree.toFileBytes());
    QVERIFY(!RepairTree(again, store).any());
    QCOMPARE(again, tree);
}

void TreeRepairTest::treeShapes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<QStringList>("category1"); // game names of category 1 afterwards
    QTest::addColumn<int>("categories");

    QTest::newRow("empty file") << QByteArray() << true << QStringList() << 0;
    QTest::newRow("root only") << recordsFileOf({"0|Root"}) << false << QStringList() << 0;
    QTest::newRow("three categories") << recordsFileOf({"0|Root", "1|Category 1", "2|Go", "1|Category 2", "1|Category 3"})
                                      << true << QStringList{"Go"} << 5;
    QTest::newRow("six categories")
        << recordsFileOf({"0|Root", "1|Category 1", "1|Category 2", "1|Category 3", "1|Category 4", "1|Category 5", "1|Category 6"})
        << true << QStringList() << 5;
    QTest::newRow("two top nodes") << recordsFileOf({"0|Root", "1|Category 1", "0|Root"}) << true << QStringList() << 5;
    QTest::newRow("free slot holding parts")
        << recordsFileOf({"0|Root", "1|Category 1", "2|", "3|Records", "1|Category 2", "1|Category 3", "1|Category 4", "1|Category 5"})
        << true << QStringList{""} << 5;
}

void TreeRepairTest::treeShapes()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, reported);
    QFETCH(QStringList, category1);
    QFETCH(int, categories);

    DataTree tree;
    tree.loadFromBytes(file, DataTree::TooDeep::Keep);
    QList<QByteArray> store;
    const TreeDamage damage = RepairTree(tree, store);
    QCOMPARE(damage.shapeRepaired || !damage.games.isEmpty(), reported);
    QCOMPARE(tree.topLevel().size(), size_t(1));
    QCOMPARE(int(tree.root().children.size()), categories);
    if (categories > 0) {
        QStringList names;
        for (const DataNode &game : tree.category(1).children) {
            names.append(game.text);
            // Missing parts are made, a free slot holds none.
            QCOMPARE(game.children.size(), game.text.isEmpty() ? size_t(0) : size_t(3));
        }
        QCOMPARE(names, category1);
        QCOMPARE(tree.category(5).text, QString("Category 5"));
    }
}

void TreeRepairTest::pictureIndexes_data()
{
    QTest::addColumn<QStringList>("indexes"); // of games A and B
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<int>("storeSize");

    // The store: line 0 a picture, line 1 removed, line 2 not a picture, line 3 text that is not hexadecimal.
    QTest::newRow("own lines") << QStringList{"0", "-1"} << QStringList{"0", "-1"} << false << 4;
    QTest::newRow("outside the store") << QStringList{"7", "-1"} << QStringList{"-1", "-1"} << true << 4;
    QTest::newRow("not a number") << QStringList{"x", "0"} << QStringList{"-1", "0"} << true << 4;
    QTest::newRow("removed picture") << QStringList{"1", "-1"} << QStringList{"-1", "-1"} << false << 4;
    QTest::newRow("not a picture") << QStringList{"2", "-1"} << QStringList{"-1", "-1"} << true << 4;
    QTest::newRow("not hexadecimal shows none") << QStringList{"3", "-1"} << QStringList{"3", "-1"} << false << 4;
    QTest::newRow("one line for two games") << QStringList{"0", "0"} << QStringList{"0", "4"} << false << 5;
}

void TreeRepairTest::pictureIndexes()
{
    QFETCH(QStringList, indexes);
    QFETCH(QStringList, expected);
    QFETCH(bool, reported);
    QFETCH(int, storeSize);

    QStringList lines;
    const char *names[] = {"A", "B"};
    for (int i = 0; i < 2; ++i)
        lines += QStringList{QStringLiteral("2|") + names[i], "3|Records", "3|GameComment", "4|", "3|PicIndex",
                             "4|" + indexes[i]};
    DataTree tree;
    tree.loadFromBytes(withGame(lines), DataTree::TooDeep::Keep);
    QList<QByteArray> store{"424D0102", "", "41424344", "ZZ4D"};
    const TreeDamage damage = RepairTree(tree, store);
    QCOMPARE((QStringList{tree.pictureIndex(1, 0), tree.pictureIndex(1, 1)}), expected);
    QCOMPARE(damage.any(), reported);
    QCOMPARE(store.size(), storeSize);
    if (storeSize > 4)
        QCOMPARE(store[4], store[0]);
}

void TreeRepairTest::repairedTreeTakesStoresAndSaves()
{
    // The fault this guards against: a damaged record stopped the game from showing, and the
    // next store wrote only what the list held.
    DataTree tree;
    tree.loadFromBytes(withGame(QStringList{"2|Chess", "3|Records"} + record("Record2", "250", "38124", "won")
                                + QStringList{"4|Record1"} + record("Record0", "120", "37927", "") + commentAndPicture),
                       DataTree::TooDeep::Keep);
    QList<QByteArray> store;
    RepairTree(tree, store);
    QList<StoredRecord> records = tree.readRecords(1, 0);
    records.append({"300", "40000", "new"});
    tree.StoreRecords(1, 0, records);

    DataTree back;
    back.loadFromBytes(tree.toFileBytes());
    QCOMPARE(back.readRecords(1, 0),
             (Records{{"300", "40000", "new"}, {"250", "38124", "won"}, {"120", "37927", ""}}));
}

QTEST_APPLESS_MAIN(TreeRepairTest)
#include "test_tree_repair.moc"
