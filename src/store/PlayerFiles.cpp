#include "store/PlayerFiles.h"

#include "store/AppError.h"
#include "store/AtomicFileGroup.h"
#include "store/CommaText.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <future>

qint32 DefaultCategoryColor(int category)
{
    static const qint32 colors[] = {10092543, 10079487, 10066431, 16751001, 16763955};
    return colors[qBound(1, category, 5) - 1];
}

QString PlayerFiles::recordsPath(int player) const { return m_dataDir + QStringLiteral("/Records%1.dat").arg(player); }
QString PlayerFiles::playerPath(int player) const { return m_dataDir + QStringLiteral("/PlyData%1.dat").arg(player); }
QString PlayerFiles::overviewPath() const { return m_dataDir + QStringLiteral("/Overview.dat"); }

void PlayerFiles::LoadPlayerData(int player, PlayerState &state, PlayerWindow &window) const
{
    state.filesDamaged = false;
    try {
        loadSteps(player, state, window);
    } catch (const AppError &) {
        state.filesDamaged = QFileInfo::exists(recordsPath(player)) || QFileInfo::exists(playerPath(player));
        throw;
    }
}

void PlayerFiles::loadSteps(int player, PlayerState &state, PlayerWindow &window) const
{
    state.playerPic.clear();
    window.playerPictureChanged();
    state.playerData.clear();
    state.catListView.clear();
    state.dataView.fresh();
    state.topView.clear();
    window.topListChanged();

    for (int n = 1; n <= DataTree::CategoryCount; ++n)
        window.setCategoryPanel(n, window.defaultCategoryName(n), DefaultCategoryColor(n));

    if (!QFileInfo::exists(recordsPath(player))) {
        for (int n = 1; n <= DataTree::CategoryCount; ++n)
            state.catListView.append({window.categoryPanelCaption(n),
                                      {QString::number(window.categoryPanelColor(n)),
                                       QString::number(DefaultTitleFieldColor),
                                       QString::number(DefaultGamesListColor)}});
        window.selectFirstCategory();
        window.updateButtons();
        return;
    }

    // A large player file (mostly picture text) is read and split on a second thread while this
    // one builds the tree; the outcome, errors and their order included, is that of reading one
    // after the other. Small files are not worth a thread.
    const QString path = playerPath(player);
    auto readPlayerLines = [path] {
        QList<QByteArray> lines;
        const QByteArray bytes = TextFile::readBytes(path);
        TextFile::forEachLine(bytes, [&](QByteArrayView line) { lines.append(line.toByteArray()); });
        return lines;
    };
    constexpr qint64 ParallelReadBytes = 4 << 20;
    if (QFileInfo(path).size() >= ParallelReadBytes) {
        auto playerLines = std::async(std::launch::async, readPlayerLines);
        try {
            state.dataView.load(recordsPath(player));
        } catch (...) {
            playerLines.wait();
            throw;
        }
        state.playerData = playerLines.get();
    } else {
        state.dataView.load(recordsPath(player));
        state.playerData = readPlayerLines();
    }

    // The four fixed lines count from the end; they are text, the rest is picture text.
    const qsizetype count = state.playerData.size();
    QByteArray textBytes;
    for (qsizetype i = qMax<qsizetype>(0, count - 4); i < count; ++i)
        textBytes += state.playerData[i];
    const bool utf8 = TextCodec::isValidUtf8(textBytes);
    auto line = [&](qsizetype fromEnd) -> const QByteArray & {
        const qsizetype index = count - fromEnd;
        if (index < 0 || index >= count)
            throw AppError::indexOutOfBounds(index);
        return state.playerData[index];
    };
    auto textLine = [&](qsizetype fromEnd) { return TextCodec::decode(line(fromEnd), utf8); };

    window.refreshPlayerNames();
    window.setPlayerName(player, textLine(1));
    // The lists that show the names follow the name just read, not the one it replaced.
    window.refreshPlayerNames();
    TextToPicture(line(2), state.playerPic);
    window.playerPictureChanged();
    const QString topList = textLine(3);
    if (!topList.isEmpty()) {
        CommaTextToList(topList, state.topView);
        window.topListChanged();
    }
    CommaTextToList(textLine(4), state.catListView);
    for (int n = 2; n <= DataTree::CategoryCount; ++n) {
        if (n - 1 >= state.catListView.size())
            throw AppError::indexOutOfBounds(n - 1);
        const ListRow &row = state.catListView[n - 1];
        // The caption is taken even when the colour that follows is not a number.
        window.setCategoryPanel(n, row.caption, window.categoryPanelColor(n));
        window.setCategoryPanel(n, row.caption, parseStoredInteger(row.subItem(0)));
    }
    window.showCategoryProperties(1);
    state.playerData.resize(count - 4);
}

namespace {

// The player file's last four lines: category list, top list, player picture, name.
std::array<QByteArray, 4> playerFileTail(const PlayerState &state, const QString &name)
{
    return {ListToCommaText(state.catListView).toUtf8(), ListToCommaText(state.topView).toUtf8(),
            PictureToText(state.playerPic), name.toUtf8()};
}

} // namespace

