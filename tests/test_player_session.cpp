// The player session: what each edit marks unsaved and announces, the shown game, loading and
// the autosave.
#include "session/PlayerSession.h"

#include "support/StoredPlayers.h"
#include "support/TempProgramDir.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <limits>

namespace {

constexpr int NoAutosave = std::numeric_limits<int>::max();

// A session over a fresh player with one game in category 1.
struct Fixture
{
    explicit Fixture(int autosaveDelayMs = NoAutosave) : session(dir.dataDir(), autosaveDelayMs)
    {
        session.load(1, DefaultCategoryNames());
        chess = session.addGame(1, QStringLiteral("Chess"));
        // As if loaded so: nothing unsaved.
        session.takeData(PlayerState(session.data()));
    }

    TempProgramDir dir;
    PlayerSession session;
    int chess = -1;
};

using Edit = std::function<void(PlayerSession &, int game)>;

} // namespace

Q_DECLARE_METATYPE(Edit)

class PlayerSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void editsMarkTheirFilesAndAnnounce_data();
    void editsMarkTheirFilesAndAnnounce();
    void shownGameFollowsItsGame();
    void loadTakesOnlyTheLoadedPlayersName();
    void defaultCategoryNamesFollowTheWord();
    void loadRenamesDefaultCategoryNames();
    void autosaveWaitsWhileBusy();
    void failedAutosaveKeepsTheEdits();
};

void PlayerSessionTest::editsMarkTheirFilesAndAnnounce_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("unsaved");
    QTest::addColumn<QByteArray>("signal"); // empty: none expected
    const int records = int(DataFile::Records);
    const int player = int(DataFile::Player);
    const int overview = int(DataFile::Overview);
    QTest::newRow("add game") << Edit([](PlayerSession &s, int) { s.addGame(2, "Go"); }) << records << QByteArray();
    QTest::newRow("rename game") << Edit([](PlayerSession &s, int g) { s.renameGame({1, g}, "Shogi"); }) << records
                                 << QByteArray();
    QTest::newRow("store records") << Edit([](PlayerSession &s, int g) {
        QList<StoredRecord> records{{"5", "40000", ""}};
        s.storeRecords({1, g}, records);
    }) << records << QByteArray();
    QTest::newRow("game comment") << Edit([](PlayerSession &s, int g) { s.setGameComment({1, g}, "club"); }) << records
                                  << QByteArray();
    QTest::newRow("game picture") << Edit([](PlayerSession &s, int g) { s.setGamePicture({1, g}, "424D00"); })
                                  << (records | player) << QByteArray();
    QTest::newRow("player picture") << Edit([](PlayerSession &s, int) { s.setPlayerPicture(Picture()); }) << player
                                    << QByteArray(SIGNAL(playerPictureChanged()));
    QTest::newRow("category") << Edit([](PlayerSession &s, int) { s.setCategory(2, "Cards", 255, 0, 0); }) << player
                              << QByteArray();
    QTest::newRow("default category names") << Edit([](PlayerSession &s, int) {
        s.renameDefaultCategories(DefaultCategoryNames("Kategorie"), {"Category", "Kategorie"});
    }) << player << QByteArray(SIGNAL(categoriesRenamed(QList<int>)));
    QTest::newRow("top list") << Edit([](PlayerSession &s, int) { s.setTopList({{"0001", {"Chess"}}}); }) << player
                              << QByteArray(SIGNAL(topListChanged()));
    QTest::newRow("rename player") << Edit([](PlayerSession &s, int) { s.renameCurrentPlayer("Anna"); }) << player
                                   << QByteArray(SIGNAL(playerNamesChanged()));
    QTest::newRow("overview") << Edit([](PlayerSession &s, int) { s.setOverview({{"0001", {"Chess"}}}); }) << overview
                              << QByteArray(SIGNAL(overviewChanged()));
    // Names read from the settings or another player's file change no file of this player.
    QTest::newRow("stored name") << Edit([](PlayerSession &s, int) { s.setPlayerName(3, "Cleo"); }) << 0
                                 << QByteArray(SIGNAL(playerNamesChanged()));
}

