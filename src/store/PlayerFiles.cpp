#include "store/PlayerFiles.h"

#include "store/AppError.h"
#include "store/AtomicFileGroup.h"
#include "store/CommaText.h"
#include "store/LineText.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <future>
#include <optional>

QString PlayerFiles::recordsPath(int player) const { return m_dataDir + QStringLiteral("/Records%1.dat").arg(player); }
QString PlayerFiles::playerPath(int player) const { return m_dataDir + QStringLiteral("/PlyData%1.dat").arg(player); }
QString PlayerFiles::overviewPath() const { return m_dataDir + QStringLiteral("/Overview.dat"); }

LoadedPlayer PlayerFiles::LoadPlayerData(int player, const std::array<QString, 5> &defaultCategoryNames) const
{
    LoadedPlayer loaded;
    PlayerState &state = loaded.state;
    state.dataView.fresh();
    if (!QFileInfo::exists(recordsPath(player))) {
        for (int n = 1; n <= DataTree::CategoryCount; ++n)
            state.catListView.append(DefaultCategoryRow(n, defaultCategoryNames[size_t(n - 1)]));
        return loaded;
    }

    loaded.hadRecordsFile = true;
    PlayerRead read = readPlayer(player, defaultCategoryNames);
    state.dataView = std::move(read.tree);
    state.playerData = std::move(read.pictureStore);
    state.catListView = std::move(read.categories);
    state.topView = std::move(read.topList);
    state.playerPic = std::move(read.playerPicture);
    loaded.name = std::move(read.name);
    if (read.damage.any())
        state.filesDamaged = !keepDamagedCopies(player, read.damage.keptAs);
    loaded.damage = std::move(read.damage);
    return loaded;
}

PlayerRead PlayerFiles::readPlayer(int player, const std::array<QString, 5> &defaultCategoryNames) const
{
    PlayerRead read;
    auto readRecords = [&] {
        try {
            ReadRecordsBytes(TextFile::readBytes(recordsPath(player)), read);
        } catch (const AppError &error) {
            read.damage.fileErrors.append(error.message());
            read.tree.fresh();
        }
    };
    const QString path = playerPath(player);
    auto readPlayerLines = [path] { return PlayerFileLines(TextFile::readBytes(path)); };

    // A large player file (mostly picture text) is read and split on a second thread while this
    // one builds the tree. Small files are not worth a thread.
    constexpr qint64 ParallelReadBytes = 4 << 20;
    std::optional<QList<QByteArray>> lines;
    QString playerError;
    try {
        if (QFileInfo(path).size() >= ParallelReadBytes) {
            auto playerLines = std::async(std::launch::async, readPlayerLines);
            readRecords();
            lines = playerLines.get();
        } else {
            readRecords();
            lines = readPlayerLines();
        }
    } catch (const AppError &error) {
        playerError = error.message();
    }
    if (lines)
        ReadPlayerLines(std::move(*lines), defaultCategoryNames, read);
    else
        ReadWithoutPlayerFile(playerError, defaultCategoryNames, read);
    return read;
}

namespace {

// "<file>.damaged-<stamp>", numbered when that name is taken.
QString damagedName(const QString &path, const QString &stamp)
{
    QString name = path + QStringLiteral(".damaged-") + stamp;
    for (int i = 2; QFileInfo::exists(name); ++i)
        name = path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(i);
    return name;
}

} // namespace

bool PlayerFiles::keepDamagedCopies(int player, QStringList &keptAs) const
{
    bool allKept = true;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString &path : {recordsPath(player), playerPath(player)}) {
        if (!QFileInfo::exists(path))
            continue;
        try {
            const QByteArray bytes = TextFile::readBytes(path);
            // A copy of the same bytes kept at an earlier start is not made again.
            const QFileInfo file(path);
            QString kept;
            const QFileInfoList earlier = QDir(file.absolutePath())
                                              .entryInfoList({file.fileName() + QStringLiteral(".damaged-*")}, QDir::Files);
            for (const QFileInfo &copy : earlier) {
                if (copy.size() == bytes.size() && TextFile::readBytes(copy.filePath()) == bytes) {
                    kept = copy.filePath();
                    break;
                }
            }
            if (kept.isEmpty()) {
                kept = damagedName(path, stamp);
                TextFile::writeAtomically(kept, bytes);
            }
            keptAs.append(kept);
        } catch (const AppError &) {
            allKept = false;
        }
    }
    return allKept;
}

namespace {

// The player file's last four lines: category list, top list, player picture, name.
std::array<QByteArray, 4> playerFileTail(const PlayerState &state, const QString &name)
{
    // Every text line is one line, whatever the texts in it hold.
    return {LineText::withoutBreaks(ListToCommaText(state.catListView)).toUtf8(),
            LineText::withoutBreaks(ListToCommaText(state.topView)).toUtf8(), PictureToText(state.playerPic),
            LineText::oneLine(name).toUtf8()};
}

} // namespace

QByteArray PlayerFiles::playerFileBytes(const PlayerState &state, const QString &name)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    writePlayerFile(buffer, state, name);
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
        bytes += LineText::withoutBreaks(row.caption).toUtf8();
        bytes += "\r\n";
        bytes += LineText::withoutBreaks(CommaText::fromList(row.subItems)).toUtf8();
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
        const QString target = damagedName(path, stamp);
        if (!QFile::rename(path, target))
            throw AppError::cannotCreate(target);
        setAside.append(target);
    }
    return setAside;
}

void PlayerFiles::SavePlayerData(int player, PlayerState &state, const QString &name, const RowList &overView,
                                 DataFiles files, const SetAsideNotice &setAsideNotice) const
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
        if (!setAside.isEmpty() && setAsideNotice)
            setAsideNotice(setAside);
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
