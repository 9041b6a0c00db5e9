#include "store/AtomicFileGroup.h"

#include "store/AppError.h"
#include "store/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Step = AtomicFileGroup::Step;

const QString ForwardMark = QStringLiteral("forward");
const QString BackMark = QStringLiteral("back");

// A target as the journal names it.
struct JournalEntry
{
    QString path;
    bool hadOld = false;
};

struct Journal
{
    bool forward = false;
    std::vector<JournalEntry> entries;
};

bool exists(const QString &path)
{
    return QFileInfo::exists(path);
}

// rename(2) replaces the target in one step: the target's name never stands empty.
bool renameOver(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// True when the file is gone, also when it was never there.
bool removeFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0 || errno == ENOENT;
}

// Makes the folder's renames and removals so far durable. Best effort: a file system that
// cannot sync a folder is not a reason to refuse a save.
void syncDirectory(const QString &directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool inTheWay(const QString &target)
{
    const QFileInfo info(target);
    return info.exists() && !info.isFile();
}

bool writeJournal(const QString &path, bool forward, const std::vector<JournalEntry> &entries)
{
    QStringList lines{forward ? ForwardMark : BackMark};
    for (const JournalEntry &entry : entries)
        lines.append((entry.hadOld ? u'+' : u'-') + QFileInfo(entry.path).fileName());
    try {
        TextFile::writeLines(path, lines);
    } catch (const AppError &) {
        return false;
    }
    return true;
}

// A journal that is not the program's own names nothing that could be touched: only plain file
// names of the journal's folder count.
Journal readJournal(const QString &path, const QString &directory)
{
    const QStringList lines = TextFile::readLines(path);
    Journal journal;
    journal.forward = !lines.isEmpty() && lines.first() == ForwardMark;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const QString name = line.mid(1);
        if ((!line.startsWith(u'+') && !line.startsWith(u'-')) || name.isEmpty() || name.contains(u'/')
            || name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        journal.entries.push_back({directory + u'/' + name, line.startsWith(u'+')});
    }
    return journal;
}

// The temporaries that a killed QSaveFile leaves beside the files of a group: "<name>.XXXXXX".
void removeTemporaries(const QString &directory)
{
    static const QRegularExpression temporary(QStringLiteral("^(.+\\.saving|Saving\\.journal)\\.[A-Za-z0-9]{6}$"));
    const QStringList names = QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (temporary.match(name).hasMatch())
            removeFile(directory + u'/' + name);
}

bool allowed(const AtomicFileGroup::StepHook &hook, Step step, const QString &path)
{
    return !hook || hook(step, path);
}

// Puts the old set back. The target whose step failed, or an empty text.
QString putOldBack(const std::vector<JournalEntry> &entries, const AtomicFileGroup::StepHook &hook)
{
    for (const JournalEntry &entry : entries) {
        const QString previous = AtomicFileGroup::previousPath(entry.path);
        if (entry.hadOld) {
            if (exists(previous) && !(allowed(hook, Step::RestoreOld, entry.path) && renameOver(previous, entry.path)))
                return entry.path;
        } else if (exists(entry.path)) {
            // Without an old version, whatever stands at the target is the new file.
            if (!(allowed(hook, Step::RestoreOld, entry.path) && removeFile(entry.path)))
                return entry.path;
        }
    }
    for (const JournalEntry &entry : entries) {
        const QString fresh = AtomicFileGroup::newPath(entry.path);
        if (exists(fresh) && !(allowed(hook, Step::RemoveNew, entry.path) && removeFile(fresh)))
            return entry.path;
    }
    return QString();
}

// Completes the new set. The target whose step failed, or an empty text.
QString putNewInPlace(const std::vector<JournalEntry> &entries, const AtomicFileGroup::StepHook &hook)
{
    for (const JournalEntry &entry : entries) {
        const QString fresh = AtomicFileGroup::newPath(entry.path);
        const QString previous = AtomicFileGroup::previousPath(entry.path);
        if (exists(fresh)) {
            if (!(allowed(hook, Step::PutNewInPlace, entry.path) && renameOver(fresh, entry.path)))
                return entry.path;
        } else if (!exists(entry.path) && exists(previous)) {
            // Neither new nor target: never left by a commit. The old file is kept rather than lost.
            if (!(allowed(hook, Step::PutNewInPlace, entry.path) && renameOver(previous, entry.path)))
                return entry.path;
        }
    }
    return QString();
}

QString removeOld(const std::vector<JournalEntry> &entries, const AtomicFileGroup::StepHook &hook)
{
    for (const JournalEntry &entry : entries) {
        const QString previous = AtomicFileGroup::previousPath(entry.path);
        if (exists(previous) && !(allowed(hook, Step::RemoveOld, entry.path) && removeFile(previous)))
            return entry.path;
    }
    return QString();
}

bool endJournal(const QString &directory, const AtomicFileGroup::StepHook &hook)
{
    // The steps before must be on the disk before the journal that calls for them is gone.
    syncDirectory(directory);
    const QString journal = AtomicFileGroup::journalPath(directory);
    if (!(allowed(hook, Step::EndJournal, journal) && removeFile(journal)))
        return false;
    syncDirectory(directory);
    return true;
}

} // namespace

