#include "session/PlayerSession.h"

#include "store/AppError.h"
#include "store/DataTree.h"
#include "store/PictureStore.h"

#include <QFileInfo>
#include <QTimer>

PlayerSession::PlayerSession(QString dataDir, int autosaveDelayMs, QObject *parent)
    : QObject(parent), m_files(std::move(dataDir))
{
    m_autosaveTimer = new QTimer(this);
    m_autosaveTimer->setSingleShot(true);
    m_autosaveTimer->setInterval(autosaveDelayMs);
    connect(m_autosaveTimer, &QTimer::timeout, this, &PlayerSession::saveUnsaved);
}

PlayerSession::~PlayerSession() = default;

QString PlayerSession::playerName(int player) const
{
    return player >= 1 && player <= PlayerCount ? m_names[size_t(player - 1)] : QString();
}

QStringList PlayerSession::playerNames() const
{
    return QStringList(m_names.begin(), m_names.end());
}

const ListRow *PlayerSession::category(int k) const
{
    return k >= 1 && k <= m_state.catListView.size() ? &m_state.catListView[k - 1] : nullptr;
}

PlayerDamage PlayerSession::load(int player, const std::array<QString, 5> &defaultCategoryNames,
                                 const QStringList &defaultWords)
{
    const Busy busy(*this);
    m_autosaveTimer->stop();
    m_shownGame.reset();
    LoadedPlayer loaded = m_files.LoadPlayerData(player, defaultCategoryNames);
    m_state = std::move(loaded.state);
    m_currentPlayer = player;
    m_currentCategory = 1;
    // Default names stored under another language are written anew at the next save.
    if (!RenameDefaultCategories(m_state.catListView, defaultCategoryNames, defaultWords).isEmpty()
        && loaded.hadRecordsFile)
        markUnsaved(DataFile::Player);
    // A player with files shows the name they hold; the lists of names are filled anew.
    if (loaded.hadRecordsFile) {
        if (loaded.name && player >= 1 && player <= PlayerCount)
            m_names[size_t(player - 1)] = *loaded.name;
        emit playerNamesChanged();
    }
    emit playerPictureChanged();
    emit topListChanged();
    emit playerLoaded(loaded.hadRecordsFile);
    return loaded.damage;
}

void PlayerSession::takeData(PlayerState data)
{
    m_state = std::move(data);
    m_state.unsaved = {};
    m_shownGame.reset();
}

void PlayerSession::save()
{
    const Busy busy(*this);
    emit aboutToSave();
    save(AllDataFiles);
    m_autosaveTimer->stop();
}

void PlayerSession::save(DataFiles files)
{
    m_files.SavePlayerData(m_currentPlayer, m_state, playerName(m_currentPlayer), m_overview, files,
                           [this](const QStringList &paths) { emit damagedFilesSetAside(paths); });
}

void PlayerSession::saveUnsaved()
{
    if (!m_state.unsaved)
        return;
    // The timer may fire inside a dialog's event loop. A player half loaded or half saved, or
    // players' files in use, wait for the next round; any other moment holds a whole player.
    if (m_busy > 0) {
        m_autosaveTimer->start();
        return;
    }
    const Busy busy(*this);
    try {
        save(m_state.unsaved);
    } catch (const AppError &error) {
        emit autosaveFailed(error.message());
    }
}

void PlayerSession::readOverview()
{
    m_overview = m_files.readOverview();
    emit overviewChanged();
}

void PlayerSession::markUnsaved(DataFiles files)
{
    m_state.unsaved |= files;
    m_autosaveTimer->start();
}

void PlayerSession::setPlayerName(int player, const QString &name)
{
    if (player < 1 || player > PlayerCount)
        return;
    m_names[size_t(player - 1)] = name;
    emit playerNamesChanged();
}

void PlayerSession::setPlayerNames(const QStringList &names)
{
    for (int n = 1; n <= PlayerCount && n <= names.size(); ++n)
        m_names[size_t(n - 1)] = names[n - 1];
    emit playerNamesChanged();
}

