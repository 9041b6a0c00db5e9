// The overview: building it from every player's files, its filters, its grids and their drawing,
// its CSV export, and its file at start-up, through the real main window where it matters.
#include "services/CsvExport.h"
#include "lists/OverviewBuild.h"
#include "lists/OverviewFilters.h"
#include "lists/OverviewGrid.h"
#include "lists/OverviewPage.h"
#include "platform/ColorValue.h"
#include "platform/ElidedText.h"
#include "services/ColorSwatch.h"
#include "services/OptionsPage.h"
#include "services/TransProg.h"
#include "store/DataTree.h"
#include "support/StoredPlayers.h"
#include "store/PlayerFiles.h"
#include "support/Errors.h"
#include "support/StartedWindow.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using Overview::PlayerGame;
using Overview::PlayerScores;

namespace {

struct PlayedGame
{
    int category = 1;
    QString name;
    QStringList points; // one record per entry
};

// Writes a player's files as the program saves them.
void writePlayer(const QString &dataDir, int player, const QString &name, const QList<PlayedGame> &games,
                 const QStringList &categoryNames = {})
{
    PlayerState state;
    state.dataView.fresh();
    for (int k = 1; k <= 5; ++k)
        state.catListView.append({categoryNames.value(k - 1, QStringLiteral("Category %1").arg(k)),
                                  {QString::number(DefaultCategoryColor(k)), QString::number(DefaultTitleFieldColor),
                                   QString::number(DefaultGamesListColor)}});
    for (const PlayedGame &game : games) {
        const int slot = state.dataView.addGame(game.category, game.name);
        QList<StoredRecord> records;
        for (const QString &points : game.points)
            records.append({points, QStringLiteral("43831"), QString()});
        state.dataView.StoreRecords(game.category, slot, records);
    }
    StoredPlayers window;
    window.names[size_t(player - 1)] = name;
    window.save(PlayerFiles(dataDir), player, state, {});
}

// The points text of a player's first record of a game, set as it stands in the file.
void setFirstPoints(const QString &dataDir, int player, int category, const QString &game, const QString &points)
{
    const PlayerFiles files(dataDir);
    DataTree tree;
    tree.load(files.recordsPath(player));
    for (DataNode &node : tree.root().children[size_t(category - 1)].children)
        if (node.text == game)
            node.children[0].children[0].children[0].text = points;
    tree.save(files.recordsPath(player));
}

// Player 1 Chess in Board 50, player 4 Chess in Board 80, player 7 Chess in Strategy 90.
void writeChessPlayers(const QString &dataDir)
{
    writePlayer(dataDir, 1, QStringLiteral("Anna"), {{1, QStringLiteral("Chess"), {QStringLiteral("50"), QStringLiteral("20")}}},
                {QStringLiteral("Board")});
    writePlayer(dataDir, 4, QStringLiteral("Dora"), {{1, QStringLiteral("Chess"), {QStringLiteral("80")}}},
                {QStringLiteral("Board")});
    writePlayer(dataDir, 7, QStringLiteral("Greta"), {{2, QStringLiteral("Chess"), {QStringLiteral("90")}}},
                {QStringLiteral("Board"), QStringLiteral("Strategy")});
}

ListRow row(const QString &caption, const QString &game, const QString &category, const QStringList &points,
            const QString &best)
{
    ListRow r{caption, {game, category}};
    for (int p = 0; p < 10; ++p)
        r.subItems.append(points.value(p));
    r.subItems.append(best);
    return r;
}

ListRow pointsRow(const QStringList &points)
{
    return row(QString(), QStringLiteral("G"), QStringLiteral("C"), points, QString());
}

// The games that loading the data tree and walking it gives: named games under the first
// top-level node with the points of their first record that has points.
QList<PlayerGame> gamesByTree(QByteArrayView records)
{
    DataTree tree;
    tree.loadFromBytes(records);
    QList<PlayerGame> games;
    if (tree.isEmpty())
        return games;
    const DataNode &root = tree.topLevel().front();
    for (size_t c = 0; c < root.children.size(); ++c) {
        for (const DataNode &game : root.children[c].children) {
            if (game.text.isEmpty() || game.children.empty())
                continue;
            for (const DataNode &record : game.children.front().children) {
                if (!record.children.empty() && !record.children.front().text.isEmpty()) {
                    games.append({int(c), game.text, record.children.front().text});
                    break;
                }
            }
        }
    }
    return games;
}

QByteArray playerFileWithCategories(int categories, const QByteArray &name = "Pat")
{
    RowList list;
    for (int k = 1; k <= categories; ++k)
        list.append({QStringLiteral("Cat %1").arg(k), {"1", "2", "3"}});
    return "PICTURE\r\n" + ListToCommaText(list).toUtf8() + "\r\n\r\n\r\n" + name + "\r\n";
}

struct OverviewWindow : StartedWindow
{
    explicit OverviewWindow(const TempProgramDir &dir, const QString &language = QStringLiteral("English"))
        : StartedWindow(dir, language)
    {
        form->findChild<QTabWidget *>(QStringLiteral("GameControl"))->setCurrentWidget(sheet());
        QCoreApplication::processEvents();
    }

    OverviewPage &page() { return form->overviewPage(); }
    QWidget *sheet() { return form->findChild<QWidget *>(QStringLiteral("OverviewSheet")); }
    template<typename T>
    T *child(const char *name)
    {
        T *found = form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QToolButton *button(const char *name) { return child<QToolButton>(name); }
    QComboBox *combo(const char *name) { return child<QComboBox>(name); }
    OverviewGridView *games() { return child<OverviewGridView>("OVGamesGrid"); }
    OverviewGridView *points() { return child<OverviewGridView>("OVPointsGrid"); }
    QString itemsText() { return child<QLabel>("OverviewItemsPanel")->text(); }

    void createList() { button("OverviewUpdateButton")->click(); }

    // Chooses the entry as a user does with the keyboard on the closed list.
    void choose(const char *comboName, const QString &entry)
    {
        QComboBox *list = combo(comboName);
        const int index = list->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY2(index >= 0, qPrintable(entry));
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), index);
    }

    QStringList entries(const char *comboName)
    {
        QComboBox *list = combo(comboName);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->itemText(i));
        return texts;
    }

    // The shown rows: games grid cells 0..2, then points grid cells 0..10.
    QList<QStringList> shown()
    {
        QList<QStringList> rows;
        for (int r = 0; r < games()->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 3; ++c)
                cells.append(games()->model()->index(r, c).data().toString());
            for (int c = 0; c < 11; ++c)
                cells.append(points()->model()->index(r, c).data().toString());
            rows.append(cells);
        }
        return rows;
    }
    QStringList shownGames()
    {
        QStringList names;
        for (const QStringList &cells : shown())
            names.append(cells[1] + u'/' + cells[2]);
        return names;
    }
    bool outputButtonsEnabled()
    {
        return button("OverviewPrintPreviewButton")->isEnabled() && button("OverviewPrintButton")->isEnabled()
            && button("OverviewExpCSVButton")->isEnabled();
    }
    bool outputButtonsDisabled()
    {
        return !button("OverviewPrintPreviewButton")->isEnabled() && !button("OverviewPrintButton")->isEnabled()
            && !button("OverviewExpCSVButton")->isEnabled();
    }
};

