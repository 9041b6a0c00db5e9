#include "store/AppError.h"
#include "store/DataTree.h"
#include "support/Errors.h"
#include "support/TempProgramDir.h"

#include <QTest>

namespace {

// Builds the tree of a player whose only game, Chess, has two records, a two-line comment
// and picture 0.
DataTree chessTree()
{
    DataTree tree;
    tree.fresh();
    const int slot = tree.addGame(1, "Chess");
    QList<StoredRecord> records{{"120", "37927", ""}, {"250", "38124", "won on time"}};
    tree.StoreRecords(1, slot, records);
    tree.setGameComment(1, slot, "Blitz,Clubhouse");
    tree.setPictureIndex(1, slot, "0");
    return tree;
}

const QByteArray chessFile = "Root\r\n"
                             "\tCategory 1\r\n"
                             "\t\tChess\r\n"
                             "\t\t\tRecords\r\n"
                             "\t\t\t\tRecord1\r\n"
                             "\t\t\t\t\t250\r\n"
                             "\t\t\t\t\t38124\r\n"
                             "\t\t\t\t\twon on time\r\n"
                             "\t\t\t\tRecord0\r\n"
                             "\t\t\t\t\t120\r\n"
                             "\t\t\t\t\t37927\r\n"
                             "\t\t\t\t\t\r\n"
                             "\t\t\tGameComment\r\n"
                             "\t\t\t\tBlitz,Clubhouse\r\n"
                             "\t\t\tPicIndex\r\n"
                             "\t\t\t\t0\r\n"
                             "\tCategory 2\r\n"
                             "\tCategory 3\r\n"
                             "\tCategory 4\r\n"
                             "\tCategory 5\r\n";

QStringList gameNames(const DataTree &tree, int category)
{
    QStringList names;
    for (const DataNode &game : tree.category(category).children)
        names.append(game.text);
    return names;
}


} // namespace

class DataTreeTest : public QObject
{
    Q_OBJECT

private slots:
    void chessExampleByteForByte();
    void rootOnlyIsOneLine();
    void firstGameCreatesCategories();
    void freeSlots();
    void storeRecordsLabelsAndShrinks();
    void storeRecordsSortsAsSigned64Bit();
    void storeRecordsRefusesNonNumbers();
    void deleteGameFreesSlotAndPicture();
    void userTextsAreCleaned_data();
    void userTextsAreCleaned();
    void loadsDepthByTabsOrSpaces();
    void loadsAnyLineEnds();
    void invalidLevelKeepsWhatWasRead();
    void missingFileLeavesTree();
    void emptyFileGivesEmptyTree();
    void malformedTreeReportsIndex();
};

void DataTreeTest::chessExampleByteForByte()
{
    TempProgramDir dir;
    const QString path = dir.file("Data/Records1.dat");
    chessTree().save(path);
    QCOMPARE(dir.read("Data/Records1.dat"), chessFile);

    DataTree back;
    back.load(path);
    QCOMPARE(back, chessTree());
    QCOMPARE(back.readRecords(1, 0),
             (QList<StoredRecord>{{"250", "38124", "won on time"}, {"120", "37927", ""}}));
    QCOMPARE(back.gameComment(1, 0), QString("Blitz,Clubhouse"));
    QCOMPARE(back.pictureIndex(1, 0), QString("0"));
}

void DataTreeTest::rootOnlyIsOneLine()
{
    DataTree tree;
    tree.fresh();
    QCOMPARE(tree.toFileBytes(), QByteArray("Root\r\n"));
    QVERIFY(!tree.hasGames());
}

void DataTreeTest::firstGameCreatesCategories()
{
    DataTree tree;
    tree.fresh();
    QCOMPARE(tree.addGame(3, "Go"), 0);
    QCOMPARE(int(tree.root().children.size()), 5);
    for (int k = 1; k <= 5; ++k) {
        QCOMPARE(tree.category(k).text, QString("Category %1").arg(k));
        QCOMPARE(int(tree.category(k).children.size()), k == 3 ? 1 : 0);
    }
    const DataNode &go = tree.game(3, 0);
    QCOMPARE(go.children.size(), size_t(3));
    QCOMPARE(go.children[0].text, QString("Records"));
    QCOMPARE(go.children[1].text, QString("GameComment"));
    QCOMPARE(go.children[2].text, QString("PicIndex"));
    QCOMPARE(tree.gameComment(3, 0), QString());
    QCOMPARE(tree.pictureIndex(3, 0), QString("-1"));
}

