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

#include <array>
#include <functional>
#include <optional>

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

// A player as loading found it: the data, the name stored in its player file, and what was damaged.
struct LoadedPlayer
{
    PlayerState state;
    std::optional<QString> name;
    // False when the player has no records file yet: a new player with the default categories.
    bool hadRecordsFile = false;
    PlayerDamage damage;
};

// Data/Records<n>.dat, Data/PlyData<n>.dat and Data/Overview.dat under one data folder.
class PlayerFiles
{
public:
    explicit PlayerFiles(QString dataDir) : m_dataDir(std::move(dataDir)) {}

    const QString &dataDir() const { return m_dataDir; }

    QString recordsPath(int player) const;
    QString playerPath(int player) const;
    QString overviewPath() const;

    // Reads player `player`. Whatever cannot be read takes its default (the categories their
    // default names) and everything that can be read is kept, so the state is always whole. When
    // something was damaged, copies of the files as they are on disk are kept beside them first
    // (files that cannot be copied are set aside before the next save instead).
    LoadedPlayer LoadPlayerData(int player, const std::array<QString, 5> &defaultCategoryNames) const;


    // Writes the given files of the player as one group: after a failure or a crash the folder
    // holds either all the old files or all the new ones. The records file and the player file go
    // together while either is missing or damaged. The written files are no longer unsaved.
    // A player with nothing (no game, no files, no unsaved edit) writes nothing.
    // `name` is the player's name. Damaged files are renamed aside first; setAside is told their
    // new paths before the new files are written.
    using SetAsideNotice = std::function<void(const QStringList &paths)>;
    void SavePlayerData(int player, PlayerState &state, const QString &name, const RowList &overView,
                        DataFiles files = AllDataFiles, const SetAsideNotice &setAside = {}) const;

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
