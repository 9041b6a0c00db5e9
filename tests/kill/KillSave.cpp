#include "KillSave.h"

#include "PlayerFixture.h"
#include "store/AppError.h"
#include "store/Picture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace KillSave {

namespace {

// What a load of the player's files gives.
struct Snapshot
{
    PlayerState state;
    QString name;
    RowList overView;

    bool operator==(const Snapshot &other) const
    {
        return state.dataView == other.state.dataView && state.playerData == other.state.playerData
            && state.catListView == other.state.catListView && state.topView == other.state.topView
            && state.playerPic == other.state.playerPic && name == other.name && overView == other.overView;
    }
};

// Loads the player; the error of a load that fails, or an empty text.
QString load(const QString &dataDir, Snapshot &snapshot)
{
    const PlayerFiles files(dataDir);
    try {
        LoadedPlayer loaded = files.LoadPlayerData(Player, DefaultCategoryNames());
        snapshot.state = std::move(loaded.state);
        snapshot.name = loadedName(loaded);
        snapshot.overView = files.readOverview();
    } catch (const AppError &error) {
        return error.message();
    }
    return QString();
}

void writeOldPlayer(const QString &dataDir, bool large)
{
    if (large) {
        // The benchmarks' large player; it has no overview file yet.
        PlayerFixture{10000, 50, 10, 1600, 1200}.writeTo(dataDir, Player);
        return;
    }
    PlayerFixture{200, 20, 5, 320, 240}.writeTo(dataDir, Player);
    const RowList overView{{"0001", {"Game 0", "Category 1", "10000", "", "", "", "", "", "", "", "", "", "Player"}}};
    QFile file(dataDir + QStringLiteral("/Overview.dat"));
    if (file.open(QIODevice::WriteOnly))
        file.write(PlayerFiles::overviewFileBytes(overView));
}

QStringList fileNames(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

QByteArray digest(const QString &dir)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &name : fileNames(dir)) {
        QFile file(dir + u'/' + name);
        if (file.open(QIODevice::ReadOnly)) {
            hash.addData(name.toUtf8());
            hash.addData(&file);
        }
    }
    return hash.result();
}

// The folder anew with the files of the source folder. They are hard links: a save never writes
// into an existing file, it only renames and removes names.
bool prepare(const QString &source, const QString &dataDir)
{
    QDir(dataDir).removeRecursively();
    if (!QDir().mkpath(dataDir))
        return false;
    for (const QString &name : fileNames(source))
        if (::link(QFile::encodeName(source + u'/' + name).constData(), QFile::encodeName(dataDir + u'/' + name).constData()) != 0)
            return false;
    return true;
}

// Starts a child on the folder.
std::unique_ptr<QProcess> launch(const QString &childPath, const QString &dataDir)
{
    auto child = std::make_unique<QProcess>();
    child->start(childPath, {dataDir});
    return child;
}

// Waits until the child has loaded the player; false when it does not get there.
bool waitUntilReady(QProcess &child)
{
    if (!child.waitForStarted(30000))
        return false;
    QByteArray out;
    while (!out.contains("ready\n")) {
        if (!child.waitForReadyRead(300000))
            return false;
        out += child.readAllStandardOutput();
    }
    return true;
}

// Lets the child save.
void go(QProcess &child)
{
    child.write("go\n");
    child.waitForBytesWritten(30000);
}

bool sameBytes(const QString &a, const QString &b)
{
    // Links to one file: the old files are links to the pristine ones.
    struct stat statA;
    struct stat statB;
    if (::stat(QFile::encodeName(a).constData(), &statA) == 0 && ::stat(QFile::encodeName(b).constData(), &statB) == 0
        && statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino)
        return true;
    QFile first(a);
    QFile second(b);
    if (!first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly) || first.size() != second.size())
        return false;
    constexpr qint64 Chunk = 4 << 20;
    while (!first.atEnd())
        if (first.read(Chunk) != second.read(Chunk))
            return false;
    return true;
}

// The data folder holds exactly the files of the set (a folder of copies or links).
bool holdsSet(const QString &dataDir, const QString &setDir, const QStringList &targets)
{
    for (const QString &name : targets) {
        const QFileInfo data(dataDir + u'/' + name);
        const QFileInfo set(setDir + u'/' + name);
        if (data.exists() != set.exists())
            return false;
        if (data.exists() && !sameBytes(data.filePath(), set.filePath()))
            return false;
    }
    return true;
}

} // namespace

QString loadedName(const LoadedPlayer &loaded)
{
    return loaded.name.value_or(QStringLiteral("Player %1").arg(Player));
}

void changePlayer(PlayerState &state, QString &name, RowList &overView)
{
    DataTree &tree = state.dataView;
    QList<StoredRecord> records{{"777", "45000", "changed"}, {"12", "45001", ""}};
    tree.StoreRecords(1, 0, records);
    const int added = tree.addGame(3, QStringLiteral("Saved while killed"));
    QList<StoredRecord> addedRecords{{"5", "45002", "first"}};
    tree.StoreRecords(3, added, addedRecords);

    // Every picture line moves, and a new picture comes in.
    std::reverse(state.playerData.begin(), state.playerData.end());
    Picture picture;
    picture.loadBmpBytes(makeBmp(64, 48));
    state.playerData.append(PictureToText(picture));
    tree.setPictureIndex(3, added, QString::number(state.playerData.size() - 1));

    state.catListView[2].caption = QStringLiteral("Changed category");
    state.topView = {{"0001", {"Game 0", "777", "3/15/2023", "changed", "45000"}}};
    state.playerPic = picture;
    name = QStringLiteral("Changed player");
    overView = {{"0001", {"Saved while killed", "Changed category", "5", "", "", "", "", "", "", "", "", "", "Changed player"}}};
}

