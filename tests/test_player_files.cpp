#include "store/AppError.h"
#include "support/StoredPlayers.h"
#include "store/PlayerFiles.h"
#include "store/Points.h"
#include "support/Errors.h"
#include "support/TempProgramDir.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

// A loaded new player with one game in category 1.
void newPlayerWithGame(PlayerFiles &files, PlayerState &state, StoredPlayers &window, int player = 1)
{
    window.load(files, player, state);
    state.dataView.addGame(1, "Chess");
}

// A player as loaded, with what the window shows of it.
struct PlayerOnDisk
{
    PlayerState state;
    StoredPlayers window;
    RowList overView;
    QString error;

    bool sameAs(const PlayerOnDisk &other) const
    {
        return state.dataView == other.state.dataView && state.playerData == other.state.playerData
            && state.catListView == other.state.catListView && state.topView == other.state.topView
            && state.playerPic == other.state.playerPic && window.names == other.window.names
            && overView == other.overView;
    }
};

PlayerOnDisk loadPlayer(const QString &dataDir, int player)
{
    PlayerOnDisk loaded;
    PlayerFiles files(dataDir);
    loaded.error = errorOf([&] {
        loaded.window.load(files, player, loaded.state);
        loaded.overView = files.readOverview();
    });
    return loaded;
}

// Player 2 saved with a game, records, two pictures, a top list and a name.
PlayerOnDisk savedOldPlayer(const QString &dataDir)
{
    PlayerOnDisk old;
    PlayerFiles files(dataDir);
    old.window.load(files, 2, old.state);
    const int chess = old.state.dataView.addGame(1, "Chess");
    QList<StoredRecord> records{{"250", "38124", "won"}};
    old.state.dataView.StoreRecords(1, chess, records);
    old.state.dataView.setPictureIndex(1, chess, "1");
    old.state.playerData = {"424D0011", "424D2233"};
    old.state.topView = {{"0001", {"Chess", "250", "17.05.2004", "won", "38124"}}};
    old.window.names[1] = "Old";
    old.overView = {{"0001", {"Chess", "Category 1", "", "250"}}};
    old.window.save(files, 2, old.state, old.overView);
    return old;
}

// The same player changed in every file: records, pictures, categories, name and overview.
PlayerOnDisk changedPlayer(PlayerOnDisk player)
{
    const int go = player.state.dataView.addGame(2, "Go");
    QList<StoredRecord> records{{"90", "40000", ""}, {"120", "40001", "club"}};
    player.state.dataView.StoreRecords(2, go, records);
    player.state.dataView.setPictureIndex(2, go, "2");
    // Chess's picture was removed: its line is emptied and kept, so the other numbers stay.
    player.state.dataView.setPictureIndex(1, 0, "-1");
    player.state.playerData = {"424D0011", "", "424D4455"};
    player.state.catListView[1].caption = "Board";
    player.window.names[1] = "New";
    player.overView = {{"0001", {"Go", "Board", "", "120"}}};
    return player;
}

struct Killed
{
};

} // namespace

class PlayerFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultCategoryName_data();
    void defaultCategoryName();
    void renameDefaultCategoriesKeepsOtherNames();
    void newPlayerHasFourLines();
    void saveThenLoadRestoresEverything();
    void withoutRecordsFileDefaultsAndSkipsPlayerFile();
    void playerWithoutGamesWritesNothing();
    void playerWithoutGamesSavedOnceEdited();
    void loadFailures_data();
    void loadFailures();
    void damagedFilesAreSetAsideBeforeSaving();
    void failedSaveLeavesEarlierFiles();
    void overviewFile();
    void readsWindows1252Names();
    void largePlayerFileLoadsTheSame();
    void interruptedSaveLoadsOldOrNew_data();
    void interruptedSaveLoadsOldOrNew();
    void failedSaveStepKeepsOldPlayer_data();
    void failedSaveStepKeepsOldPlayer();
    void savesOnlyTheGivenFiles_data();
    void savesOnlyTheGivenFiles();
};

