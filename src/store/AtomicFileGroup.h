#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QSaveFile;

// Files of one folder that are replaced together: after a failure, a crash or a power cut the
// folder holds either all the old files or all the new ones, never a mix.
//
// add() writes each new file in full beside its target; commit() then runs these steps:
//   1. the journal "Saving.journal" is written, marked "back", naming each target and whether
//      it has an old version;
//   2. each new file is put beside its target as "<target>.saving";
//   3. each old target is renamed to "<target>.previous";
//   4. the journal is marked "forward": the new set is committed;
//   5. each "<target>.saving" is renamed to its target;
//   6. each "<target>.previous" is removed;
//   7. the journal is removed.
// A journal marked "back" means: put the old set back (each "<target>.previous" to its target,
// a target without an old version removed, each "<target>.saving" removed). A journal marked
// "forward" means: complete the new set (each "<target>.saving" to its target, each
// "<target>.previous" removed). Every action is a rename or a removal that can be repeated, so
// recover() after a crash at any point, also during a rollback or a recovery, gives one whole set.
// Renames replace their target in one step (rename(2)), so no name stands empty while it is
// replaced; between steps 3 and 5 a target's name is missing, and the journal says where its old
// and new versions are. Only files that a journal names are touched. Every journal change is
// written atomically, and the folder is synced wherever a later step must not reach the disk
// before an earlier one. One group at a time per folder.
class AtomicFileGroup
{
public:
    // The steps of a commit and of a rollback, as a test hook sees them.
    enum class Step {
        BeginJournal,  // the journal written, marked "back"
        WriteNew,      // "<target>.saving" in place
        SetOldAside,   // the target renamed to "<target>.previous"
        CommitJournal, // the journal marked "forward"
        PutNewInPlace, // "<target>.saving" renamed to the target
        RemoveOld,     // "<target>.previous" removed
        EndJournal,    // the journal removed
        RevertJournal, // rolling back after the commit point: the journal marked "back" again
        RestoreOld,    // rolling back: "<target>.previous" renamed to the target, or a new target removed
        RemoveNew,     // rolling back: "<target>.saving" removed
    };
    // Called before each step with the file it acts on (the target, or the journal). Returning
    // false makes the step fail as an I/O error would; throwing leaves everything as a kill would.
    using StepHook = std::function<bool(Step step, const QString &path)>;
    // Writes a file's bytes to the device; false when a write fails.
    using Writer = std::function<bool(QIODevice &file)>;

    AtomicFileGroup();
    ~AtomicFileGroup();
    AtomicFileGroup(const AtomicFileGroup &) = delete;
    AtomicFileGroup &operator=(const AtomicFileGroup &) = delete;

    void setStepHook(StepHook hook) { m_hook = std::move(hook); }

    // Writes the file in full beside its target; nothing is in place before commit(). All targets
    // share one folder; the first add() finishes what an interrupted group left there. Throws
    // "Cannot create file %s" when the file cannot be written or a folder stands at the target.
    void add(const QString &path, QByteArrayView bytes);
    void add(const QString &path, const Writer &write);

    // Puts the files in place. Throws "Cannot create file %s" for the file (target or journal)
    // whose step failed; the old set is then whole again, or, when even the rollback failed, is
    // what recover() brings back. A failure while cleaning up after the commit point throws
    // nothing: the new set is in place, and the next recover() removes what is left.
    void commit();

    // Finishes in the folder what an interrupted commit left: completes the new set when the
    // journal says "forward", puts the old set back otherwise. Throws "Cannot open file %s" for a
    // journal that cannot be read and "Cannot create file %s" for a file that cannot be put right.
    static void recover(const QString &directory, const StepHook &hook = {});

    static QString journalPath(const QString &directory);
    static QString newPath(const QString &target) { return target + QStringLiteral(".saving"); }
    static QString previousPath(const QString &target) { return target + QStringLiteral(".previous"); }

private:
    struct Pending
    {
        QString path;
        bool hadOld = false;
        std::unique_ptr<QSaveFile> file;
    };
    void begin(const QString &path);
    void discard();
    bool step(Step step, const QString &path) const;
    void rollBack(bool committed);

    QString m_directory;
    std::vector<Pending> m_pending;
    StepHook m_hook;
};
