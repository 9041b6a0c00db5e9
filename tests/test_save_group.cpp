// Files replaced together: a failure at any step puts the old set back, a kill at any step
// (also during a rollback or a recovery) leaves what recover() turns into one whole set.

#include "store/AtomicFileGroup.h"
#include "support/Errors.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

using Step = AtomicFileGroup::Step;
using FileSet = QMap<QString, QByteArray>;

const QStringList Targets{"A.dat", "B.dat", "C.dat"};
const FileSet NewSet{{"A.dat", "new A\r\n"}, {"B.dat", "new B\r\n"}, {"C.dat", "new C\r\n"}};
// Files beside the group that no step may touch, one of them named like a set-aside file.
const FileSet Bystanders{{"Other.dat", "other\r\n"}, {"Z.dat.previous", "not of this group\r\n"}};

// The old versions of the targets, by fixture name.
FileSet oldSet(const QString &fixture)
{
    if (fixture == "replace")
        return {{"A.dat", "old A\r\n"}, {"B.dat", "old B\r\n"}, {"C.dat", "old C\r\n"}};
    if (fixture == "mixed")
        return {{"B.dat", "old B\r\n"}};
    return {}; // "first save"
}

const char *stepName(Step step)
{
    switch (step) {
    case Step::BeginJournal: return "begin journal";
    case Step::WriteNew: return "write new";
    case Step::SetOldAside: return "set old aside";
    case Step::CommitJournal: return "commit journal";
    case Step::PutNewInPlace: return "put new in place";
    case Step::RemoveOld: return "remove old";
    case Step::EndJournal: return "end journal";
    case Step::RevertJournal: return "revert journal";
    case Step::RestoreOld: return "restore old";
    case Step::RemoveNew: return "remove new";
    }
    return "?";
}

struct Call
{
    Step step;
    QString file; // file name of the target or journal
    bool allowed = true;
    bool operator==(const Call &) const = default;
};

struct Killed
{
};

// Answers the group's steps: the call numbered failAt fails, the one numbered killAt throws
// as a kill would; every call is recorded.
struct Script
{
    int failAt = -1;
    int killAt = -1;
    QList<Call> calls;

    AtomicFileGroup::StepHook hook()
    {
        return [this](Step step, const QString &path) {
            const int n = int(calls.size());
            if (n == killAt)
                throw Killed{};
            calls.append({step, QFileInfo(path).fileName(), n != failAt});
            return n != failAt;
        };
    }
};

class Folder
{
public:
    explicit Folder(const FileSet &files)
    {
        write(files);
        write(Bystanders);
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    void write(const FileSet &files) const
    {
        for (auto it = files.begin(); it != files.end(); ++it) {
            QFile f(file(it.key()));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(it.value());
        }
    }

    // Every entry of the folder with its bytes, the bystanders left out.
    FileSet contents() const
    {
        FileSet files;
        const QStringList names = QDir(path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QString &name : names) {
            QFile f(file(name));
            files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<not a file>"));
        }
        for (auto it = Bystanders.begin(); it != Bystanders.end(); ++it)
            if (files.value(it.key()) == it.value())
                files.remove(it.key());
        return files;
    }

    // Adds the new set and commits it under the script; the error, or nothing.
    std::optional<QString> save(Script &script) const
    {
        AtomicFileGroup group;
        group.setStepHook(script.hook());
        const QString error = errorOf([&] {
            for (const QString &name : Targets)
                group.add(file(name), NewSet[name]);
            group.commit();
        });
        return error.isEmpty() ? std::nullopt : std::optional(error);
    }

private:
    QTemporaryDir m_dir;
};

// A kill ends a save (or a recovery) where it is; the group is abandoned without cleanup.
void saveUntilKilled(const Folder &folder, Script &script)
{
    try {
        folder.save(script);
    } catch (const Killed &) {
    }
}

void recoverUntilKilled(const Folder &folder, Script &script)
{
    try {
        AtomicFileGroup::recover(folder.path(), script.hook());
    } catch (const Killed &) {
    }
}

// What the journal says when a kill ends a save after these calls: once marked forward, and not
// marked back again, the new set is committed.
bool committedAfter(const QList<Call> &done)
{
    bool committed = false;
    for (const Call &call : done) {
        if (!call.allowed)
            continue;
        if (call.step == Step::CommitJournal)
            committed = true;
        if (call.step == Step::RevertJournal)
            committed = false;
    }
    return committed;
}

// The steps a save of the fixture runs without failure.
QList<Call> stepsOf(const QString &fixture, int failAt = -1)
{
    Folder folder(oldSet(fixture));
    Script script;
    script.failAt = failAt;
    folder.save(script);
    return script.calls;
}

const QStringList Fixtures{"replace", "mixed", "first save"};

} // namespace

class SaveGroupTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsInOrder();
    void failureAtEachStep_data();
    void failureAtEachStep();
    void killAtEachStep_data();
    void killAtEachStep();
    void killDuringRecovery_data();
    void killDuringRecovery();
    void folderInTheWay_data();
    void folderInTheWay();
    void foreignJournals_data();
    void foreignJournals();
    void strayTemporariesRemoved();
};

void SaveGroupTest::stepsInOrder()
{
    const QList<Call> expected{
        {Step::BeginJournal, "Saving.journal"},
        {Step::WriteNew, "A.dat"},      {Step::WriteNew, "B.dat"},      {Step::WriteNew, "C.dat"},
        {Step::SetOldAside, "B.dat"},
        {Step::CommitJournal, "Saving.journal"},
        {Step::PutNewInPlace, "A.dat"}, {Step::PutNewInPlace, "B.dat"}, {Step::PutNewInPlace, "C.dat"},
        {Step::RemoveOld, "B.dat"},
        {Step::EndJournal, "Saving.journal"},
    };
    Folder folder(oldSet("mixed"));
    Script script;
    QCOMPARE(folder.save(script), std::nullopt);
    QCOMPARE(script.calls, expected);
    QCOMPARE(folder.contents(), NewSet);
    // The next group finds nothing to finish.
    Script next;
    AtomicFileGroup::recover(folder.path(), next.hook());
    QVERIFY(next.calls.isEmpty());
}

void SaveGroupTest::failureAtEachStep_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("failAt");
    for (const QString &fixture : Fixtures) {
        const QList<Call> steps = stepsOf(fixture);
        for (int k = 0; k < steps.size(); ++k)
            QTest::addRow("%s: %s %s", qPrintable(fixture), stepName(steps[k].step), qPrintable(steps[k].file))
                << fixture << k;
    }
}

void SaveGroupTest::failureAtEachStep()
{
    QFETCH(QString, fixture);
    QFETCH(int, failAt);
    Folder folder(oldSet(fixture));
    Script script;
    script.failAt = failAt;
    const std::optional<QString> error = folder.save(script);
    const Call failed = script.calls.at(failAt);

    if (failed.step == Step::RemoveOld || failed.step == Step::EndJournal) {
        // Past the commit point a failure only leaves tidying up; the new set stands.
        QCOMPARE(error, std::nullopt);
        for (const QString &name : Targets)
            QCOMPARE(folder.contents().value(name), NewSet[name]);
        AtomicFileGroup::recover(folder.path());
        QCOMPARE(folder.contents(), NewSet);
        return;
    }
    QCOMPARE(error, std::optional(QStringLiteral("Cannot create file %1").arg(folder.file(failed.file))));
    // The old set whole, and nothing beside it.
    QCOMPARE(folder.contents(), oldSet(fixture));
    Script next;
    AtomicFileGroup::recover(folder.path(), next.hook());
    QVERIFY(next.calls.isEmpty());
}

void SaveGroupTest::killAtEachStep_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("failAt");
    QTest::addColumn<int>("killAt");
    for (const QString &fixture : Fixtures) {
        const QList<Call> steps = stepsOf(fixture);
        for (int k = 0; k <= steps.size(); ++k)
            QTest::addRow("%s: before %s %s", qPrintable(fixture), k < steps.size() ? stepName(steps[k].step) : "the end",
                          k < steps.size() ? qPrintable(steps[k].file) : "")
                << fixture << -1 << k;
        // A failure that rolls back, killed at each step of the rollback.
        for (int f = 0; f < steps.size(); ++f) {
            if (steps[f].step == Step::RemoveOld || steps[f].step == Step::EndJournal)
                continue;
            const QList<Call> rolled = stepsOf(fixture, f);
            for (int k = f + 1; k < rolled.size(); ++k)
                QTest::addRow("%s: %s %s fails, killed before %s %s", qPrintable(fixture), stepName(steps[f].step),
                              qPrintable(steps[f].file), stepName(rolled[k].step), qPrintable(rolled[k].file))
                    << fixture << f << k;
        }
    }
}

void SaveGroupTest::killAtEachStep()
{
    QFETCH(QString, fixture);
    QFETCH(int, failAt);
    QFETCH(int, killAt);
    Folder folder(oldSet(fixture));
    Script script;
    script.failAt = failAt;
    script.killAt = killAt;
    saveUntilKilled(folder, script);

    AtomicFileGroup::recover(folder.path());
    QCOMPARE(folder.contents(), committedAfter(script.calls) ? NewSet : oldSet(fixture));
}