AtomicFileGroup::AtomicFileGroup() = default;
AtomicFileGroup::~AtomicFileGroup() = default;

QString AtomicFileGroup::journalPath(const QString &directory)
{
    return directory + QStringLiteral("/Saving.journal");
}

bool AtomicFileGroup::step(Step step, const QString &path) const
{
    return allowed(m_hook, step, path);
}

void AtomicFileGroup::begin(const QString &path)
{
    const QString directory = QFileInfo(path).absolutePath();
    if (m_directory.isEmpty()) {
        m_directory = directory;
        recover(m_directory, m_hook);
    }
    // One folder, one journal: a group that spans folders is a programming error.
    Q_ASSERT(directory == m_directory);
    if (directory != m_directory || inTheWay(path))
        throw AppError::cannotCreate(path);
    for (const Pending &pending : m_pending) {
        Q_ASSERT(pending.path != path);
        if (pending.path == path)
            throw AppError::cannotCreate(path);
    }
}

void AtomicFileGroup::add(const QString &path, QByteArrayView bytes)
{
    add(path, [bytes](QIODevice &file) { return file.write(bytes.data(), bytes.size()) == bytes.size(); });
}

void AtomicFileGroup::add(const QString &path, const Writer &write)
{
    begin(path);
    Pending pending;
    pending.path = path;
    pending.file = std::make_unique<QSaveFile>(newPath(path));
    // Unbuffered, so a short write (disk full, size limit) shows in write()'s result.
    if (!pending.file->open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !write(*pending.file))
        throw AppError::cannotCreate(path);
    m_pending.push_back(std::move(pending));
}

void AtomicFileGroup::discard()
{
    // QSaveFile removes what it has not committed.
    m_pending.clear();
}

void AtomicFileGroup::rollBack(bool committed)
{
    std::vector<JournalEntry> entries;
    for (const Pending &pending : m_pending)
        entries.push_back({pending.path, pending.hadOld});
    discard();
    // Best effort: what cannot be put right here stays named by the journal for recover().
    const QString journal = journalPath(m_directory);
    if (committed) {
        syncDirectory(m_directory);
        if (!(step(Step::RevertJournal, journal) && writeJournal(journal, false, entries)))
            return;
        syncDirectory(m_directory);
    }
    if (putOldBack(entries, m_hook).isEmpty())
        endJournal(m_directory, m_hook);
}

void AtomicFileGroup::commit()
{
    if (m_pending.empty())
        return;
    // A folder may have taken a target's place since add().
    for (Pending &pending : m_pending) {
        if (inTheWay(pending.path)) {
            const QString failed = pending.path;
            discard();
            throw AppError::cannotCreate(failed);
        }
        pending.hadOld = QFileInfo(pending.path).isFile();
    }
    std::vector<JournalEntry> entries;
    for (const Pending &pending : m_pending)
        entries.push_back({pending.path, pending.hadOld});
    const QString journal = journalPath(m_directory);

    if (!(step(Step::BeginJournal, journal) && writeJournal(journal, false, entries))) {
        discard();
        throw AppError::cannotCreate(journal);
    }
    auto failBefore = [&](const QString &failed, bool committed) {
        rollBack(committed);
        throw AppError::cannotCreate(failed);
    };
    for (Pending &pending : m_pending)
        if (!(step(Step::WriteNew, pending.path) && pending.file->commit()))
            failBefore(pending.path, false);
    // The journal and the new files' names reach the disk before any old file moves.
    syncDirectory(m_directory);
    for (const Pending &pending : m_pending)
        if (pending.hadOld && !(step(Step::SetOldAside, pending.path) && renameOver(pending.path, previousPath(pending.path))))
            failBefore(pending.path, false);
    if (!(step(Step::CommitJournal, journal) && writeJournal(journal, true, entries)))
        failBefore(journal, false);

    // Committed: recover() completes the new set from here on.
    for (const Pending &pending : m_pending)
        if (!(step(Step::PutNewInPlace, pending.path) && renameOver(newPath(pending.path), pending.path)))
            failBefore(pending.path, true);
    discard();
    // The new set is in place; what remains only tidies up, and recover() finishes what fails.
    syncDirectory(m_directory);
    if (removeOld(entries, m_hook).isEmpty())
        endJournal(m_directory, m_hook);
}

void AtomicFileGroup::recover(const QString &directory, const StepHook &hook)
{
    removeTemporaries(directory);
    const QString journal = journalPath(directory);
    if (!exists(journal))
        return;
    const Journal found = readJournal(journal, directory);
    QString failed;
    if (found.forward) {
        failed = putNewInPlace(found.entries, hook);
        if (failed.isEmpty()) {
            syncDirectory(directory);
            failed = removeOld(found.entries, hook);
        }
    } else {
        failed = putOldBack(found.entries, hook);
    }
    if (!failed.isEmpty())
        throw AppError::cannotCreate(failed);
    if (!endJournal(directory, hook))
        throw AppError::cannotCreate(journal);
}