const QStringList EmptyRowCells(14);

QStringList headerOf(QTableView *grid)
{
    QStringList texts;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        texts.append(grid->model()->headerData(c, Qt::Horizontal).toString());
    return texts;
}

// Columns of the cell's image that hold text: pixels far from the cell's background.
QPair<int, int> inkColumns(const QImage &image, const QRect &cell, const QColor &background)
{
    int first = -1;
    int last = -1;
    for (int x = cell.left(); x <= cell.right(); ++x) {
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) + qAbs(c.blue() - background.blue())
                > 150) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

int firstInkRow(const QImage &image, const QRect &cell, const QColor &background)
{
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - background.red()) + qAbs(c.green() - background.green()) + qAbs(c.blue() - background.blue())
                > 150)
                return y;
        }
    return -1;
}

} // namespace

class OverviewTest : public QObject
{
    Q_OBJECT

private slots:
    // Building from the files.
    void buildComparesPlayersGameByGame();
    void bestPlayer_data();
    void bestPlayer();
    void buildReadsPointsAsStored_data();
    void buildReadsPointsAsStored();
    void gamesWithoutRecordsGiveNoRow();
    void rowsAreFoundExactlyAndKeepFirstMetOrder();
    void rowCaptions();
    void readingMatchesTheDataTree_data();
    void readingMatchesTheDataTree();
    void damagedPlayerTakesNoPart_data();
    void damagedPlayerTakesNoPart();

    // Filters.
    void filterLists();
    void filterRule_data();
    void filterRule();

    // The page in the main window.
    void pageControlsAndEmptyGrids();
    void createListShowsRowsAndNames();
    void createListSavesCurrentPlayerFirstAndKeepsHisData();
    void failedSaveKeepsTheRows();
    void damagedPlayerIsReported();
    void filtersCombine();
    void createListResetsFilters();
    void categoriesDifferingInCaseShareOneEntry();
    void gamesGridFollowsPointsGrid();
    void cellsDrawnWithLineColours_data();
    void cellsDrawnWithLineColours();
    void textPlacedInCells();
    void overviewFileRestoredAtStartUp();
    void germanTexts();
    void languageChangeKeepsChosenFilters();
    void csvExportOfShownRows();
    void nothingCutAtDesignedSize();
};

void OverviewTest::buildComparesPlayersGameByGame()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    StoredPlayers window;
    QList<int> progress;
    const Overview::BuildResult built = Overview::BuildOverview(
        PlayerFiles(dir.dataDir()), window.nameList(), [&](qint64 position, qint64 last) {
            QCOMPARE(last, 100);
            if (position != ProgressRangeOnly)
                progress.append(int(position / 10));
        });
    const RowList expected{
        row("0001", "Chess", "Board", {"50", "", "", "80"}, "Dora"),
        row("0002", "Chess", "Strategy", {"", "", "", "", "", "", "90"}, "Greta"),
    };
    QCOMPARE(built.rows, expected);
    QVERIFY(built.damaged.isEmpty());
    QCOMPARE(progress, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // The players' buttons take the names in their files; the others keep theirs.
    QCOMPARE(built.names[0], QString("Anna"));
    QCOMPARE(built.names[3], QString("Dora"));
    QCOMPARE(built.names[6], QString("Greta"));
    QCOMPARE(built.names[1], QString("Player 2"));
}

void OverviewTest::bestPlayer_data()
{
    QTest::addColumn<QStringList>("points");
    QTest::addColumn<int>("best");
    QTest::newRow("highest wins") << QStringList{"50", "", "", "80"} << 4;
    QTest::newRow("tie goes to the lower number") << QStringList{"", "100", "", "", "100"} << 2;
    QTest::newRow("all zero names nobody") << QStringList{"0", "", "0"} << 0;
    QTest::newRow("only negative names nobody") << QStringList{"-5", "-1"} << 0;
    QTest::newRow("no points at all") << QStringList{} << 0;
    QTest::newRow("above 32 bits") << QStringList{"2147483647", "3000000000", "2147483648"} << 2;
    QTest::newRow("64-bit largest") << QStringList{"9223372036854775807", "9223372036854775806"} << 1;
    QTest::newRow("text not a number takes no part") << QStringList{"abc", "3", "12x"} << 2;
    QTest::newRow("beyond 64 bits takes no part") << QStringList{"99999999999999999999", "7"} << 2;
    QTest::newRow("player 10") << QStringList{"1", "", "", "", "", "", "", "", "", "2"} << 10;
}

void OverviewTest::bestPlayer()
{
    QFETCH(QStringList, points);
    QFETCH(int, best);
    QCOMPARE(Overview::BestPlayer(pointsRow(points)), best);

    RowList rows{pointsRow(points)};
    QStringList names;
    for (int p = 1; p <= 10; ++p)
        names.append(QStringLiteral("Name %1").arg(p));
    Overview::FinishRows(rows, names);
    QCOMPARE(rows[0].subItems.size(), 13);
    QCOMPARE(rows[0].subItems[12], best > 0 ? names[best - 1] : QString());
}

void OverviewTest::buildReadsPointsAsStored_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("best");
    QTest::newRow("above 32 bits") << "3000000000" << "Al";
    QTest::newRow("negative") << "-5" << "Bea";
}

void OverviewTest::buildReadsPointsAsStored()
{
    QFETCH(QString, stored);
    QFETCH(QString, best);
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Al", {{1, "Darts", {"1"}}});
    writePlayer(dir.dataDir(), 2, "Bea", {{1, "Darts", {"2147483647"}}});
    setFirstPoints(dir.dataDir(), 1, 1, "Darts", stored);
    StoredPlayers window;
    const RowList rows = Overview::BuildOverview(PlayerFiles(dir.dataDir()), window.nameList()).rows;
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].subItems[2], stored); // the text shows as it is stored
    QCOMPARE(rows[0].subItems[12], best);
}

