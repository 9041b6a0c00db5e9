#include "store/PlayerFiles.h"

#include "store/AppError.h"
#include "store/CommaText.h"
#include "store/Points.h"
#include "store/TextCodec.h"
#include "store/TextFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QByteArray PlayerFiles::playerFileBytes(const PlayerState &state, const QString &name)
{
    const QByteArray tail[] = {ListToCommaText(state.catListView).toUtf8(), ListToCommaText(state.topView).toUtf8(),
                               PictureToText(state.playerPic), name.toUtf8()};
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

void PlayerFiles::SavePlayerData(int player, PlayerState &state, PlayerWindow &window, const RowList &overView) const
{
    if (!state.dataView.hasGames())
        return;

    // All three files are written in full before any replaces its old version, so a folder or
    // file that cannot be written leaves every earlier file as it was.
    std::vector<std::unique_ptr<QSaveFile>> pending;
    auto writePending = [&](const QString &path, const QByteArray &bytes) {
        auto save = std::make_unique<QSaveFile>(path);
        if (!save->open(QIODevice::WriteOnly | QIODevice::Unbuffered) || save->write(bytes) != bytes.size())
            throw AppError::cannotCreate(path);
        pending.push_back(std::move(save));
    };

    // With many picture bytes to write, the records file is formed on a second thread meanwhile.
    qsizetype pictureBytes = 0;
    for (const QByteArray &line : state.playerData)
        pictureBytes += line.size();
    constexpr qsizetype ParallelBytes = 4 << 20;
    const DataTree &tree = state.dataView;
    std::future<QByteArray> recordsBytes = std::async(
        pictureBytes >= ParallelBytes ? std::launch::async : std::launch::deferred, [&tree] { return tree.toFileBytes(); });
    try {
        writePending(playerPath(player), playerFileBytes(state, window.playerName(player)));
    } catch (...) {
        recordsBytes.wait();
        throw;
    }
    writePending(recordsPath(player), recordsBytes.get());
    writePending(overviewPath(), overviewFileBytes(overView));
    const QString paths[] = {playerPath(player), recordsPath(player), overviewPath()};

    if (state.filesDamaged) {
        const QStringList setAside = setDamagedFilesAside(player);
        state.filesDamaged = false;
        if (!setAside.isEmpty())
            window.damagedFilesSetAside(setAside);
    }

    for (size_t i = 0; i < pending.size(); ++i)
        if (!pending[i]->commit())
            throw AppError::cannotCreate(paths[i]);
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