void PlayerFilesTest::newPlayerHasFourLines()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    newPlayerWithGame(files, state, window);
    window.names[0] = "Anna";
    window.save(files, 1, state, {});
    const QByteArray expected =
        "\"Category 1\",\"10092543,-2147483624,16777215\",\"Category 2\",\"10079487,-2147483624,16777215\","
        "\"Category 3\",\"10066431,-2147483624,16777215\",\"Category 4\",\"16751001,-2147483624,16777215\","
        "\"Category 5\",\"16763955,-2147483624,16777215\"\r\n"
        "\r\n"
        "\r\n"
        "Anna\r\n";
    QCOMPARE(dir.read("Data/PlyData1.dat"), expected);
    QVERIFY(dir.exists("Data/Records1.dat"));
    QCOMPARE(dir.read("Data/Overview.dat"), QByteArray());
    // The picture store itself is not touched by a save.
    QVERIFY(state.playerData.isEmpty());
}

void PlayerFilesTest::saveThenLoadRestoresEverything()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    newPlayerWithGame(files, state, window, 4);
    state.playerData = {"424D0011", "", "424DAABB"};
    state.catListView[1].caption = "Cards";
    state.catListView[1].subItems[0] = "255";
    state.topView = {{"0001", {"Chess", "250", "17.05.2004", "won", "38124"}}};
    state.playerPic.loadBmpBytes(QByteArray("BM\x01\x02", 4));
    window.names[3] = QString::fromUtf8("Jörg");
    window.save(files, 4, state, {});

    PlayerState loaded;
    StoredPlayers other;
    other.load(files, 4, loaded);
    QCOMPARE(loaded.playerData, state.playerData);
    QCOMPARE(loaded.catListView, state.catListView);
    QCOMPARE(loaded.topView, state.topView);
    QCOMPARE(loaded.playerPic, state.playerPic);
    QCOMPARE(loaded.dataView, state.dataView);
    QCOMPARE(other.names[3], QString::fromUtf8("Jörg"));
    QCOMPARE(StoredPlayers::captions(loaded)[1], QString("Cards"));
    QCOMPARE(StoredPlayers::colors(loaded)[1], 255);
    QVERIFY(!loaded.filesDamaged);
    QVERIFY(other.hadRecordsFile);
    // Only the loaded player takes the name of its file.
    QCOMPARE(other.names[2], QString("Player 3"));
    QCOMPARE(other.names[4], QString("Player 5"));
}

void PlayerFilesTest::withoutRecordsFileDefaultsAndSkipsPlayerFile()
{
    TempProgramDir dir;
    dir.write("Data/PlyData2.dat", "garbage\r\n");
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    state.playerData = {"old"};
    StoredPlayers window;
    window.names[1] = "Bob";
    window.load(files, 2, state);
    QCOMPARE(state.catListView.size(), 5);
    QCOMPARE(state.catListView[4], (ListRow{"Category 5", {"16763955", "-2147483624", "16777215"}}));
    QVERIFY(state.playerData.isEmpty());
    QCOMPARE(window.names[1], QString("Bob"));
    // A new player: shown with category 1 selected.
    QVERIFY(!window.hadRecordsFile);
    QCOMPARE(state.dataView.toFileBytes(), QByteArray("Root\r\n"));
}

void PlayerFilesTest::playerWithoutGamesWritesNothing()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    window.load(files, 1, state);
    window.save(files, 1, state, {{"Chess", {"1"}}});
    QVERIFY(QDir(dir.dataDir()).entryList(QDir::Files).isEmpty());

    // A tree without even a root (an empty records file) has no games either.
    state.dataView.clear();
    window.save(files, 1, state, {});
    QVERIFY(QDir(dir.dataDir()).entryList(QDir::Files).isEmpty());
}

void PlayerFilesTest::playerWithoutGamesSavedOnceEdited()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    window.load(files, 2, state);
    state.playerPic.loadBmpBytes(QByteArray("BM\x01\x02", 4));
    window.names[1] = "Bea";
    state.unsaved = DataFile::Player;
    window.save(files, 2, state, {{"0001", {"Chess"}}}, state.unsaved);
    // The records file holds the root alone; only the player's files were asked for.
    QCOMPARE(dir.read("Data/Records2.dat"), QByteArray("Root\r\n"));
    QVERIFY(dir.read("Data/PlyData2.dat").endsWith("\r\n424D0102\r\nBea\r\n"));
    QVERIFY(!dir.exists("Data/Overview.dat"));
    QCOMPARE(state.unsaved, DataFiles());

    PlayerState loaded;
    StoredPlayers other;
    other.load(files, 2, loaded);
    QCOMPARE(loaded.playerPic, state.playerPic);
    QCOMPARE(other.names[1], QString("Bea"));
    QVERIFY(!loaded.dataView.hasGames());
    QVERIFY(!loaded.filesDamaged);

    // With its files on disk, the player is saved as any other, edited or not.
    other.names[1] = "Bea B.";
    other.save(files, 2, loaded, {});
    QVERIFY(dir.read("Data/PlyData2.dat").endsWith("\r\nBea B.\r\n"));
    QVERIFY(dir.exists("Data/Overview.dat"));
}

