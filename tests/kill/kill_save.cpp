// Kills a player's save at random moments and checks what each kill leaves.
//   kill_save [--large] [--kills N] [--seconds S] [--seed N]
#include "KillSave.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption large(QStringLiteral("large"), QStringLiteral("The benchmarks' large player."));
    const QCommandLineOption kills(QStringLiteral("kills"), QStringLiteral("Number of kills."), QStringLiteral("n"),
                                   QStringLiteral("30"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Kill until this time is spent."),
                                     QStringLiteral("s"), QStringLiteral("0"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the kill moments."), QStringLiteral("n"),
                                  QStringLiteral("0"));
    parser.addOptions({large, kills, seconds, seed});
    parser.process(app);

    KillSave::Options options;
    options.childPath = QStringLiteral(TALLIMO_SAVE_CHILD);
    options.large = parser.isSet(large);
    options.kills = parser.value(kills).toInt();
    options.seconds = parser.value(seconds).toInt();
    options.seed = parser.value(seed).toULongLong();
    const KillSave::Result result = KillSave::run(options, [](const QString &line) {
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
    });
    for (const QString &failure : result.failures)
        std::fprintf(stderr, "FAIL: %s\n", qPrintable(failure));
    return result.failures.isEmpty() ? 0 : 1;
}
