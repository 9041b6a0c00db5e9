// A child process that saves a player is killed at random moments: each kill leaves the old
// player or the changed one whole. TALLIMO_KILL_SEED replays the kill moments of a failure.
#include "KillSave.h"

#include <QTest>

class SaveKillTest : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesOneWholePlayer();
};

void SaveKillTest::killedSaveLeavesOneWholePlayer()
{
    KillSave::Options options;
    options.childPath = QStringLiteral(TALLIMO_SAVE_CHILD);
    options.kills = 40;
    options.seed = qEnvironmentVariable("TALLIMO_KILL_SEED").toULongLong();
    const KillSave::Result result = KillSave::run(options, [](const QString &line) { qInfo("%s", qPrintable(line)); });
    QVERIFY2(result.failures.isEmpty(), qPrintable(result.failures.join(u'\n') + QStringLiteral("\nseed %1").arg(result.seed)));
    QCOMPARE(result.kills, options.kills);
    QCOMPARE(result.oldSets + result.newSets, options.kills);
}

QTEST_GUILESS_MAIN(SaveKillTest)
#include "test_save_kill.moc"