void PlayerFilesTest::loadFailures_data()
{
    QTest::addColumn<QByteArray>("playerFile");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("categories"); // names afterwards
    QTest::addColumn<QString>("name");           // player 1's name afterwards
    QTest::addColumn<int>("pictures");           // lines of the picture store afterwards
    const QByteArray categories = "A,\"1,2,3\",B,\"2,2,3\",C,\"3,2,3\",D,\"4,2,3\",E,\"5,2,3\"\r\n";
    const QStringList defaults{"Category 1", "Category 2", "Category 3", "Category 4", "Category 5"};
    const QStringList read{"A", "B", "C", "D", "E"};
    QTest::newRow("missing player file") << QByteArray() << QString("Cannot open file %1/Data/PlyData1.dat") << defaults
                                         << "Player 1" << 0;
    QTest::newRow("three lines") << QByteArray("a\r\n\r\nName\r\n") << QString("List index out of bounds (-1)")
                                 << defaults << "Name" << 0;
    QTest::newRow("no lines") << QByteArray("\0", 1) << QString("List index out of bounds (-1)") << defaults
                              << "Player 1" << 0;
    QTest::newRow("picture not a bitmap") << "424D01\r\n" + categories + "\r\n4142\r\nAnna\r\n"
                                          << QString("Bitmap image is not valid") << read << "Anna" << 1;
    QTest::newRow("colour not a number")
        << QByteArray("424D01\r\nA,\"1,2,3\",B,\"x2,2,3\",C,\"3,2,3\",D,\"4,2,3\",E,\"5,2,3\"\r\n\r\n\r\nAnna\r\n")
        << QString("'x2' is not a valid integer value") << read << "Anna" << 1;
    QTest::newRow("too few categories") << QByteArray("A,\"1,2,3\",B,\"2,2,3\"\r\n\r\n\r\nAnna\r\n")
                                        << QString("List index out of bounds (2)")
                                        << QStringList{"A", "B", "Category 3", "Category 4", "Category 5"} << "Anna" << 0;
}

void PlayerFilesTest::loadFailures()
{
    QFETCH(QByteArray, playerFile);
    QFETCH(QString, error);
    QFETCH(QStringList, categories);
    QFETCH(QString, name);
    QFETCH(int, pictures);
    TempProgramDir dir;
    const QByteArray records = "Root\r\n\tCategory 1\r\n\t\tGo\r\n\t\t\tRecords\r\n\t\t\t\tRecord0\r\n\t\t\t\t\t5\r\n"
                               "\t\t\t\t\t38124\r\n\t\t\t\t\t\r\n\t\t\tGameComment\r\n\t\t\t\t\r\n\t\t\tPicIndex\r\n\t\t\t\t-1\r\n";
    dir.write("Data/Records1.dat", records);
    if (!playerFile.isEmpty())
        dir.write("Data/PlyData1.dat", playerFile);
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    const PlayerDamage damage = window.load(files, 1, state);

    // What could be read is kept, the rest takes its default: the player is whole.
    QCOMPARE(damage.fileErrors.value(0), error.arg(dir.path()));
    QCOMPARE(state.dataView.readRecords(1, 0), (QList<StoredRecord>{{"5", "38124", ""}}));
    QStringList names;
    for (const ListRow &row : state.catListView) {
        names.append(row.caption);
        QCOMPARE(row.subItems.size(), 3);
        for (const QString &color : row.subItems)
            QVERIFY(Points::tryParse(color));
    }
    QCOMPARE(names, categories);
    QCOMPARE(window.names[0], name);
    QCOMPARE(state.playerData.size(), pictures);
    QVERIFY(state.playerPic.isEmpty());

    // The files as they were are kept beside them, once.
    QCOMPARE(damage.keptAs.size(), playerFile.isEmpty() ? 1 : 2);
    QCOMPARE(dir.read("Data/" + QFileInfo(damage.keptAs[0]).fileName()), records);
    QVERIFY(!state.filesDamaged);
    const PlayerDamage again = window.load(files, 1, state);
    QCOMPARE(again.keptAs, damage.keptAs);

    // Saved, the player loads cleanly.
    window.save(files, 1, state, {});
    PlayerState reloaded;
    QVERIFY(!window.load(files, 1, reloaded).any());
    QCOMPARE(reloaded.catListView, state.catListView);
    QCOMPARE(reloaded.playerData, state.playerData);
    QCOMPARE(QDir(dir.dataDir()).entryList({"*.damaged-*"}).size(), damage.keptAs.size());
}