void OverviewTest::gamesWithoutRecordsGiveNoRow()
{
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Al", {{1, "Chess", {}}, {1, "Go", {"3"}}, {2, "Poker", {}}});
    writePlayer(dir.dataDir(), 2, "Bea", {{1, "Chess", {}}});
    StoredPlayers window;
    const RowList rows = Overview::BuildOverview(PlayerFiles(dir.dataDir()), window.nameList()).rows;
    QCOMPARE(rows, (RowList{row("0001", "Go", "Category 1", {"3"}, "Al")}));

    // A freed slot (empty name) is no game either.
    PlayerFiles files(dir.dataDir());
    QByteArray records = "Root\r\n\tCategory 1\r\n\t\t\r\n\tCategory 2\r\n";
    const PlayerScores scores = Overview::PlayerScoresFromBytes(records, playerFileWithCategories(5));
    QCOMPARE(scores.status, PlayerScores::Status::Read);
    QVERIFY(scores.games.isEmpty());
}

void OverviewTest::rowsAreFoundExactlyAndKeepFirstMetOrder()
{
    Overview::RowStore store;
    QCOMPARE(store.FindOverviewRow("Chess", "Board"), -1);
    QCOMPARE(store.appendRow("Chess", "Board"), 0);
    QCOMPARE(store.appendRow("Chess", "board"), 1);
    QCOMPARE(store.appendRow("chess", "Board"), 2);
    QCOMPARE(store.FindOverviewRow("Chess", "Board"), 0);
    QCOMPARE(store.FindOverviewRow("Chess", "board"), 1);
    QCOMPARE(store.FindOverviewRow("chess", "Board"), 2);
    QCOMPARE(store.FindOverviewRow("Chess ", "Board"), -1);
    QCOMPARE(store.FindOverviewRow("Board", "Chess"), -1);
    QCOMPARE(store.rows()[1].subItems.size(), 13);

    // Through the build: rows in the order the pairs are first met, player by player.
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 2, "B", {{1, "Go", {"1"}}, {1, "Chess", {"2"}}});
    writePlayer(dir.dataDir(), 5, "E", {{3, "Skat", {"3"}}, {1, "Chess", {"4"}}, {1, "Halma", {"5"}}});
    StoredPlayers window;
    QStringList order;
    for (const ListRow &r : Overview::BuildOverview(PlayerFiles(dir.dataDir()), window.nameList()).rows)
        order.append(r.caption + u' ' + r.subItems[0]);
    // addGame puts a new game before the earlier ones of its category.
    QCOMPARE(order, (QStringList{"0001 Chess", "0002 Go", "0003 Halma", "0004 Skat"}));
}

void OverviewTest::rowCaptions()
{
    QCOMPARE(Overview::RowCaption(1), QString("0001"));
    QCOMPARE(Overview::RowCaption(42), QString("0042"));
    QCOMPARE(Overview::RowCaption(9999), QString("9999"));
    QCOMPARE(Overview::RowCaption(12345), QString("12345"));
}

void OverviewTest::readingMatchesTheDataTree_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<int>("categories"); // rows of the player file's category list
    QTest::addColumn<bool>("damaged");

    const QByteArray game = "\t\tChess\r\n\t\t\tRecords\r\n\t\t\t\tRecord1\r\n\t\t\t\t\t90\r\n\t\t\t\t\t38000\r\n"
                            "\t\t\t\t\tgood\r\n\t\t\t\tRecord0\r\n\t\t\t\t\t40\r\n\t\t\t\t\t38001\r\n\t\t\t\t\t\r\n"
                            "\t\t\tGameComment\r\n\t\t\t\t\r\n\t\t\tPicIndex\r\n\t\t\t\t-1\r\n";
    const QByteArray go = "\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tR\r\n\t\t\t\t\t5\r\n\t\t\t\t\t1\r\n\t\t\t\t\t\r\n"
                          "\t\t\tGameComment\r\n\t\t\t\t\r\n\t\t\tPicIndex\r\n\t\t\t\t-1\r\n";
    QTest::newRow("one game") << "Root\r\n\tCategory 1\r\n" + game << 5 << false;
    QTest::newRow("second category") << "Root\r\n\tCategory 1\r\n\tCategory 2\r\n" + game << 5 << false;
    QTest::newRow("two games") << "Root\r\n\tCategory 1\r\n" + game + go << 5 << false;
    QTest::newRow("blanks as indent, lone CR and LF")
        << "Root\n Category 1\r" + QByteArray(game).replace('\t', ' ').replace("\r\n", "\n") << 5 << false;
    QTest::newRow("first line indented") << "\t\tRoot\r\n\tC\r\n" + go << 5 << false;
    QTest::newRow("records out of order")
        << QByteArray("Root\r\n\tC\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tR1\r\n\t\t\t\t\t1\r\n\t\t\t\t\t1\r\n\t\t\t\t\t\r\n"
                      "\t\t\t\tR0\r\n\t\t\t\t\t12\r\n\t\t\t\t\t1\r\n\t\t\t\t\t\r\n\t\t\tGameComment\r\n\t\t\t\t\r\n"
                      "\t\t\tPicIndex\r\n\t\t\t\t-1\r\n")
        << 5 << false;
    QTest::newRow("record without fields, then one")
        << QByteArray("Root\r\n\tC\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tR1\r\n\t\t\t\tR0\r\n\t\t\t\t\t8\r\n") << 5
        << true;
    QTest::newRow("game without children") << QByteArray("Root\r\n\tC\r\n\t\tGo\r\n\t\tChess\r\n") << 5 << true;
    QTest::newRow("deeper nodes") << "Root\r\n\tC\r\n" + QByteArray(go).replace("\t\t\t\t\t\r\n", "\t\t\t\t\t\r\n\t\t\t\t\t\tdeep\r\n")
                                  << 5 << true;
    QTest::newRow("second top-level node") << "Root\r\n\tC\r\n" + go + "Other\r\n\tC\r\n" + game << 5 << true;
    QTest::newRow("names in Windows-1252") << "Root\r\n\tC\r\n" + QByteArray(go).replace("Go", "M\xfchle") << 5 << false;
    QTest::newRow("names in UTF-8") << "Root\r\n\tC\r\n" + QByteArray(go).replace("Go", "M\xc3\xbchle") << 5 << false;
    QTest::newRow("text ends at NUL") << "Root\r\n\tC\r\n" + go + QByteArray("\0", 1) + game << 5 << false;
    QTest::newRow("empty file") << QByteArray() << 5 << true;
    QTest::newRow("root only") << QByteArray("Root\r\n") << 5 << false;
    QTest::newRow("invalid level") << QByteArray("Root\r\n\tC\r\n\t\t\t\tdeep\r\n") << 5 << true;
    QTest::newRow("sixth category") << QByteArray("Root\r\n\t1\r\n\t2\r\n\t3\r\n\t4\r\n\t5\r\n\t6\r\n" + go) << 6
                                    << true;
    QTest::newRow("category list too short") << "Root\r\n\tCategory 1\r\n" + game << 3 << true;
    QTest::newRow("category list longer") << "Root\r\n\tCategory 1\r\n" + game << 6 << false;
}