void SaveGroupTest::killDuringRecovery_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("saveKilledAt");
    QTest::addColumn<int>("recoveryKilledAt");
    for (const QString &fixture : Fixtures) {
        const QList<Call> steps = stepsOf(fixture);
        for (int k = 1; k < steps.size(); ++k) {
            // The steps of the recovery that this kill calls for.
            Folder dry(oldSet(fixture));
            Script killed;
            killed.killAt = k;
            saveUntilKilled(dry, killed);
            Script recovery;
            AtomicFileGroup::recover(dry.path(), recovery.hook());
            for (int r = 0; r < recovery.calls.size(); ++r)
                QTest::addRow("%s: save killed before %s %s, recovery before %s %s", qPrintable(fixture),
                              stepName(steps[k].step), qPrintable(steps[k].file), stepName(recovery.calls[r].step),
                              qPrintable(recovery.calls[r].file))
                    << fixture << k << r;
        }
    }
}

void SaveGroupTest::killDuringRecovery()
{
    QFETCH(QString, fixture);
    QFETCH(int, saveKilledAt);
    QFETCH(int, recoveryKilledAt);
    Folder folder(oldSet(fixture));
    Script save;
    save.killAt = saveKilledAt;
    saveUntilKilled(folder, save);
    Script recovery;
    recovery.killAt = recoveryKilledAt;
    recoverUntilKilled(folder, recovery);

    AtomicFileGroup::recover(folder.path());
    QCOMPARE(folder.contents(), committedAfter(save.calls) ? NewSet : oldSet(fixture));
}

void SaveGroupTest::folderInTheWay_data()
{
    QTest::addColumn<bool>("beforeAdd");
    QTest::newRow("there when added") << true;
    QTest::newRow("made after add, before commit") << false;
}

void SaveGroupTest::folderInTheWay()
{
    QFETCH(bool, beforeAdd);
    Folder folder(oldSet("replace"));
    auto block = [&] {
        QVERIFY(QFile::remove(folder.file("B.dat")));
        QVERIFY(QDir(folder.path()).mkdir("B.dat"));
    };
    if (beforeAdd)
        block();
    FileSet expected = oldSet("replace");
    expected["B.dat"] = "<not a file>";
    {
        AtomicFileGroup group;
        const QString error = errorOf([&] {
            for (const QString &name : Targets) {
                group.add(folder.file(name), NewSet[name]);
                if (name == "A.dat" && !beforeAdd)
                    block();
            }
            group.commit();
        });
        QCOMPARE(error, "Cannot create file " + folder.file("B.dat"));
        QCOMPARE(folder.contents(), expected);
    }
    QCOMPARE(folder.contents(), expected);
}

void SaveGroupTest::foreignJournals_data()
{
    QTest::addColumn<QByteArray>("journal");
    QTest::newRow("names outside the folder") << QByteArray("forward\r\n+../Other.dat\r\n-/tmp/x\r\n+.\r\n+..\r\n");
    QTest::newRow("no mark, unknown lines") << QByteArray("what\r\n?Other.dat\r\nOther.dat\r\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("binary") << QByteArray("\xFF\xFE\0\x01+Other.dat", 10);
}

void SaveGroupTest::foreignJournals()
{
    // A journal the program did not write touches nothing but itself.
    QFETCH(QByteArray, journal);
    Folder folder(oldSet("replace"));
    folder.write({{"Saving.journal", journal}, {"Other.dat.saving", "stray\r\n"}});
    AtomicFileGroup::recover(folder.path());
    FileSet expected = oldSet("replace");
    expected["Other.dat.saving"] = "stray\r\n";
    QCOMPARE(folder.contents(), expected);
}

void SaveGroupTest::strayTemporariesRemoved()
{
    Folder folder(oldSet("replace"));
    // What a kill during a QSaveFile write leaves: "<name>.XXXXXX" beside a new file or the journal.
    folder.write({{"A.dat.saving.Ab12Cd", "cut"}, {"Saving.journal.x1Y2z3", "cut"}, {"A.dat.Ab12Cd", "not ours"},
                  {"A.dat.saving.toolong", "not ours"}});
    AtomicFileGroup::recover(folder.path());
    FileSet expected = oldSet("replace");
    expected["A.dat.Ab12Cd"] = "not ours";
    expected["A.dat.saving.toolong"] = "not ours";
    QCOMPARE(folder.contents(), expected);
}

QTEST_APPLESS_MAIN(SaveGroupTest)
#include "test_save_group.moc"