void PlayerFilesTest::damagedFilesAreSetAsideBeforeSaving()
{
    // Files that cannot be copied aside at load (here: a records file that cannot be read) are
    // moved aside before the save writes over them.
    TempProgramDir dir;
    const QByteArray damaged = "424D00\r\nlost category line\r\n";
    QVERIFY(QDir(dir.dataDir()).mkdir("Records3.dat"));
    dir.write("Data/PlyData3.dat", damaged);
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    const PlayerDamage damage = window.load(files, 3, state);
    QCOMPARE(damage.fileErrors.value(0), "Cannot open file " + dir.file("Data/Records3.dat"));
    QVERIFY(state.filesDamaged);
    QVERIFY(QDir(dir.dataDir()).rmdir("Records3.dat"));
    dir.write("Data/Records3.dat", "unreadable before");

    state.dataView.addGame(1, "Go");
    window.save(files, 3, state, {});
    QCOMPARE(window.setAside.size(), 2);
    QCOMPARE(dir.read("Data/" + QFileInfo(window.setAside[0]).fileName()), QByteArray("unreadable before"));
    QCOMPARE(dir.read("Data/" + QFileInfo(window.setAside[1]).fileName()), damaged);
    QVERIFY(window.setAside[0].contains("Records3.dat.damaged-"));
    // The new files are whole; the next save sets nothing aside.
    QVERIFY(!window.load(files, 3, state).any());
    window.setAside.clear();
    window.save(files, 3, state, {});
    QVERIFY(window.setAside.isEmpty());
}

void PlayerFilesTest::failedSaveLeavesEarlierFiles()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    newPlayerWithGame(files, state, window);
    window.save(files, 1, state, {});
    const QByteArray oldPlayer = dir.read("Data/PlyData1.dat");
    const QByteArray oldRecords = dir.read("Data/Records1.dat");

    // A folder in the way of the overview file stops the save before any file is replaced.
    QVERIFY(QFile::remove(dir.file("Data/Overview.dat")));
    QVERIFY(QDir(dir.dataDir()).mkdir("Overview.dat"));
    state.dataView.addGame(2, "Go");
    window.names[0] = "Changed";
    QCOMPARE(errorOf([&] { window.save(files, 1, state, {}); }),
             "Cannot create file " + dir.file("Data/Overview.dat"));
    QCOMPARE(dir.read("Data/PlyData1.dat"), oldPlayer);
    QCOMPARE(dir.read("Data/Records1.dat"), oldRecords);
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::Files), (QStringList{"PlyData1.dat", "Records1.dat"}));
}

void PlayerFilesTest::overviewFile()
{
    TempProgramDir dir;
    PlayerFiles files(dir.dataDir());
    QVERIFY(files.readOverview().isEmpty());
    dir.write("Data/Overview.dat", "");
    QVERIFY(files.readOverview().isEmpty());

    const RowList rows{{"0001", {"Chess", "Category 1", "250", "0", "", "", "", "", "", "", "", "", "Anna"}},
                       {"0002", {"Go, the game", "Cards", "\"quoted\""}}};
    QCOMPARE(PlayerFiles::overviewFileBytes(rows).left(6), QByteArray("0001\r\n"));
    PlayerState state;
    StoredPlayers window;
    newPlayerWithGame(files, state, window);
    window.save(files, 1, state, rows);
    QCOMPARE(files.readOverview(), rows);
}