Result run(const Options &options, const std::function<void(const QString &)> &log)
{
    Result result;
    result.seed = options.seed ? options.seed : QRandomGenerator::system()->generate64();
    log(QStringLiteral("seed %1 (TALLIMO_KILL_SEED=%1 or --seed %1 draws the same kill moments again)").arg(result.seed));
    QRandomGenerator random(result.seed);
    auto fail = [&](const QString &what) { result.failures.append(what); };

    QTemporaryDir work;
    const QString pristine = work.filePath(QStringLiteral("pristine"));
    const QString dataDir = work.filePath(QStringLiteral("Data"));
    QDir().mkpath(pristine);
    writeOldPlayer(pristine, options.large);
    const QByteArray pristineDigest = digest(pristine);
    const QStringList targets = fileNames(pristine) + QStringList{QStringLiteral("Overview.dat")};

    Snapshot old;
    if (const QString error = load(pristine, old); !error.isEmpty()) {
        fail(QStringLiteral("the old player does not load: ") + error);
        return result;
    }
    Snapshot changed = old;
    changePlayer(changed.state, changed.name, changed.overView);

    // One save to its end: it gives the changed player, its files are the new set, and its
    // time is the span that the kills aim at.
    const QString newSet = work.filePath(QStringLiteral("new"));
    qint64 saveMicroseconds = 0;
    {
        if (!prepare(pristine, dataDir)) {
            fail(QStringLiteral("cannot prepare ") + dataDir);
            return result;
        }
        const std::unique_ptr<QProcess> started = launch(options.childPath, dataDir);
        QProcess &child = *started;
        if (!waitUntilReady(child)) {
            fail(QStringLiteral("the child does not start: ") + options.childPath);
            return result;
        }
        QElapsedTimer timer;
        timer.start();
        go(child);
        child.waitForFinished(600000);
        saveMicroseconds = qMax<qint64>(1, timer.nsecsElapsed() / 1000);
        Snapshot saved;
        const QString error = load(dataDir, saved);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || !error.isEmpty() || !(saved == changed)) {
            fail(QStringLiteral("a save to its end does not give the changed player: %1 %2")
                     .arg(error, QString::fromLocal8Bit(child.readAllStandardError())));
            return result;
        }
        if (!prepare(dataDir, newSet)) {
            fail(QStringLiteral("cannot keep the new set"));
            return result;
        }
    }
    log(QStringLiteral("a whole save takes %1 ms").arg(double(saveMicroseconds) / 1000.0, 0, 'f', 1));

    // While one child is checked, the next one loads the player in a second folder.
    const QString dataDirs[] = {dataDir, work.filePath(QStringLiteral("Data2"))};
    int turn = 0;
    auto launchOn = [&](const QString &dir) { return prepare(pristine, dir) ? launch(options.childPath, dir) : nullptr; };
    std::unique_ptr<QProcess> next = launchOn(dataDirs[turn]);
    QElapsedTimer spent;
    spent.start();
    while (options.seconds > 0 ? spent.elapsed() < qint64(options.seconds) * 1000 : result.kills < options.kills) {
        const int kill = ++result.kills;
        const qint64 delay = qint64(random.bounded(quint64(saveMicroseconds + saveMicroseconds / 4)));
        const QString which = QStringLiteral("kill %1, %2 µs into the save").arg(kill).arg(delay);
        const QString killedDir = dataDirs[turn];
        const std::unique_ptr<QProcess> current = std::move(next);
        if (!current || !waitUntilReady(*current)) {
            fail(which + QStringLiteral(": the child did not get ready"));
            break;
        }
        QProcess &child = *current;
        go(child);
        QThread::usleep(quint64(delay));
        child.kill();
        child.waitForFinished(60000);
        const bool ended = child.readAllStandardOutput().contains("saved\n");
        turn = 1 - turn;
        next = launchOn(dataDirs[turn]);

        try {
            PlayerFiles(killedDir).recoverInterruptedSave();
        } catch (const AppError &e) {
            fail(which + QStringLiteral(": recovery: ") + e.message());
            continue;
        }
        QStringList left = fileNames(killedDir);
        for (const QString &target : targets)
            left.removeAll(target);
        if (!left.isEmpty())
            fail(which + QStringLiteral(": left beside the files: ") + left.join(u' '));
        // Files that hold the same bytes load the same; the small player is loaded all the same.
        const bool isNew = holdsSet(killedDir, newSet, targets);
        const bool isOld = !isNew && holdsSet(killedDir, pristine, targets);
        if (!isNew && !isOld) {
            fail(which + QStringLiteral(": neither the old files nor the new ones"));
            continue;
        }
        if (isOld && ended) {
            fail(which + QStringLiteral(": the save had ended, yet the old files are there"));
            continue;
        }
        if (!options.large) {
            Snapshot loaded;
            const QString error = load(killedDir, loaded);
            if (!error.isEmpty() || !(loaded == (isNew ? changed : old))) {
                fail(which + QStringLiteral(": the files do not load as the player they hold ") + error);
                continue;
            }
        }
        ++(isNew ? result.newSets : result.oldSets);
    }
    if (next) {
        next->kill();
        next->waitForFinished(60000);
    }
    if (digest(pristine) != pristineDigest)
        fail(QStringLiteral("a save wrote into an old file instead of replacing it"));
    log(QStringLiteral("%1 kills: %2 left the old player, %3 the changed one, %4 failed")
            .arg(result.kills)
            .arg(result.oldSets)
            .arg(result.newSets)
            .arg(result.failures.size()));
    return result;
}

} // namespace KillSave
