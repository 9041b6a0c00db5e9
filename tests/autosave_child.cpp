// Starts the main window on the program folder given as its argument, adds a game and a record
// through the window's controls, says "edited" and runs until it is killed.
#include "support/KeepingSteps.h"
#include "support/StartedWindow.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: autosave_child <program folder>\n");
        return 2;
    }
    StartedWindow s(QString::fromLocal8Bit(argv[1]), MainFormOptions().autosaveDelayMs);
    addGame(s, QStringLiteral("Chess"));
    addRecord(s, QStringLiteral("250"), 38124);
    if (!s.dialogs.errors().isEmpty() || s.dialogs.pendingAnswers() != 0) {
        std::fprintf(stderr, "the edit did not go through: %s\n", qPrintable(s.dialogs.errors().join(u'\n')));
        return 1;
    }
    std::puts("edited");
    std::fflush(stdout);
    return app.exec();
}