void PlayerFilesTest::readsWindows1252Names()
{
    TempProgramDir dir;
    dir.write("Data/Records1.dat", "Root\r\n");
    dir.write("Data/PlyData1.dat", "W\xFCrfel,\"1\",B,\"2\",C,\"3\",D,\"4\",E,\"5\"\r\n\r\n\r\nJ\xF6rg\r\n");
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    window.load(files, 1, state);
    QCOMPARE(window.names[0], QString::fromUtf8("Jörg"));
    QCOMPARE(state.catListView[0].caption, QString::fromUtf8("Würfel"));
}

void PlayerFilesTest::largePlayerFileLoadsTheSame()
{
    // A player file above a few megabytes is read beside the tree; results and errors stay the same.
    TempProgramDir dir;
    const QByteArray picture = "424D" + QByteArray(6 << 20, 'A');
    const QByteArray tail = "A,\"1\",B,\"2\",C,\"3\",D,\"4\",E,\"5\"\r\n\r\n\r\nAnna\r\n";
    dir.write("Data/PlyData1.dat", picture + "\r\n" + tail);
    dir.write("Data/Records1.dat", "Root\r\n\tCategory 1\r\n");
    PlayerFiles files(dir.dataDir());
    PlayerState state;
    StoredPlayers window;
    window.load(files, 1, state);
    QCOMPARE(state.playerData, QList<QByteArray>{picture});
    QCOMPARE(window.names[0], QString("Anna"));

    // Saving it forms the records file beside writing the pictures; a failure still changes nothing.
    state.dataView.addGame(1, "Chess");
    QVERIFY(QDir(dir.dataDir()).mkdir("Overview.dat"));
    const QByteArray before = dir.read("Data/PlyData1.dat");
    QCOMPARE(errorOf([&] { window.save(files, 1, state, {}); }), "Cannot create file " + dir.file("Data/Overview.dat"));
    QCOMPARE(dir.read("Data/PlyData1.dat"), before);
    QVERIFY(QDir(dir.dataDir()).rmdir("Overview.dat"));
    window.save(files, 1, state, {});
    PlayerState again;
    window.load(files, 1, again);
    QCOMPARE(again.playerData, state.playerData);
    QCOMPARE(again.dataView, state.dataView);

    dir.write("Data/Records1.dat", "Root\r\n\t\t\tToo deep\r\n");
    PlayerState failed;
    const PlayerDamage damage = window.load(files, 1, failed);
    QCOMPARE(damage.fileErrors, QStringList{"Invalid level (3) for item \"Too deep\""});
    QCOMPARE(failed.playerData, state.playerData);
}

// The steps of saving the changed player over the old one.
static QList<AtomicFileGroup::Step> saveSteps(bool withOldOverview)
{
    TempProgramDir dir;
    PlayerOnDisk player = changedPlayer(savedOldPlayer(dir.dataDir()));
    if (!withOldOverview)
        QFile::remove(dir.file("Data/Overview.dat"));
    PlayerFiles files(dir.dataDir());
    QList<AtomicFileGroup::Step> steps;
    files.setSaveStepHook([&](AtomicFileGroup::Step step, const QString &) {
        steps.append(step);
        return true;
    });
    player.window.save(files, 2, player.state, player.overView);
    return steps;
}

void PlayerFilesTest::interruptedSaveLoadsOldOrNew_data()
{
    QTest::addColumn<int>("killAt");
    QTest::addColumn<bool>("committed");
    const QList<AtomicFileGroup::Step> steps = saveSteps(true);
    bool committed = false;
    for (int k = 0; k <= steps.size(); ++k) {
        QTest::addRow("killed before step %d", k) << k << committed;
        if (k < steps.size() && steps[k] == AtomicFileGroup::Step::CommitJournal)
            committed = true;
    }
}

void PlayerFilesTest::interruptedSaveLoadsOldOrNew()
{
    QFETCH(int, killAt);
    QFETCH(bool, committed);
    TempProgramDir dir;
    const PlayerOnDisk old = savedOldPlayer(dir.dataDir());
    PlayerOnDisk changed = changedPlayer(old);
    QVERIFY(!changed.sameAs(old));
    {
        PlayerFiles files(dir.dataDir());
        int step = 0;
        files.setSaveStepHook([&](AtomicFileGroup::Step, const QString &) {
            if (step++ == killAt)
                throw Killed{};
            return true;
        });
        try {
            changed.window.save(files, 2, changed.state, changed.overView);
        } catch (const Killed &) {
        }
    }
    PlayerFiles(dir.dataDir()).recoverInterruptedSave();
    const PlayerOnDisk loaded = loadPlayer(dir.dataDir(), 2);
    QCOMPARE(loaded.error, QString());
    QVERIFY(loaded.sameAs(committed ? changed : old));
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::Files), (QStringList{"Overview.dat", "PlyData2.dat", "Records2.dat"}));
}

