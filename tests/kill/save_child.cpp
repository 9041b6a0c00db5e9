// Loads player 1 of the data folder given as its argument, changes it, says "ready", and saves it
// when a line comes in on its input.
#include "KillSave.h"

#include "store/AppError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: save_child <data folder>\n");
        return 2;
    }
    const PlayerFiles files(QString::fromLocal8Bit(argv[1]));
    try {
        LoadedPlayer loaded = files.LoadPlayerData(KillSave::Player, DefaultCategoryNames());
        PlayerState state = std::move(loaded.state);
        QString name = KillSave::loadedName(loaded);
        RowList overView = files.readOverview();
        KillSave::changePlayer(state, name, overView);
        std::fputs("ready\n", stdout);
        std::fflush(stdout);
        for (int c = std::getchar(); c != '\n' && c != EOF;)
            c = std::getchar();
        files.SavePlayerData(KillSave::Player, state, name, overView);
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    std::fputs("saved\n", stdout);
    return 0;
}
