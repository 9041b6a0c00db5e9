#pragma once

#include "store/AtomicFileGroup.h"
#include "store/DataTree.h"
#include "store/ListRows.h"
#include "store/Picture.h"
#include "store/PlayerRead.h"

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

// The files that saving a player writes.
enum class DataFile {
    Records = 0x1,  // Records<n>.dat: the data tree
    Player = 0x2,   // PlyData<n>.dat: pictures, categories, top list, player picture, name
    Overview = 0x4, // Overview.dat
};
Q_DECLARE_FLAGS(DataFiles, DataFile)
Q_DECLARE_OPERATORS_FOR_FLAGS(DataFiles)
inline constexpr DataFiles AllDataFiles = DataFile::Records | DataFile::Player | DataFile::Overview;

// The current player's data as the main window holds it.
struct PlayerState
{
    DataTree dataView;
    QList<QByteArray> playerData; // the picture store: one picture text per line
    RowList catListView;          // per category: name; colour, title field colour, games list colour
    RowList topView;
    Picture playerPic;
    // Files of the loaded player could not be read, nor copied aside: they are set aside
    // before the next save so that nothing of them is lost.
    bool filesDamaged = false;
    // The files whose data was edited since the player was loaded or last saved.
    DataFiles unsaved;
};

// What loading and saving a player needs of the main window.
class PlayerWindow
{
public:
    virtual ~PlayerWindow() = default;
    virtual QString defaultCategoryName(int category) = 0;
    virtual void setCategoryPanel(int category, const QString &caption, qint32 color) = 0;
    virtual QString categoryPanelCaption(int category) const = 0;
    virtual qint32 categoryPanelColor(int category) const = 0;
    virtual void selectFirstCategory() = 0;
    virtual void updateButtons() = 0;
    virtual void refreshPlayerNames() = 0;
    virtual QString playerName(int player) const = 0;
    virtual void setPlayerName(int player, const QString &name) = 0;
    virtual void showCategoryProperties(int category) = 0;
    virtual void playerPictureChanged() = 0;
    virtual void topListChanged() = 0;
    // Damaged files were renamed to these paths before the player was saved.
    virtual void damagedFilesSetAside(const QStringList &paths) = 0;
};

// Data/Records<n>.dat, Data/PlyData<n>.dat and Data/Overview.dat under one data folder.
class PlayerFiles
{
public:
    explicit PlayerFiles(QString dataDir) : m_dataDir(std::move(dataDir)) {}

    QString recordsPath(int player) const;
    QString playerPath(int player) const;
    QString overviewPath() const;

    // Loads player `player` into the state and shows it through the window. Whatever cannot be
    // read takes its default and everything that can be read is kept, so the state is always
    // whole. When something was damaged, copies of the files as they are on disk are kept beside
    // them first (files that cannot be copied are set aside before the next save instead);
    // the damage is returned.
    PlayerDamage LoadPlayerData(int player, PlayerState &state, PlayerWindow &window) const;


    // Writes the given files of the player as one group: after a failure or a crash the folder
    // holds either all the old files or all the new ones. The records file and the player file go
    // together while either is missing or damaged. The written files are no longer unsaved.
    // A player with nothing (no game, no files, no unsaved edit) writes nothing.
    void SavePlayerData(int player, PlayerState &state, PlayerWindow &window, const RowList &overView,
                        DataFiles files = AllDataFiles) const;

    // Finishes a save that was interrupted: the folder then holds one whole set of files.
    // Runs before anything of a player is read.
    void recoverInterruptedSave() const;

    // Sees each step of every save; tests make steps fail or stop there.
    void setSaveStepHook(AtomicFileGroup::StepHook hook) { m_saveStepHook = std::move(hook); }

    // The last overview, or no rows when the file is missing or empty.
    RowList readOverview() const;

    // The player file's bytes: picture store, category list, top list, player picture, name.
    static QByteArray playerFileBytes(const PlayerState &state, const QString &name);
    // The same bytes written to the device as they are formed, without a copy of the pictures;
    // false when a write fails.
    static bool writePlayerFile(QIODevice &file, const PlayerState &state, const QString &name);
    static QByteArray overviewFileBytes(const RowList &overView);

private:
    // Reads player `player`'s two files without showing them; the records file must exist.
    PlayerRead readPlayer(int player, const std::array<QString, 5> &defaultCategoryNames) const;
    // Copies of the player's files under a ".damaged-" name; true when every file that exists was kept.
    bool keepDamagedCopies(int player, QStringList &keptAs) const;
    QStringList setDamagedFilesAside(int player) const;

    QString m_dataDir;
    AtomicFileGroup::StepHook m_saveStepHook;
};