void PlayerFilesTest::failedSaveStepKeepsOldPlayer_data()
{
    QTest::addColumn<int>("failAt");
    QTest::addColumn<QString>("failedFile");
    const QList<AtomicFileGroup::Step> steps = saveSteps(false);
    // Files in the order the save adds them; the player file (the pictures) goes first.
    const QStringList added{"PlyData2.dat", "Records2.dat", "Overview.dat"};
    int write = 0;
    int aside = 0;
    int put = 0;
    for (int k = 0; k < steps.size(); ++k) {
        switch (steps[k]) {
        case AtomicFileGroup::Step::BeginJournal: QTest::newRow("begin journal") << k << "Saving.journal"; break;
        case AtomicFileGroup::Step::CommitJournal: QTest::newRow("commit journal") << k << "Saving.journal"; break;
        case AtomicFileGroup::Step::WriteNew: QTest::addRow("write %s", qPrintable(added[write])) << k << added[write]; ++write; break;
        // The overview file had no old version.
        case AtomicFileGroup::Step::SetOldAside: QTest::addRow("set aside %s", qPrintable(added[aside])) << k << added[aside]; ++aside; break;
        case AtomicFileGroup::Step::PutNewInPlace: QTest::addRow("put %s in place", qPrintable(added[put])) << k << added[put]; ++put; break;
        default: break;
        }
    }
}

void PlayerFilesTest::failedSaveStepKeepsOldPlayer()
{
    QFETCH(int, failAt);
    QFETCH(QString, failedFile);
    TempProgramDir dir;
    const PlayerOnDisk old = savedOldPlayer(dir.dataDir());
    QVERIFY(QFile::remove(dir.file("Data/Overview.dat")));
    PlayerOnDisk changed = changedPlayer(old);
    PlayerFiles files(dir.dataDir());
    int step = 0;
    files.setSaveStepHook([&](AtomicFileGroup::Step, const QString &) { return step++ != failAt; });
    QCOMPARE(errorOf([&] { changed.window.save(files, 2, changed.state, changed.overView); }),
             "Cannot create file " + dir.file("Data/" + failedFile));
    // The old player whole, without an overview file as before, and nothing beside it.
    QCOMPARE(QDir(dir.dataDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{"PlyData2.dat", "Records2.dat"}));
    PlayerOnDisk loaded = loadPlayer(dir.dataDir(), 2);
    QCOMPARE(loaded.error, QString());
    loaded.overView = old.overView;
    QVERIFY(loaded.sameAs(old));
}

static quint64 inodeOf(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

void PlayerFilesTest::savesOnlyTheGivenFiles_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("written");
    const int records = int(DataFiles(DataFile::Records));
    const int player = int(DataFiles(DataFile::Player));
    const int overview = int(DataFiles(DataFile::Overview));
    const QStringList both{"PlyData2.dat", "Records2.dat"};
    QTest::newRow("records") << records << "" << QStringList{"Records2.dat"};
    QTest::newRow("player file") << player << "" << QStringList{"PlyData2.dat"};
    QTest::newRow("overview") << overview << "" << QStringList{"Overview.dat"};
    QTest::newRow("records and overview") << (records | overview) << "" << QStringList{"Overview.dat", "Records2.dat"};
    QTest::newRow("nothing") << 0 << "" << QStringList{};
    // The one is not read without the other.
    QTest::newRow("records, player file missing") << records << "no player file" << both;
    QTest::newRow("player file, records missing") << player << "no records" << both;
    QTest::newRow("overview, records missing") << overview << "no records" << QStringList{"Overview.dat"};
    // Damaged files are both set aside, so both are written anew.
    QTest::newRow("records, files damaged") << records << "damaged" << both;
}