void OverviewTest::readingMatchesTheDataTree()
{
    // Exactly the players whose loading reports damage are damaged here; the others give the
    // games of the loaded tree with the points of their first record.
    QFETCH(QByteArray, records);
    QFETCH(int, categories);
    QFETCH(bool, damaged);
    const PlayerScores scores = Overview::PlayerScoresFromBytes(records, playerFileWithCategories(categories));

    TempProgramDir dir;
    dir.write("Data/Records1.dat", records);
    dir.write("Data/PlyData1.dat", playerFileWithCategories(categories));
    PlayerState state;
    StoredPlayers window;
    const PlayerDamage damage = window.load(PlayerFiles(dir.dataDir()), 1, state);
    QCOMPARE(damage.any(), damaged);
    QCOMPARE(scores.name, std::optional<QString>("Pat"));
    if (damaged) {
        QCOMPARE(scores.status, PlayerScores::Status::Damaged);
        if (!damage.fileErrors.isEmpty())
            QCOMPARE(scores.error, damage.fileErrors.first());
        QVERIFY(!scores.error.isEmpty());
        QVERIFY(scores.games.isEmpty());
        return;
    }
    QCOMPARE(scores.status, PlayerScores::Status::Read);
    QCOMPARE(scores.games, gamesByTree(state.dataView.toFileBytes()));
    QCOMPARE(scores.categoryNames.size(), 5);
    QCOMPARE(scores.categoryNames.first(), QString("Cat 1"));
}

void OverviewTest::damagedPlayerTakesNoPart_data()
{
    QTest::addColumn<QByteArray>("records");
    QTest::addColumn<QByteArray>("playerFile"); // "<none>": no player file
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("nameAfter");

    const QByteArray records = "Root\r\n\tC\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tR\r\n\t\t\t\t\t500\r\n";
    QTest::newRow("player file missing") << records << QByteArray("<none>") << "Cannot open file %1/PlyData3.dat"
                                         << "Player 3";
    QTest::newRow("player file of three lines") << records << QByteArray("a\r\nb\r\nCleo\r\n")
                                                << "List index out of bounds (-1)" << "Cleo";
    QTest::newRow("empty player file") << records << QByteArray() << "List index out of bounds (-1)" << "Player 3";
    QTest::newRow("points not a number") << QByteArray("Root\r\n\tC\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tR\r\n\t\t\t\t\tn/a\r\n")
                                         << playerFileWithCategories(5, "Cleo") << "Some games of the records file are damaged."
                                         << "Cleo";
    QTest::newRow("category list of two rows") << records << QByteArray("\"A\",\"1,2,3\",B,\"1,2,3\"\r\n\r\n\r\nCleo\r\n")
                                               << "List index out of bounds (2)" << "Cleo";
    QTest::newRow("records file too deep") << QByteArray("Root\r\n\t\t\tGo\r\n") << playerFileWithCategories(5, "Cleo")
                                           << "Invalid level (3) for item \"Go\"" << "Cleo";
}

void OverviewTest::damagedPlayerTakesNoPart()
{
    QFETCH(QByteArray, records);
    QFETCH(QByteArray, playerFile);
    QFETCH(QString, error);
    QFETCH(QString, nameAfter);
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Al", {{1, "Go", {"100"}}}, {"C"});
    dir.write("Data/Records3.dat", records);
    if (playerFile != "<none>")
        dir.write("Data/PlyData3.dat", playerFile);
    writePlayer(dir.dataDir(), 5, "Eve", {{1, "Go", {"200"}}}, {"C"});

    StoredPlayers window;
    const Overview::BuildResult built = Overview::BuildOverview(PlayerFiles(dir.dataDir()), window.nameList());
    QCOMPARE(built.rows, (RowList{row("0001", "Go", "C", {"100", "", "", "", "200"}, "Eve")}));
    QCOMPARE(built.damaged.size(), 1);
    QCOMPARE(built.damaged[0].player, 3);
    QCOMPARE(built.damaged[0].error, error.contains("%1") ? error.arg(dir.dataDir()) : error);
    QCOMPARE(built.names[2], nameAfter);
    // Nothing of the damaged files is changed.
    QCOMPARE(dir.read("Data/Records3.dat"), records);
}

void OverviewTest::filterLists()
{
    const QStringList names{"Al", "Bea", "Cy", "Di", "Ed", "Flo", "Gus", "Hal", "Ida", "Jo"};
    const RowList rows{
        row("0001", "Chess", "Cards", {}, ""), row("0002", "Chess", "Board", {}, ""),
        row("0003", "Skat", "cards", {}, ""),  row("0004", "Go", "CARDS", {}, ""),
        row("0005", "Go", "(all)", {}, ""),
    };
    const Overview::FilterLists lists = Overview::MakeFilterLists(rows, names, "(All)");
    QCOMPARE(lists.games, (QStringList{"(All)", "Chess", "Chess", "Skat", "Go", "Go"}));
    QCOMPARE(lists.categories, (QStringList{"(All)", "Cards", "Board"}));
    QCOMPARE(lists.bestPlayers, QStringList{"(All)"} + names);

    const Overview::FilterLists none = Overview::MakeFilterLists({}, names, "(Alle)");
    QCOMPARE(none.games, QStringList{"(Alle)"});
    QCOMPARE(none.categories, QStringList{"(Alle)"});
    QCOMPARE(none.bestPlayers, QStringList{"(Alle)"});
    QCOMPARE(Overview::AllEntry("Alle"), QString("(Alle)"));
}

void OverviewTest::filterRule_data()
{
    QTest::addColumn<int>("gameIndex");
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("categoryIndex");
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("bestIndex");
    QTest::addColumn<QString>("best");
    QTest::addColumn<QStringList>("passing"); // captions
    QTest::newRow("all at (All)") << 0 << "(All)" << 0 << "(All)" << 0 << "(All)" << QStringList{"1", "2", "3", "4"};
    QTest::newRow("no entry selected") << -1 << "" << -1 << "" << -1 << "" << QStringList{"1", "2", "3", "4"};
    QTest::newRow("game") << 1 << "Chess" << 0 << "(All)" << 0 << "(All)" << QStringList{"1", "2"};
    QTest::newRow("category exactly") << 0 << "(All)" << 2 << "Cards" << 0 << "(All)" << QStringList{"3"};
    QTest::newRow("best player") << 0 << "(All)" << 0 << "(All)" << 3 << "Bea" << QStringList{"2", "3"};
    QTest::newRow("category and best player") << 0 << "(All)" << 1 << "Board" << 3 << "Bea" << QStringList{"2"};
    QTest::newRow("all three, none passes") << 1 << "Skat" << 1 << "Board" << 3 << "Bea" << QStringList{};
    QTest::newRow("entry 0 passes whatever its text") << 0 << "Chess" << 0 << "Cards" << 0 << "Al"
                                                      << QStringList{"1", "2", "3", "4"};
}

