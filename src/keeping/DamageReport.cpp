#include "keeping/DamageReport.h"

#include "services/TransProg.h"

#include <QDir>

namespace {

constexpr qsizetype ShownProblems = 12;

QString message(const char *key)
{
    return LngText(QStringLiteral("Messages"), QLatin1String(key));
}

} // namespace

QString DamageReportText(const PlayerDamage &damage, const std::function<QString(int)> &categoryName)
{
    QStringList problems = damage.fileErrors;
    if (damage.tree.shapeRepaired)
        problems.append(message("Parts of the records file that the program does not know were left out."));
    for (const GameDamage &game : damage.tree.games) {
        const QString category = categoryName ? categoryName(game.category) : QString::number(game.category);
        if (game.recordsLeftOut > 0)
            problems.append(message("Game \"%1\" in %2: %3 damaged records could not be read.")
                                .arg(game.name, category)
                                .arg(game.recordsLeftOut));
        else
            problems.append(message("Game \"%1\" in %2 was repaired; all its records are kept.").arg(game.name, category));
    }
    if (problems.size() > ShownProblems) {
        const qsizetype more = problems.size() - ShownProblems;
        problems.resize(ShownProblems);
        problems.append(message("... and %1 more.").arg(more));
    }

    QStringList text;
    if (damage.keptAs.isEmpty()) {
        text.append(message("The files of this player could not be read completely. They will be kept unchanged "
                            "before the player is saved."));
    } else {
        QStringList paths;
        for (const QString &path : damage.keptAs)
            paths.append(QDir::toNativeSeparators(path));
        text.append(message("The files of this player could not be read completely. They have been kept unchanged as:")
                    + u'\n' + paths.join(u'\n'));
    }
    text.append(problems.join(u'\n'));
    text.append(message("Everything that could be read has been kept."));
    return text.join(QStringLiteral("\n\n"));
}