void DataTreeTest::freeSlots()
{
    DataTree tree;
    tree.fresh();
    QList<QByteArray> pictures;
    // Without free slots each game goes first.
    for (const char *name : {"A", "B", "C", "D", "E"})
        QCOMPARE(tree.addGame(1, name), 0);
    QCOMPARE(gameNames(tree, 1), (QStringList{"E", "D", "C", "B", "A"}));
    QCOMPARE(tree.FindFreeGameSlot(1), -1);

    // Free slots at 1 and 4: the last one is taken first, then the other.
    tree.deleteGame(1, 1, pictures);
    tree.deleteGame(1, 4, pictures);
    QCOMPARE(gameNames(tree, 1), (QStringList{"E", "", "C", "B", ""}));
    QCOMPARE(tree.FindFreeGameSlot(1), 4);
    QCOMPARE(tree.addGame(1, "F"), 4);
    QCOMPARE(tree.addGame(1, "G"), 1);
    QCOMPARE(tree.addGame(1, "H"), 0);
    QCOMPARE(gameNames(tree, 1), (QStringList{"H", "E", "G", "C", "B", "F"}));
}

void DataTreeTest::storeRecordsLabelsAndShrinks()
{
    DataTree tree;
    tree.fresh();
    tree.addGame(1, "Chess");
    QList<StoredRecord> rows{{"80", "3", "c80"}, {"250", "1", "c250"}, {"120", "2", "c120"}};
    tree.StoreRecords(1, 0, rows);
    QCOMPARE(rows[0].points, QString("250"));
    const DataNode &records = tree.game(1, 0).children[0];
    QStringList labels;
    for (const DataNode &node : records.children)
        labels.append(node.text);
    QCOMPARE(labels, (QStringList{"Record2", "Record1", "Record0"}));

    rows.removeAt(1); // the 120 record
    tree.StoreRecords(1, 0, rows);
    labels.clear();
    for (const DataNode &node : tree.game(1, 0).children[0].children)
        labels.append(node.text);
    QCOMPARE(labels, (QStringList{"Record1", "Record0"}));
    QCOMPARE(tree.readRecords(1, 0), (QList<StoredRecord>{{"250", "1", "c250"}, {"80", "3", "c80"}}));

    rows.clear();
    tree.StoreRecords(1, 0, rows);
    QVERIFY(tree.readRecords(1, 0).isEmpty());
}

void DataTreeTest::storeRecordsSortsAsSigned64Bit()
{
    DataTree tree;
    tree.fresh();
    tree.addGame(1, "Chess");
    QList<StoredRecord> rows{{"9"}, {"10"}, {"-5"}, {"9223372036854775807"}, {"2147483648"}, {"0"}};
    tree.StoreRecords(1, 0, rows);
    QStringList order;
    for (const StoredRecord &row : rows)
        order.append(row.points);
    QCOMPARE(order, (QStringList{"9223372036854775807", "2147483648", "10", "9", "0", "-5"}));
}

void DataTreeTest::storeRecordsRefusesNonNumbers()
{
    DataTree tree;
    tree.fresh();
    tree.addGame(1, "Chess");
    QList<StoredRecord> rows{{"5", "1", ""}};
    tree.StoreRecords(1, 0, rows);
    const DataTree before = tree;
    QList<StoredRecord> bad{{"5"}, {"9223372036854775808"}};
    QCOMPARE(errorOf([&] { tree.StoreRecords(1, 0, bad); }),
             QString("'9223372036854775808' is not a valid integer value"));
    QCOMPARE(tree, before);
}

void DataTreeTest::deleteGameFreesSlotAndPicture()
{
    DataTree tree;
    tree.fresh();
    tree.addGame(2, "Go");
    tree.addGame(2, "Chess");
    tree.setPictureIndex(2, 1, "1");
    QList<QByteArray> pictures{"424D00", "424D11", "424D22"};
    QVERIFY(tree.deleteGame(2, 1, pictures));
    QCOMPARE(pictures, (QList<QByteArray>{"424D00", "", "424D22"}));
    QCOMPARE(tree.game(2, 1).text, QString());
    QVERIFY(tree.game(2, 1).children.empty());
    QCOMPARE(tree.game(2, 0).text, QString("Chess"));
    QCOMPARE(tree.FindFreeGameSlot(2), 1);
    // A game without a picture frees no line.
    QVERIFY(!tree.deleteGame(2, 0, pictures));
    QCOMPARE(pictures, (QList<QByteArray>{"424D00", "", "424D22"}));
}

