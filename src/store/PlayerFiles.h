#pragma once

#include "store/DataTree.h"
#include "store/ListRows.h"
#include "store/Picture.h"
#include "store/PlayerRead.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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

    // Reads player `player`'s two files without showing them; the records file must exist.
    PlayerRead readPlayer(int player, const std::array<QString, 5> &defaultCategoryNames) const;

    // Writes the player's files and the overview file, all or nothing where the disk allows.
    // Does nothing while the player has no game.
    void SavePlayerData(int player, PlayerState &state, PlayerWindow &window, const RowList &overView) const;

    // The last overview, or no rows when the file is missing or empty.
    RowList readOverview() const;

    // The player file's bytes: picture store, category list, top list, player picture, name.
    static QByteArray playerFileBytes(const PlayerState &state, const QString &name);
    static QByteArray overviewFileBytes(const RowList &overView);

private:
    // Copies of the player's files under a ".damaged-" name; true when every file that exists was kept.
    bool keepDamagedCopies(int player, QStringList &keptAs) const;
    QStringList setDamagedFilesAside(int player) const;

    QString m_dataDir;
};