void OverviewTest::filterRule()
{
    QFETCH(int, gameIndex);
    QFETCH(QString, game);
    QFETCH(int, categoryIndex);
    QFETCH(QString, category);
    QFETCH(int, bestIndex);
    QFETCH(QString, best);
    QFETCH(QStringList, passing);
    const RowList rows{row("1", "Chess", "Board", {}, "Al"), row("2", "Chess", "Board", {}, "Bea"),
                       row("3", "Skat", "Cards", {}, "Bea"), row("4", "Skat", "cards", {}, "")};
    const Overview::FilterChoice choice{Overview::ChoiceOf(gameIndex, game), Overview::ChoiceOf(categoryIndex, category),
                                        Overview::ChoiceOf(bestIndex, best)};
    QStringList captions;
    for (const ListRow &r : Overview::PassingRows(rows, choice))
        captions.append(r.caption);
    QCOMPARE(captions, passing);
}

void OverviewTest::pageControlsAndEmptyGrids()
{
    TempProgramDir dir;
    OverviewWindow w(dir);
    // Picture buttons named by their hints; the last three start disabled.
    const QList<QPair<const char *, QString>> buttons{{"OverviewUpdateButton", "Create list"},
                                                      {"OverviewPrintPreviewButton", "Print preview"},
                                                      {"OverviewPrintButton", "Print"},
                                                      {"OverviewExpCSVButton", "Export list to CSV file"}};
    int previousTop = -1;
    for (const auto &[name, hint] : buttons) {
        QToolButton *b = w.button(name);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->accessibleName(), hint);
        QCOMPARE(b->focusPolicy(), Qt::StrongFocus);
        QVERIFY(b->geometry().top() > previousTop); // a column, top to bottom
        previousTop = b->geometry().top();
    }
    QVERIFY(w.button("OverviewUpdateButton")->isEnabled());
    QVERIFY(w.outputButtonsDisabled());
    QCOMPARE(w.child<QGroupBox>("FilterBox")->title(), QString("Filters"));
    QCOMPARE(w.child<QGroupBox>("GameFilterBox")->title(), QString("Game filter"));
    QCOMPARE(w.child<QGroupBox>("CategoryFilterBox")->title(), QString("Category filter"));
    QCOMPARE(w.child<QGroupBox>("BestPlayerFilterBox")->title(), QString("Best player filter"));
    QVERIFY(w.child<QLabel>("OverviewItemsPanel")->font().bold());

    // No rows: the header and one empty row, count 0.
    QCOMPARE(w.games()->model()->rowCount(), 1);
    QCOMPARE(w.points()->model()->rowCount(), 1);
    QCOMPARE(w.shown(), QList<QStringList>{EmptyRowCells});
    QCOMPARE(w.itemsText(), QString("0 items listed."));
    for (const char *filter : {"GameFilterCombo", "CategoryFilterCombo", "BestPlayerFilterCombo"}) {
        QCOMPARE(w.entries(filter), QStringList{"(All)"});
        QCOMPARE(w.combo(filter)->currentIndex(), 0);
    }
    QCOMPARE(headerOf(w.games()), (QStringList{"No.", "Game", "Category", ""}));
    QCOMPARE(headerOf(w.points()), (QStringList{"Player 1", "Player 2", "Player 3", "Player 4", "Player 5", "Player 6",
                                                "Player 7", "Player 8", "Player 9", "Player 10", "Best"}));

    // The grids: fixed widths, 16-pixel cells, one header row, scroll bars on the points grid only.
    QCOMPARE(w.games()->width(), 300);
    for (auto [grid, widths] : {std::pair(w.games(), QList<int>{52, 140, 104, 64}), std::pair(w.points(), QList<int>(11, 58))}) {
        for (int c = 0; c < widths.size(); ++c)
            QCOMPARE(grid->columnWidth(c), widths[c] + OverviewGridView::GridLine);
        QCOMPARE(grid->rowHeight(0), OverviewGridView::CellHeight + OverviewGridView::GridLine);
        QCOMPARE(grid->horizontalHeader()->height(), OverviewGridView::CellHeight + OverviewGridView::GridLine);
        QVERIFY(grid->verticalHeader()->isHidden());
        QVERIFY(grid->showGrid());
    }
    QCOMPARE(w.games()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(w.games()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(w.points()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    QVERIFY(w.games()->geometry().right() < w.points()->geometry().left());
}

void OverviewTest::createListShowsRowsAndNames()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();
    QVERIFY(w.dialogs.errors().isEmpty());
    QCOMPARE(w.shown(), (QList<QStringList>{
                            {"0001", "Chess", "Board", "50", "", "", "80", "", "", "", "", "", "", "Dora"},
                            {"0002", "Chess", "Strategy", "", "", "", "", "", "", "90", "", "", "", "Greta"},
                        }));
    QCOMPARE(headerOf(w.points()), (QStringList{"Anna", "Player 2", "Player 3", "Dora", "Player 5", "Player 6", "Greta",
                                                "Player 8", "Player 9", "Player 10", "Best"}));
    QCOMPARE(w.itemsText(), QString("2 items listed."));
    QVERIFY(w.outputButtonsEnabled());
    QCOMPARE(w.form->OverView().size(), 2);
    QCOMPARE(w.form->currentPlayer(), 1);
    QProgressBar *progress = w.child<QProgressBar>("ProgBar");
    QCOMPARE(progress->minimum(), 0);
    QCOMPARE(progress->maximum(), 100);
    QCOMPARE(progress->value(), 100);
    QCOMPARE(w.form->playerName(4), QString("Dora"));
    QCOMPARE(w.entries("BestPlayerFilterCombo"), (QStringList{"(All)", "Anna", "Player 2", "Player 3", "Dora", "Player 5",
                                                             "Player 6", "Greta", "Player 8", "Player 9", "Player 10"}));
}

void OverviewTest::createListSavesCurrentPlayerFirstAndKeepsHisData()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    // An edit of player 1 that is in memory only.
    const PlayerState &state = w.form->player();
    const int slot = w.form->session().addGame(3, "Go");
    QList<StoredRecord> records{{"70", "43832", "club"}};
    w.form->session().storeRecords({3, slot}, records);
    const DataTree treeBefore = state.dataView;
    const RowList categoriesBefore = state.catListView;
    const QList<QByteArray> picturesBefore = state.playerData;
    w.form->session().setCurrentCategory(3);

    w.createList();
    QVERIFY(w.dialogs.errors().isEmpty());
    QCOMPARE(w.shownGames(), (QStringList{"Chess/Board", "Go/Category 3", "Chess/Strategy"}));
    QCOMPARE(w.shown()[1][3], QString("70"));
    QCOMPARE(w.shown()[1][13], QString("Anna"));

    // Saved to disk first; the data in memory is the same as before.
    DataTree onDisk;
    onDisk.load(w.form->playerFiles().recordsPath(1));
    QCOMPARE(onDisk, treeBefore);
    QVERIFY(state.dataView == treeBefore);
    QCOMPARE(state.catListView, categoriesBefore);
    QCOMPARE(state.playerData, picturesBefore);
    QCOMPARE(w.form->currentPlayer(), 1);
    QCOMPARE(w.form->currentCategory(), 3);
}

