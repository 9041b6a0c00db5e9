#pragma once

#include "support/StartedWindow.h"

#include <QString>
#include <QStringList>

class QToolButton;

// Steps a user takes on the "Maintenance" page of a started window, through its real controls
// and the scripted dialogs.

// The window's button of that name; the test stops when there is none.
QToolButton *button(StartedWindow &s, const char *name);

// Adds a game through the "+" button, answering the name prompt with name.
void addGame(StartedWindow &s, const QString &name);

// Selects the game's row in the games list as a click does.
void selectGame(StartedWindow &s, const QString &name);

// Enters points on the number pad and the date in the calendar, then presses "Add entry".
void addRecord(StartedWindow &s, const QString &points, int dateNumber);

// The names in the games list, in its order.
QStringList gameNames(StartedWindow &s);
