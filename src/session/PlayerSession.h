#pragma once

#include "store/ListRows.h"
#include "store/Picture.h"
#include "store/PlayerFiles.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>

class QTimer;

// A game of the current player: its category (1..5) and its place among the category's games.
struct GameRef
{
    int category = 0;
    int gameIndex = -1;

    bool operator==(const GameRef &) const = default;
};

// The current player's data and everything shown of it: the data tree, the picture store, the
// categories with their names and colours, the top list, the player picture, the ten player
// names, the overview, the current category and the game shown. It changes only through its
// operations; each says by a signal what changed. Edits are saved soon after the last one.
class PlayerSession : public QObject
{
    Q_OBJECT

public:
    static constexpr int PlayerCount = 10;

    PlayerSession(QString dataDir, int autosaveDelayMs, QObject *parent = nullptr);
    ~PlayerSession() override;

    const PlayerFiles &files() const { return m_files; }

    // What it holds.
    int currentPlayer() const { return m_currentPlayer; }
    int currentCategory() const { return m_currentCategory; }
    const PlayerState &data() const { return m_state; }
    const RowList &overview() const { return m_overview; }
    QString playerName(int player) const;
    QStringList playerNames() const;
    // The name, caption colour, title colour and list colour of category k (1..5).
    const ListRow *category(int k) const;
    std::optional<GameRef> shownGame() const { return m_shownGame; }

    // Loading and saving.
    // Loads player `player` as the current player; the categories that it has none for get
    // the default names. Edits not saved by now belong to the data the load replaces. A category
    // whose stored name is a default name in one of defaultWords takes its new default name.
    PlayerDamage load(int player, const std::array<QString, 5> &defaultCategoryNames,
                      const QStringList &defaultWords = {});
    // Saves every file of the current player now; first the pages keep what they hold edited.
    void save();
    // The autosave: saves the files with unsaved edits, unless the player's data is in use.
    void saveUnsaved();
    // Data read by other means becomes the current player's, as if loaded: nothing is unsaved.
    void takeData(PlayerState data);
    // The overview file read again; no rows when it is missing or empty.
    void readOverview();

    // While a Busy lives the player's data is in use (loaded, saved, or players' files read
    // or written): the autosave waits.
    class Busy
    {
    public:
        explicit Busy(PlayerSession &session) : m_session(session) { ++m_session.m_busy; }
        ~Busy() { --m_session.m_busy; }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        PlayerSession &m_session;
    };

    // Edits. Each marks the files it changes as unsaved.
    void setCurrentCategory(int category) { m_currentCategory = category; }
    void setShownGame(std::optional<GameRef> game) { m_shownGame = game; }
    // Names as they are stored (in the settings or a player file): no file changes.
    void setPlayerName(int player, const QString &name);
    void setPlayerNames(const QStringList &names);
    void renameCurrentPlayer(const QString &name);
    int addGame(int category, const QString &name);
    void renameGame(const GameRef &game, const QString &name);
    void deleteGame(const GameRef &game);
    // The records of the game, sorted by points, as the tree keeps them.
    void storeRecords(const GameRef &game, QList<StoredRecord> &records);
    void setGameComment(const GameRef &game, const QString &commaText);
    // The picture text into the game's picture line (a new line for a game without one); the line.
    int setGamePicture(const GameRef &game, const QByteArray &pictureText);
    void setPlayerPicture(Picture picture);
    // Category k's name (kept when empty) and colours: caption, title, list.
    void setCategory(int k, const QString &name, qint32 color, qint32 titleColor, qint32 listColor);
    // Every category whose name is a default name in one of the words takes the new default
    // name of its number; a name the user gave stays.
    void renameDefaultCategories(const std::array<QString, 5> &names, const QStringList &words);
    void setTopList(RowList rows);
    void setOverview(RowList rows);
    // The files edited: saved once no edit has followed for a moment.
    void markUnsaved(DataFiles files);

signals:
    // Another player's data was loaded (or the same player's again).
    void playerLoaded(bool hadRecordsFile);
    void playerNamesChanged();
    void playerPictureChanged();
    void topListChanged();
    void overviewChanged();
    // These categories (1..5) of the current player took new default names.
    void categoriesRenamed(const QList<int> &categories);
    // Before a save: a page that holds an edit not yet stored stores it now.
    void aboutToSave();
    // Damaged files of the player were renamed to these paths before it was saved.
    void damagedFilesSetAside(const QStringList &paths);
    // The autosave failed with this message; nothing of the data in memory was lost.
    void autosaveFailed(const QString &message);

private:
    void save(DataFiles files);

    PlayerFiles m_files;
    PlayerState m_state;
    RowList m_overview;
    std::array<QString, PlayerCount> m_names;
    int m_currentPlayer = 1;
    int m_currentCategory = 1;
    std::optional<GameRef> m_shownGame;
    QTimer *m_autosaveTimer = nullptr;
    int m_busy = 0;
};