void PlayerSessionTest::editsMarkTheirFilesAndAnnounce()
{
    QFETCH(Edit, edit);
    QFETCH(int, unsaved);
    QFETCH(QByteArray, signal);
    Fixture f;
    QCOMPARE(f.session.data().unsaved, DataFiles());
    std::unique_ptr<QSignalSpy> spy;
    if (!signal.isEmpty())
        spy = std::make_unique<QSignalSpy>(&f.session, signal.constData());
    edit(f.session, f.chess);
    QCOMPARE(f.session.data().unsaved, DataFiles::fromInt(unsaved));
    if (spy)
        QCOMPARE(spy->count(), 1);
}

void PlayerSessionTest::shownGameFollowsItsGame()
{
    Fixture f;
    f.session.setShownGame(GameRef{1, f.chess});
    // Without a free slot the new game goes first: the shown game is still Chess.
    const int go = f.session.addGame(1, "Go");
    const std::optional<GameRef> shown = f.session.shownGame();
    QVERIFY(shown);
    QCOMPARE(f.session.data().dataView.game(1, shown->gameIndex).text, QString("Chess"));
    QCOMPARE(f.session.data().dataView.game(1, go).text, QString("Go"));

    f.session.deleteGame({1, go});
    QCOMPARE(f.session.shownGame(), shown);
    QCOMPARE(f.session.data().unsaved, DataFiles(DataFile::Records));

    // A game with a picture line frees it: the player file changes too.
    f.session.setGamePicture(*shown, "424D00");
    f.session.deleteGame(*shown);
    QVERIFY(!f.session.shownGame());
    QCOMPARE(f.session.data().unsaved, DataFile::Records | DataFile::Player);
    QCOMPARE(f.session.data().playerData, QList<QByteArray>{QByteArray()});
}

void PlayerSessionTest::loadTakesOnlyTheLoadedPlayersName()
{
    TempProgramDir dir;
    {
        StoredPlayers players;
        PlayerState anna;
        players.load(PlayerFiles(dir.dataDir()), 2, anna);
        anna.dataView.addGame(1, "Chess");
        players.names[1] = "Anna";
        players.save(PlayerFiles(dir.dataDir()), 2, anna, {});
    }
    PlayerSession session(dir.dataDir(), NoAutosave);
    session.setPlayerNames({"Al", "Bo", "Cy"});
    session.setShownGame(GameRef{1, 0});
    session.setCurrentCategory(4);
    QSignalSpy loaded(&session, &PlayerSession::playerLoaded);
    QSignalSpy names(&session, &PlayerSession::playerNamesChanged);

    QVERIFY(!session.load(2, DefaultCategoryNames()).any());
    QCOMPARE(session.playerNames().mid(0, 3), (QStringList{"Al", "Anna", "Cy"}));
    QCOMPARE(session.currentPlayer(), 2);
    QCOMPARE(session.currentCategory(), 1);
    QVERIFY(!session.shownGame());
    QCOMPARE(session.data().dataView.game(1, 0).text, QString("Chess"));
    QCOMPARE(loaded.count(), 1);
    QCOMPARE(loaded.takeFirst().at(0).toBool(), true);
    QCOMPARE(names.count(), 1);

    // A player without files keeps the name it has and starts with the default categories.
    QVERIFY(!session.load(3, DefaultCategoryNames()).any());
    QCOMPARE(session.playerName(3), QString("Cy"));
    QCOMPARE(session.category(5)->caption, QString("Category 5"));
    QCOMPARE(loaded.takeFirst().at(0).toBool(), false);
    QCOMPARE(names.count(), 1); // no name was read: the lists of names stay as they are
}