void OverviewTest::failedSaveKeepsTheRows()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();
    QCOMPARE(w.form->OverView().size(), 2);
    writePlayer(dir.dataDir(), 2, "Bo", {{1, "Skat", {"5"}}});
    // The overview file cannot be replaced: a folder stands in its place.
    QFile::remove(dir.file("Data/Overview.dat"));
    QVERIFY(QDir(dir.dataDir()).mkdir("Overview.dat"));

    w.createList();
    QCOMPARE(w.dialogs.errors(), QStringList{"Cannot create file " + dir.file("Data/Overview.dat")});
    QCOMPARE(w.form->OverView().size(), 2);
    QCOMPARE(w.shownGames(), (QStringList{"Chess/Board", "Chess/Strategy"}));
}

void OverviewTest::damagedPlayerIsReported()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    dir.write("Data/Records5.dat", "Root\r\n\tC\r\n\t\tChess\r\n\t\t\tRecords\r\n\t\t\t\tR\r\n\t\t\t\t\t999\r\n");
    OverviewWindow w(dir);
    w.dialogs.answerYes();
    w.createList();
    QCOMPARE(w.dialogs.messages(), QStringList{"The files of these players could not be read. They take no part in the "
                                               "overview:\nPlayer 5: Cannot open file "
                                               + dir.file("Data/PlyData5.dat")});
    QCOMPARE(w.dialogs.askedOf("msgBox").last().extra, QString("i"));
    QCOMPARE(w.shown().size(), 2);
    QCOMPARE(w.shown()[0][13], QString("Dora"));
    QVERIFY(dir.exists("Data/Records5.dat"));
}

void OverviewTest::filtersCombine()
{
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Anna", {{1, "Chess", {"50"}}, {1, "Go", {"9"}}, {2, "Skat", {"30"}}}, {"Board", "Cards"});
    writePlayer(dir.dataDir(), 2, "Bert", {{1, "Chess", {"60"}}, {1, "Go", {"3"}}, {2, "Skat", {"40"}}}, {"Board", "Cards"});
    OverviewWindow w(dir);
    w.createList();
    // A new game goes before the earlier ones of its category.
    QCOMPARE(w.shownGames(), (QStringList{"Go/Board", "Chess/Board", "Skat/Cards"}));

    w.choose("CategoryFilterCombo", "Board");
    QCOMPARE(w.shownGames(), (QStringList{"Go/Board", "Chess/Board"}));
    QCOMPARE(w.itemsText(), QString("2 items listed."));
    w.choose("BestPlayerFilterCombo", "Bert");
    QCOMPARE(w.shownGames(), QStringList{"Chess/Board"});
    QCOMPARE(w.shown()[0][0], QString("0002"));
    QCOMPARE(w.itemsText(), QString("1 items listed."));

    // Nothing passes: one empty row, count 0, no output.
    w.choose("GameFilterCombo", "Skat");
    QCOMPARE(w.shown(), QList<QStringList>{EmptyRowCells});
    QCOMPARE(w.itemsText(), QString("0 items listed."));
    QVERIFY(w.outputButtonsDisabled());

    w.choose("GameFilterCombo", "(All)");
    w.choose("CategoryFilterCombo", "(All)");
    w.choose("BestPlayerFilterCombo", "(All)");
    QCOMPARE(w.shownGames(), (QStringList{"Go/Board", "Chess/Board", "Skat/Cards"}));
    QCOMPARE(w.itemsText(), QString("3 items listed."));
    QVERIFY(w.outputButtonsEnabled());
}

void OverviewTest::createListResetsFilters()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();
    w.choose("CategoryFilterCombo", "Strategy");
    w.choose("BestPlayerFilterCombo", "Greta");
    QCOMPARE(w.shown().size(), 1);
    w.createList();
    QCOMPARE(w.shownGames(), (QStringList{"Chess/Board", "Chess/Strategy"}));
    for (const char *filter : {"GameFilterCombo", "CategoryFilterCombo", "BestPlayerFilterCombo"})
        QCOMPARE(w.combo(filter)->currentText(), QString("(All)"));
    QCOMPARE(w.entries("GameFilterCombo"), (QStringList{"(All)", "Chess", "Chess"}));
}

void OverviewTest::categoriesDifferingInCaseShareOneEntry()
{
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Anna", {{1, "Skat", {"10"}}, {1, "Poker", {"11"}}}, {"Cards"});
    writePlayer(dir.dataDir(), 2, "Bert", {{1, "Skat", {"20"}}, {1, "Rummy", {"21"}}}, {"cards"});
    OverviewWindow w(dir);
    w.createList();
    QCOMPARE(w.shownGames(), (QStringList{"Poker/Cards", "Skat/Cards", "Rummy/cards", "Skat/cards"}));
    QCOMPARE(w.entries("CategoryFilterCombo"), (QStringList{"(All)", "Cards"}));
    w.choose("CategoryFilterCombo", "Cards");
    QCOMPARE(w.shownGames(), (QStringList{"Poker/Cards", "Skat/Cards"}));
}