void DataTreeTest::userTextsAreCleaned_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "Chess" << "Chess";
    QTest::newRow("leading blank") << " great" << "great";
    QTest::newRow("leading tab and trailing blanks") << "\tgreat  " << "great";
    QTest::newRow("inner blanks and commas kept") << "a, \"b\" c" << "a, \"b\" c";
    QTest::newRow("line break") << "two\r\nlines" << "two  lines";
}

void DataTreeTest::userTextsAreCleaned()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    DataTree tree;
    tree.fresh();
    tree.addGame(1, typed);
    QList<StoredRecord> rows{{"1", "2", typed}};
    tree.StoreRecords(1, 0, rows);
    QCOMPARE(tree.game(1, 0).text, stored);

    DataTree back;
    back.loadFromBytes(tree.toFileBytes());
    QCOMPARE(back, tree);
    QCOMPARE(back.readRecords(1, 0).first().comment, stored);
}

void DataTreeTest::loadsDepthByTabsOrSpaces()
{
    DataTree mixed;
    mixed.loadFromBytes("Root\n A\n\t B\n \tC\nD\n");
    QCOMPARE(int(mixed.topLevel().size()), 2);
    QCOMPARE(mixed.root().children[0].children[0].text, QString("B"));
    QCOMPARE(mixed.root().children[0].children[1].text, QString("C"));
    QCOMPARE(mixed.topLevel()[1].text, QString("D"));

    // A comment beginning with a blank, written raw, reads one level deeper.
    DataTree shifted;
    shifted.loadFromBytes("Root\n\tR\n\t\tpoints\n\t\tdate\n\t\t great\n");
    QCOMPARE(int(shifted.root().children[0].children.size()), 2);
    QCOMPARE(shifted.root().children[0].children[1].children[0].text, QString("great"));

    // The first line is top level whatever its indent.
    DataTree indented;
    indented.loadFromBytes("\t\tRoot\n\tA\n");
    QCOMPARE(indented.root().text, QString("Root"));
    QCOMPARE(indented.root().children[0].text, QString("A"));
}

void DataTreeTest::loadsAnyLineEnds()
{
    DataTree crlf;
    crlf.loadFromBytes(chessFile);
    DataTree lf;
    lf.loadFromBytes(QByteArray(chessFile).replace("\r\n", "\n"));
    DataTree cr;
    cr.loadFromBytes(QByteArray(chessFile).replace("\r\n", "\r"));
    QCOMPARE(lf, crlf);
    QCOMPARE(cr, crlf);
    QCOMPARE(crlf, chessTree());
}

void DataTreeTest::invalidLevelKeepsWhatWasRead()
{
    DataTree tree;
    tree.fresh();
    const QString error = errorOf([&] { tree.loadFromBytes("Root\n\tCategory 1\n\t\t\t\tToo deep\n\tCategory 2\n"); });
    QCOMPARE(error, QString("Invalid level (4) for item \"Too deep\""));
    QCOMPARE(int(tree.root().children.size()), 1);
    QCOMPARE(tree.root().children[0].text, QString("Category 1"));
}

void DataTreeTest::missingFileLeavesTree()
{
    TempProgramDir dir;
    DataTree tree = chessTree();
    const QString path = dir.file("Data/Records9.dat");
    QCOMPARE(errorOf([&] { tree.load(path); }), "Cannot open file " + path);
    QCOMPARE(tree, chessTree());
}

void DataTreeTest::emptyFileGivesEmptyTree()
{
    DataTree tree;
    tree.fresh();
    tree.loadFromBytes("");
    QVERIFY(tree.isEmpty());
    QVERIFY(!tree.hasGames());
    QCOMPARE(errorOf([&] { tree.addGame(1, "Chess"); }), QString("Invalid index"));
}

void DataTreeTest::malformedTreeReportsIndex()
{
    DataTree tree;
    // A game without its "PicIndex" node and a record with two children.
    tree.loadFromBytes("Root\n\tCategory 1\n\t\tChess\n\t\t\tRecords\n\t\t\t\tRecord0\n\t\t\t\t\t5\n\t\t\t\t\t1\n"
                       "\t\t\tGameComment\n\t\t\t\t\n");
    QCOMPARE(errorOf([&] { tree.pictureIndex(1, 0); }), QString("List index out of bounds (2)"));
    QCOMPARE(errorOf([&] { tree.readRecords(1, 0); }), QString("List index out of bounds (2)"));
    QCOMPARE(errorOf([&] { tree.game(2, 0); }), QString("List index out of bounds (1)"));
    QCOMPARE(errorOf([&] { tree.game(1, 7); }), QString("List index out of bounds (7)"));
}

QTEST_APPLESS_MAIN(DataTreeTest)
#include "test_data_tree.moc"