void PlayerSessionTest::defaultCategoryNamesFollowTheWord()
{
    Fixture f;
    f.session.setCategory(2, "Cards", 255, 0, 0);
    f.session.takeData(PlayerState(f.session.data()));
    QSignalSpy renamed(&f.session, &PlayerSession::categoriesRenamed);
    const QStringList words{"Category", "Kategorie"};

    f.session.renameDefaultCategories(DefaultCategoryNames("Kategorie"), words);
    QCOMPARE(renamed.count(), 1);
    QCOMPARE(renamed.takeFirst().at(0).value<QList<int>>(), (QList<int>{1, 3, 4, 5}));
    const QStringList expected{"Kategorie 1", "Cards", "Kategorie 3", "Kategorie 4", "Kategorie 5"};
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(f.session.category(k)->caption, expected[k - 1]);
    QCOMPARE(f.session.category(1)->subItems, DefaultCategoryRow(1, QString()).subItems); // colours stay

    // Names already in the word change nothing, and mark nothing unsaved.
    f.session.takeData(PlayerState(f.session.data()));
    f.session.renameDefaultCategories(DefaultCategoryNames("Kategorie"), words);
    QCOMPARE(renamed.count(), 0);
    QCOMPARE(f.session.data().unsaved, DataFiles());

    // A word no script gives is not a default name: the category keeps it.
    f.session.renameDefaultCategories(DefaultCategoryNames("Category"), {"Category"});
    QCOMPARE(renamed.count(), 0);
    QCOMPARE(f.session.category(1)->caption, QString("Kategorie 1"));

    // A player without games or files is renamed in memory only.
    PlayerSession fresh(f.dir.file("empty"), NoAutosave);
    fresh.load(1, DefaultCategoryNames());
    fresh.renameDefaultCategories(DefaultCategoryNames("Kategorie"), words);
    QCOMPARE(fresh.category(2)->caption, QString("Kategorie 2"));
    QCOMPARE(fresh.data().unsaved, DataFiles());
}

void PlayerSessionTest::loadRenamesDefaultCategoryNames()
{
    TempProgramDir dir;
    {
        StoredPlayers players;
        PlayerState state;
        players.load(PlayerFiles(dir.dataDir()), 4, state);
        state.dataView.addGame(1, "Chess");
        state.catListView[0].caption = "Kategorie 1";
        state.catListView[1].caption = "Board games";
        players.save(PlayerFiles(dir.dataDir()), 4, state, {});
    }
    PlayerSession session(dir.dataDir(), NoAutosave);
    QVERIFY(!session.load(4, DefaultCategoryNames(), {"Category", "Kategorie"}).any());
    QCOMPARE(session.category(1)->caption, QString("Category 1"));
    QCOMPARE(session.category(2)->caption, QString("Board games"));
    QCOMPARE(session.data().unsaved, DataFiles(DataFile::Player)); // written at the next save
    session.save();
    PlayerState stored;
    StoredPlayers players;
    players.load(PlayerFiles(dir.dataDir()), 4, stored);
    QCOMPARE(StoredPlayers::captions(stored)[0], QString("Category 1"));
    QCOMPARE(StoredPlayers::captions(stored)[1], QString("Board games"));

    // Loaded without the words, the names stay as stored.
    QVERIFY(!session.load(4, DefaultCategoryNames("Kategorie")).any());
    QCOMPARE(session.category(1)->caption, QString("Category 1"));
    QCOMPARE(session.data().unsaved, DataFiles());
}

void PlayerSessionTest::autosaveWaitsWhileBusy()
{
    Fixture f(1);
    const QString records = f.session.files().recordsPath(1);
    {
        const PlayerSession::Busy busy(f.session);
        f.session.addGame(1, "Go");
        QTest::qWait(50);
        QVERIFY(!QFileInfo::exists(records));
        QVERIFY(f.session.data().unsaved);
    }
    QTRY_VERIFY(QFileInfo::exists(records));
    QCOMPARE(f.session.data().unsaved, DataFiles());
}

void PlayerSessionTest::failedAutosaveKeepsTheEdits()
{
    TempProgramDir dir;
    // The data folder is a file: nothing can be written into it.
    dir.write("Blocked", "not a folder");
    PlayerSession session(dir.file("Blocked"), NoAutosave);
    session.load(1, DefaultCategoryNames());
    QSignalSpy failed(&session, &PlayerSession::autosaveFailed);
    session.addGame(1, "Chess");
    session.saveUnsaved();
    QCOMPARE(failed.count(), 1);
    QVERIFY(failed.first().at(0).toString().startsWith("Cannot create file"));
    QCOMPARE(session.data().unsaved, DataFiles(DataFile::Records));
    QCOMPARE(session.data().dataView.game(1, 0).text, QString("Chess"));
}

QTEST_GUILESS_MAIN(PlayerSessionTest)
#include "test_player_session.moc"