void PlayerFilesTest::savesOnlyTheGivenFiles()
{
    QFETCH(int, files);
    QFETCH(QString, before);
    QFETCH(QStringList, written);
    TempProgramDir dir;
    PlayerOnDisk player = changedPlayer(savedOldPlayer(dir.dataDir()));
    if (before == "no player file")
        QVERIFY(QFile::remove(dir.file("Data/PlyData2.dat")));
    if (before == "no records")
        QVERIFY(QFile::remove(dir.file("Data/Records2.dat")));
    const QStringList names{"Overview.dat", "PlyData2.dat", "Records2.dat"};
    QMap<QString, quint64> inodes;
    for (const QString &name : names)
        inodes.insert(name, inodeOf(dir.file("Data/" + name)));
    player.state.unsaved = AllDataFiles;
    player.state.filesDamaged = before == "damaged";

    player.window.save(PlayerFiles(dir.dataDir()), 2, player.state, player.overView, DataFiles::fromInt(files));
    QStringList rewritten;
    for (const QString &name : names)
        if (inodeOf(dir.file("Data/" + name)) != inodes[name])
            rewritten.append(name);
    QCOMPARE(rewritten, written);
    // What was written is no longer unsaved; the rest still is.
    DataFiles left = AllDataFiles;
    if (written.contains("Records2.dat"))
        left &= ~DataFiles(DataFile::Records);
    if (written.contains("PlyData2.dat"))
        left &= ~DataFiles(DataFile::Player);
    if (written.contains("Overview.dat"))
        left &= ~DataFiles(DataFile::Overview);
    QCOMPARE(player.state.unsaved, left);
}

void PlayerFilesTest::defaultCategoryName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("English") << "Category 1" << 1 << true;
    QTest::newRow("German") << "Kategorie 3" << 3 << true;
    QTest::newRow("third script") << QStringLiteral("Cat\u00E9gorie 5") << 5 << true;
    QTest::newRow("another category's number") << "Category 2" << 1 << false;
    QTest::newRow("number with more digits") << "Category 12" << 2 << false;
    QTest::newRow("other letter case") << "category 1" << 1 << false;
    QTest::newRow("blank after") << "Kategorie 4 " << 4 << false;
    QTest::newRow("two blanks") << "Kategorie  4" << 4 << false;
    QTest::newRow("no blank") << "Kategorie4" << 4 << false;
    QTest::newRow("word of no script") << "Group 1" << 1 << false;
    QTest::newRow("number alone") << " 1" << 1 << false;
    QTest::newRow("word alone") << "Category" << 1 << false;
    QTest::newRow("more words") << "My Category 1" << 1 << false;
}

void PlayerFilesTest::defaultCategoryName()
{
    QFETCH(QString, name);
    QFETCH(int, category);
    QFETCH(bool, isDefault);
    const QStringList words{"Category", "Kategorie", QStringLiteral("Cat\u00E9gorie")};
    QCOMPARE(IsDefaultCategoryName(name, category, words), isDefault);
}

void PlayerFilesTest::renameDefaultCategoriesKeepsOtherNames()
{
    RowList rows;
    const QStringList stored{"Category 1", "Chess", "Kategorie 3", "Category 3", "Kategorie 5"};
    for (int n = 1; n <= 5; ++n)
        rows.append(DefaultCategoryRow(n, stored[n - 1]));
    const std::array<QString, 5> german = DefaultCategoryNames("Kategorie");
    QCOMPARE(RenameDefaultCategories(rows, german, {"Category", "Kategorie"}), (QList<int>{1}));
    const QStringList shown{rows[0].caption, rows[1].caption, rows[2].caption, rows[3].caption, rows[4].caption};
    QCOMPARE(shown, (QStringList{"Kategorie 1", "Chess", "Kategorie 3", "Category 3", "Kategorie 5"}));
    QCOMPARE(rows[0].subItems, DefaultCategoryRow(1, QString()).subItems);

    // Back to English: every default name of its own number.
    QCOMPARE(RenameDefaultCategories(rows, DefaultCategoryNames(), {"Category", "Kategorie"}), (QList<int>{1, 3, 5}));
    QCOMPARE(rows[2].caption, QString("Category 3"));
    QCOMPARE(rows[3].caption, QString("Category 3")); // category 4's name is another number's
    // Fewer rows than categories: only those there.
    rows.resize(2);
    QCOMPARE(RenameDefaultCategories(rows, german, {"Category"}), (QList<int>{1}));
}

QTEST_APPLESS_MAIN(PlayerFilesTest)
#include "test_player_files.moc"