void PlayerSession::renameCurrentPlayer(const QString &name)
{
    m_names[size_t(m_currentPlayer - 1)] = name;
    markUnsaved(DataFile::Player);
    emit playerNamesChanged();
}

int PlayerSession::addGame(int category, const QString &name)
{
    DataTree &tree = m_state.dataView;
    auto gameSlots = [&] {
        return tree.hasGames() && category >= 1 && category <= DataTree::CategoryCount
                   ? tree.category(category).children.size()
                   : size_t(0);
    };
    const size_t before = gameSlots();
    const int game = tree.addGame(category, name);
    // Without a free slot the new game goes before the others, which move one place on: the
    // shown game is the same game at its new place.
    if (m_shownGame && m_shownGame->category == category && gameSlots() > before)
        ++m_shownGame->gameIndex;
    markUnsaved(DataFile::Records);
    return game;
}

void PlayerSession::renameGame(const GameRef &game, const QString &name)
{
    m_state.dataView.renameGame(game.category, game.gameIndex, name);
    markUnsaved(DataFile::Records);
}

void PlayerSession::deleteGame(const GameRef &game)
{
    const bool freedPicture = m_state.dataView.deleteGame(game.category, game.gameIndex, m_state.playerData);
    markUnsaved(freedPicture ? DataFile::Records | DataFile::Player : DataFiles(DataFile::Records));
    if (m_shownGame == game)
        m_shownGame.reset();
}

void PlayerSession::storeRecords(const GameRef &game, QList<StoredRecord> &records)
{
    m_state.dataView.StoreRecords(game.category, game.gameIndex, records);
    markUnsaved(DataFile::Records);
}

void PlayerSession::setGameComment(const GameRef &game, const QString &commaText)
{
    m_state.dataView.setGameComment(game.category, game.gameIndex, commaText);
    markUnsaved(DataFile::Records);
}

int PlayerSession::setGamePicture(const GameRef &game, const QByteArray &pictureText)
{
    DataTree &tree = m_state.dataView;
    // Read before anything changes: a game node without its picture index stops here.
    const QString index = tree.pictureIndex(game.category, game.gameIndex);
    // A game with a picture keeps its line; an index that names no line of the store (a
    // damaged file) is treated as none, so the game gets a line of its own.
    int line = PictureStoreLine(index, m_state.playerData);
    if (line >= 0) {
        m_state.playerData[line] = pictureText;
    } else {
        line = FreePictureSlot(m_state.playerData);
        m_state.playerData[line] = pictureText;
        tree.setPictureIndex(game.category, game.gameIndex, QString::number(line));
    }
    markUnsaved(DataFile::Records | DataFile::Player);
    return line;
}

void PlayerSession::setPlayerPicture(Picture picture)
{
    m_state.playerPic = std::move(picture);
    markUnsaved(DataFile::Player);
    emit playerPictureChanged();
}

void PlayerSession::setCategory(int k, const QString &name, qint32 color, qint32 titleColor, qint32 listColor)
{
    if (k < 1 || k > m_state.catListView.size())
        throw AppError::indexOutOfBounds(k - 1);
    ListRow &row = m_state.catListView[k - 1];
    if (!name.isEmpty())
        row.caption = name;
    row.subItems = {QString::number(color), QString::number(titleColor), QString::number(listColor)};
    markUnsaved(DataFile::Player);
}

void PlayerSession::renameDefaultCategories(const std::array<QString, 5> &names, const QStringList &words)
{
    const QList<int> renamed = RenameDefaultCategories(m_state.catListView, names, words);
    if (renamed.isEmpty())
        return;
    // A player without games or files keeps having none: the next load names it anew anyway.
    if (m_state.dataView.hasGames() || QFileInfo::exists(m_files.recordsPath(m_currentPlayer)))
        markUnsaved(DataFile::Player);
    emit categoriesRenamed(renamed);
}

void PlayerSession::setTopList(RowList rows)
{
    m_state.topView = std::move(rows);
    markUnsaved(DataFile::Player);
    emit topListChanged();
}

void PlayerSession::setOverview(RowList rows)
{
    m_overview = std::move(rows);
    markUnsaved(DataFile::Overview);
    emit overviewChanged();
}