void OverviewTest::gamesGridFollowsPointsGrid()
{
    TempProgramDir dir;
    QList<PlayedGame> many;
    for (int g = 0; g < 120; ++g)
        many.append({1, QStringLiteral("Game %1").arg(g, 3, 10, QChar(u'0')), {QString::number(g)}});
    writePlayer(dir.dataDir(), 1, "Anna", many);
    OverviewWindow w(dir);
    w.createList();
    QCOMPARE(w.shown().size(), 120);
    QCoreApplication::processEvents();
    QScrollBar *pointsBar = w.points()->verticalScrollBar();
    QVERIFY(pointsBar->maximum() > 50);
    // Both grids show the same rows: equal viewports, equal ranges.
    QCOMPARE(w.games()->viewport()->height(), w.points()->viewport()->height());
    QCOMPARE(w.games()->verticalScrollBar()->maximum(), pointsBar->maximum());

    for (int top : {7, 50, pointsBar->maximum(), 0}) {
        pointsBar->setValue(top);
        QCOMPARE(w.games()->verticalScrollBar()->value(), top);
        if (top < pointsBar->maximum())
            QCOMPARE(w.points()->topRow(), top);
        // The same rows at the same heights.
        QCOMPARE(w.games()->topRow(), w.points()->topRow());
        QCOMPARE(w.games()->rowViewportPosition(top), w.points()->rowViewportPosition(top));
    }
    // Keys in the points grid scroll it; the games grid goes along.
    w.points()->setFocus();
    QTest::keyClick(w.points(), Qt::Key_PageDown);
    QTest::keyClick(w.points(), Qt::Key_PageDown);
    QVERIFY(w.points()->topRow() > 0);
    QCOMPARE(w.games()->topRow(), w.points()->topRow());
    // Scrolling over the games grid moves the points grid too.
    w.games()->verticalScrollBar()->setValue(33);
    QCOMPARE(w.points()->topRow(), 33);
    QCOMPARE(w.games()->topRow(), 33);
    QCOMPARE(w.games()->indexAt(QPoint(5, 5)).data().toString(), QString("0034"));
}

void OverviewTest::cellsDrawnWithLineColours_data()
{
    QTest::addColumn<bool>("alternating");
    QTest::newRow("alternating") << true;
    QTest::newRow("plain") << false;
}

void OverviewTest::cellsDrawnWithLineColours()
{
    QFETCH(bool, alternating);
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Anna", {{1, "Chess", {"5"}}, {1, "Go", {"6"}}, {1, "Skat", {"7"}}});
    OverviewWindow w(dir);
    w.createList();
    w.options().setAlternatingLines(alternating);
    w.options().lineColor1()->setColorValue(0x0000FF);  // red
    w.options().lineColor2()->setColorValue(0x00FF00);  // green

    for (OverviewGridView *grid : {w.games(), w.points()}) {
        const QImage image = grid->viewport()->grab().toImage();
        const QColor base = grid->palette().color(QPalette::Base);
        for (int r = 0; r < 3; ++r) {
            const QRect cell = grid->visualRect(grid->model()->index(r, 1));
            const QColor expected = !alternating ? base : r % 2 == 0 ? QColor(0, 255, 0) : QColor(255, 0, 0);
            QCOMPARE(image.pixelColor(cell.left() + 1, cell.center().y()), expected);
        }
        const QImage header = grid->horizontalHeader()->grab().toImage();
        const QColor expectedHeader = alternating ? ColorValue::toColor(ColorValue::ButtonFace)
                                                  : grid->horizontalHeader()->palette().color(QPalette::Button);
        QCOMPARE(header.pixelColor(1, 8), expectedHeader);
    }
    QCOMPARE(OverviewCell::background({true, 0x0000FF, 0x00FF00}, 4, Qt::gray, Qt::white), QColor(255, 0, 0));
    QCOMPARE(OverviewCell::background({true, 0x0000FF, 0x00FF00}, 5, Qt::gray, Qt::white), QColor(0, 255, 0));
    QCOMPARE(OverviewCell::background({false, 0x0000FF, 0x00FF00}, 0, Qt::gray, Qt::white), QColor(Qt::gray));
}

void OverviewTest::textPlacedInCells()
{
    TempProgramDir dir;
    writePlayer(dir.dataDir(), 1, "Anna", {{1, "Chess", {"50"}}});
    OverviewWindow w(dir);
    w.createList();
    w.options().setAlternatingLines(false);
    QCOMPARE(OverviewCell::textRect(QRect(10, 20, 58, 16)), QRect(12, 22, 53, 14));
    // A text too wide for its cell keeps its beginning.
    const QFontMetrics metrics(w.points()->font());
    QCOMPARE(ElideToWidth(metrics, QStringLiteral("Anna"), 53), QStringLiteral("Anna"));
    const QString longName = QStringLiteral("Bernadette-Maria");
    const QString shortened = ElideToWidth(metrics, longName, 53);
    QVERIFY2(shortened.startsWith(u'B') && shortened.endsWith(QChar(0x2026)), qPrintable(shortened));
    QVERIFY(metrics.horizontalAdvance(shortened) <= 53);
    QCOMPARE(w.points()->model()->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Anna"));

    OverviewGridView *grid = w.points();
    // Columns 0 and 10 side by side in view.
    grid->setColumnHidden(1, true);
    for (int c = 2; c < 10; ++c)
        grid->setColumnHidden(c, true);
    QCoreApplication::processEvents();
    const QImage image = grid->viewport()->grab().toImage();
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->model()->index(0, 10))));
    const QColor base = grid->palette().color(QPalette::Base);
    // A player's points end 3 pixels left of the cell's right edge.
    const QRect pointsCell = grid->visualRect(grid->model()->index(0, 0));
    const auto [pointsFirst, pointsLast] = inkColumns(image, pointsCell, base);
    QVERIFY2(pointsLast <= pointsCell.right() - 3 && pointsLast >= pointsCell.right() - 6,
             qPrintable(QString("%1 in %2..%3").arg(pointsLast).arg(pointsCell.left()).arg(pointsCell.right())));
    QVERIFY(pointsFirst > pointsCell.center().x());
    QVERIFY(firstInkRow(image, pointsCell, base) >= pointsCell.top() + 2);
    // The best player's name starts 2 pixels right of the left edge.
    const QRect bestCell = grid->visualRect(grid->model()->index(0, 10));
    const auto [bestFirst, bestLast] = inkColumns(image, bestCell, base);
    QVERIFY2(bestFirst >= bestCell.left() + 2 && bestFirst <= bestCell.left() + 4,
             qPrintable(QString("%1 in %2..%3").arg(bestFirst).arg(bestCell.left()).arg(bestCell.right())));
    QVERIFY(bestLast < bestCell.center().x() + 20);
    // The games grid's game name is left-aligned as well.
    const QImage gamesImage = w.games()->viewport()->grab().toImage();
    const QRect gameCell = w.games()->visualRect(w.games()->model()->index(0, 1));
    const int gameFirst = inkColumns(gamesImage, gameCell, base).first;
    QVERIFY(gameFirst >= gameCell.left() + 2 && gameFirst <= gameCell.left() + 4);
}