QByteArray PlayerFiles::playerFileBytes(const PlayerState &state, const QString &name)
{
    const std::array<QByteArray, 4> tail = playerFileTail(state, name);
    qsizetype size = 0;
    for (const QByteArray &line : state.playerData)
        size += line.size() + 2;
    for (const QByteArray &line : tail)
        size += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(size);
    for (const QByteArray &line : state.playerData) {
        bytes += line;
        bytes += "\r\n";
    }
    for (const QByteArray &line : tail) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

bool PlayerFiles::writePlayerFile(QIODevice &file, const PlayerState &state, const QString &name)
{
    // Short lines are gathered into one write; a picture line goes to the file as it is.
    constexpr qsizetype ChunkBytes = 1 << 20;
    QByteArray chunk;
    chunk.reserve(ChunkBytes + 2);
    auto flush = [&] {
        const bool written = file.write(chunk) == chunk.size();
        chunk.clear();
        return written;
    };
    auto line = [&](const QByteArray &text) {
        if (text.size() >= ChunkBytes) {
            if (!flush() || file.write(text) != text.size())
                return false;
        } else {
            chunk += text;
        }
        chunk += "\r\n";
        return chunk.size() < ChunkBytes || flush();
    };
    for (const QByteArray &text : state.playerData)
        if (!line(text))
            return false;
    for (const QByteArray &text : playerFileTail(state, name))
        if (!line(text))
            return false;
    return flush();
}

QByteArray PlayerFiles::overviewFileBytes(const RowList &overView)
{
    QByteArray bytes;
    for (const ListRow &row : overView) {
        bytes += row.caption.toUtf8();
        bytes += "\r\n";
        bytes += CommaText::fromList(row.subItems).toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList PlayerFiles::setDamagedFilesAside(int player) const
{
    QStringList setAside;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString &path : {recordsPath(player), playerPath(player)}) {
        if (!QFileInfo::exists(path))
            continue;
        QString target = path + QStringLiteral(".damaged-") + stamp;
        for (int i = 2; QFileInfo::exists(target); ++i)
            target = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(i);
        if (!QFile::rename(path, target))
            throw AppError::cannotCreate(target);
        setAside.append(target);
    }
    return setAside;
}

void PlayerFiles::SavePlayerData(int player, PlayerState &state, PlayerWindow &window, const RowList &overView,
                                 DataFiles files) const
{
    const bool recordsOnDisk = QFileInfo::exists(recordsPath(player));
    const bool playerOnDisk = QFileInfo::exists(playerPath(player));
    // A player never touched since it was loaded without files keeps having none; one with only
    // a name or a picture is saved like any other.
    if (!state.dataView.hasGames() && !recordsOnDisk && !playerOnDisk && !state.unsaved)
        return;
    // The records file is not read without the player file; damaged ones are both set aside.
    if (files.testAnyFlags(DataFile::Records | DataFile::Player) && (!recordsOnDisk || !playerOnDisk || state.filesDamaged))
        files |= DataFile::Records | DataFile::Player;
    if (!files)
        return;

    AtomicFileGroup group;
    group.setStepHook(m_saveStepHook);
    if (files.testFlag(DataFile::Player)) {
        // With many picture bytes to write, the records file is formed on a second thread meanwhile.
        qsizetype pictureBytes = 0;
        for (const QByteArray &line : state.playerData)
            pictureBytes += line.size();
        constexpr qsizetype ParallelBytes = 4 << 20;
        const DataTree &tree = state.dataView;
        const bool withRecords = files.testFlag(DataFile::Records);
        std::future<QByteArray> recordsBytes
            = std::async(withRecords && pictureBytes >= ParallelBytes ? std::launch::async : std::launch::deferred,
                         [&tree, withRecords] { return withRecords ? tree.toFileBytes() : QByteArray(); });
        const QString name = window.playerName(player);
        try {
            group.add(playerPath(player), [&](QIODevice &file) { return writePlayerFile(file, state, name); });
        } catch (...) {
            recordsBytes.wait();
            throw;
        }
        if (withRecords)
            group.add(recordsPath(player), recordsBytes.get());
    } else if (files.testFlag(DataFile::Records)) {
        group.add(recordsPath(player), state.dataView.toFileBytes());
    }
    if (files.testFlag(DataFile::Overview))
        group.add(overviewPath(), overviewFileBytes(overView));

    if (state.filesDamaged) {
        const QStringList setAside = setDamagedFilesAside(player);
        state.filesDamaged = false;
        if (!setAside.isEmpty())
            window.damagedFilesSetAside(setAside);
    }

    group.commit();
    state.unsaved &= ~files;
}

void PlayerFiles::recoverInterruptedSave() const
{
    AtomicFileGroup::recover(m_dataDir, m_saveStepHook);
}

RowList PlayerFiles::readOverview() const
{
    RowList rows;
    if (!QFileInfo::exists(overviewPath()))
        return rows;
    const QStringList lines = TextFile::readLines(overviewPath());
    if (lines.isEmpty())
        return rows;
    CommaTextToList(CommaText::fromList(lines), rows);
    return rows;
}