void OverviewTest::overviewFileRestoredAtStartUp()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    {
        OverviewWindow w(dir);
        w.createList();
        QVERIFY(w.exit());
    }
    QVERIFY(!dir.read("Data/Overview.dat").isEmpty());
    OverviewWindow again(dir);
    QCOMPARE(again.form->OverView().size(), 2);
    QCOMPARE(again.shown(), (QList<QStringList>{
                                {"0001", "Chess", "Board", "50", "", "", "80", "", "", "", "", "", "", "Dora"},
                                {"0002", "Chess", "Strategy", "", "", "", "", "", "", "90", "", "", "", "Greta"},
                            }));
    QCOMPARE(again.itemsText(), QString("2 items listed."));
    QVERIFY(again.outputButtonsEnabled());
    QCOMPARE(again.entries("GameFilterCombo"), (QStringList{"(All)", "Chess", "Chess"}));
    QCOMPARE(again.entries("CategoryFilterCombo"), (QStringList{"(All)", "Board", "Strategy"}));
    QCOMPARE(again.entries("BestPlayerFilterCombo").size(), 11);

    // A file written by hand: rows of fewer fields show what they have.
    TempProgramDir other;
    other.write("Data/Overview.dat", "0001\r\nGo,Board,7\r\n");
    OverviewWindow third(other);
    QCOMPARE(third.shown(), (QList<QStringList>{{"0001", "Go", "Board", "7", "", "", "", "", "", "", "", "", "", ""}}));
}

void OverviewTest::germanTexts()
{
    TempProgramDir dir;
    QFile script(QStringLiteral(TALLIMO_DATA "/LScripts/German.lng"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    dir.write("LScripts/German.lng", script.readAll());
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir, "German");
    QCOMPARE(headerOf(w.games()), (QStringList{"Nr.", "Spiel", "Kategorie", ""}));
    QCOMPARE(headerOf(w.points()).last(), QString("Bester"));
    QCOMPARE(w.itemsText(), QString("0 Einträge aufgelistet."));
    QCOMPARE(w.button("OverviewUpdateButton")->accessibleName(), QString("Liste erstellen"));
    QCOMPARE(w.button("OverviewExpCSVButton")->toolTip(), QString("Liste als CSV-Datei exportieren"));
    QCOMPARE(w.child<QGroupBox>("BestPlayerFilterBox")->title(), QString("Filter „Bester Spieler“"));
    w.createList();
    QCOMPARE(w.entries("CategoryFilterCombo"), (QStringList{"(Alle)", "Board", "Strategy"}));
    QCOMPARE(w.itemsText(), QString("2 Einträge aufgelistet."));
}

void OverviewTest::languageChangeKeepsChosenFilters()
{
    TempProgramDir dir;
    QFile script(QStringLiteral(TALLIMO_DATA "/LScripts/German.lng"));
    QVERIFY(script.open(QIODevice::ReadOnly));
    dir.write("LScripts/German.lng", script.readAll());
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();
    w.choose("CategoryFilterCombo", "Strategy");
    QCOMPARE(w.itemsText(), QString("1 items listed."));

    w.options().selectLanguage(QStringLiteral("German.lng"));
    emit w.options().languageSelected(); // as a click on the entry
    QTRY_COMPARE(ActiveScriptPath(), dir.file("LScripts/German.lng"));
    QVERIFY(w.dialogs.errors().isEmpty());
    QCOMPARE(w.entries("CategoryFilterCombo"), (QStringList{"(Alle)", "Board", "Strategy"}));
    QCOMPARE(w.entries("GameFilterCombo").first(), QString("(Alle)"));
    QCOMPARE(w.combo("CategoryFilterCombo")->currentText(), QString("Strategy"));
    QCOMPARE(w.itemsText(), QString("1 Einträge aufgelistet."));
}

void OverviewTest::csvExportOfShownRows()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();

    // Cancel writes nothing.
    w.dialogs.answerFile(QString());
    w.button("OverviewExpCSVButton")->click();
    QCOMPARE(w.dialogs.askedOf("save").last().text, CsvExport::filter());
    QVERIFY(!dir.exists("results.csv"));

    w.dialogs.answerFile(dir.file("results"));
    w.button("OverviewExpCSVButton")->click();
    QVERIFY(w.dialogs.errors().isEmpty());
    const QByteArray header = "No.,Game,Category,Anna,\"Player 2\",\"Player 3\",Dora,\"Player 5\",\"Player 6\",Greta,"
                              "\"Player 8\",\"Player 9\",\"Player 10\",Best\r\n";
    QCOMPARE(dir.read("results.csv"), CsvExport::Utf8Mark + header + "0001,Chess,Board,50,,,80,,,,,,,Dora\r\n"
                                                                        "0002,Chess,Strategy,,,,,,,90,,,,Greta\r\n");

    // Only the rows the filters let through.
    w.choose("CategoryFilterCombo", "Strategy");
    w.dialogs.answerFile(dir.file("strategy.txt"));
    w.button("OverviewExpCSVButton")->click();
    QCOMPARE(dir.read("strategy.txt"), CsvExport::Utf8Mark + header + "0002,Chess,Strategy,,,,,,,90,,,,Greta\r\n");

    // A file that cannot be created.
    w.dialogs.answerFile(dir.file("missing/folder/x.csv"));
    w.button("OverviewExpCSVButton")->click();
    QCOMPARE(w.dialogs.errors(), QStringList{"Cannot create file " + dir.file("missing/folder/x.csv")});
}

void OverviewTest::nothingCutAtDesignedSize()
{
    TempProgramDir dir;
    writeChessPlayers(dir.dataDir());
    OverviewWindow w(dir);
    w.createList();
    w.form->resize(640, 480);
    QCoreApplication::processEvents();
    QWidget *sheet = w.sheet();
    const QRect page = sheet->rect();
    for (QWidget *control : sheet->findChildren<QWidget *>()) {
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") || !control->isVisible())
            continue;
        const QRect inPage(control->mapTo(sheet, QPoint(0, 0)), control->size());
        QVERIFY2(page.contains(inPage), qPrintable(control->objectName()));
        QVERIFY2(control->width() >= control->minimumSizeHint().width() || qobject_cast<QTableView *>(control),
                 qPrintable(control->objectName()));
    }
    // Each filter's box shows its whole list field.
    for (const char *box : {"GameFilterBox", "CategoryFilterBox", "BestPlayerFilterBox"}) {
        auto *group = w.child<QGroupBox>(box);
        QComboBox *list = group->findChild<QComboBox *>();
        QVERIFY(group->contentsRect().contains(list->geometry()));
    }
    QLabel *items = w.child<QLabel>("OverviewItemsPanel");
    QVERIFY(items->fontMetrics().boundingRect(items->contentsRect(), Qt::TextWordWrap | Qt::AlignCenter, items->text()).height()
            <= items->contentsRect().height());
    // Ten rows or more are visible.
    QVERIFY(w.points()->viewport()->height() >= 10 * (OverviewGridView::CellHeight + OverviewGridView::GridLine));
}

QTEST_MAIN(OverviewTest)
#include "test_overview.moc"
