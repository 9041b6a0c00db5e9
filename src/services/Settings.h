#pragma once

#include "services/OptionsPage.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

class Dialogs;

// Column and cell titles of the lists, as the script's "Captions" give them.
struct ListHeaders
{
    QStringList recordColumns;  // DisplayRecView columns 1..3: Points, Date, Comment
    QStringList topColumns;     // TopView columns 0..4: No., Game, Points, Date, Comment
    QStringList gamesGridCells; // OVGamesGrid header cells 0..2: No., Game, Category
    QString bestCell;           // OVPointsGrid header cell 10: Best

    bool operator==(const ListHeaders &) const = default;
};

// The names of players 1..10.
using PlayerNames = std::array<QString, 10>;

// Every value of Data/TALLIMO.INI. The defaults are those of the settings table, which reading
// the file gives for what is missing.
struct ProgramSettings
{
    // The entry of LScripts; empty when none is selected (the stored name then stays).
    QString language;
    PlayerNames playerNames;
    // The ticks of the Options page's general options.
    std::array<bool, OptionsPage::optionCount()> options{};
    bool alternatingLines = false;
    qint32 lineColor1 = 0;
    qint32 lineColor2 = 0;
    int firstWeekday = 0; // 0 = Sunday .. 6 = Saturday
    qint32 msgStartColor = 0;
    qint32 msgEndColor = 0;
    qint32 windowColor = 0;
    // The outer window's top left corner.
    QPoint windowPosition;
    bool maximized = false;
    int categoryPosition = 0; // 0 = left, 1 = right

    bool operator==(const ProgramSettings &) const = default;
};

// Data/TALLIMO.INI: the program's settings, read at start and on a change of language and
// written at exit.
namespace Settings {

// The main window's designed size: the size every page is laid out for.
constexpr QSize DesignedWindowSize{640, 480};

QString settingsPath(const QString &programDir);
QString languageDir(const QString &programDir);

// The entries of LScripts, as they are listed.
QStringList languageEntries(const QString &programDir);

// Reads every setting. The language comes first: with none stored the user picks one from the
// scripts' names with dialogs and the choice is stored at once; then its script becomes the
// active one (with Qt's translations), since the default player names come from it. The
// language is named as its entry in LScripts when one matches without regard to case. The
// default window position centres the designed size on screenSize. The message gradient is
// set to its default colours before anything is asked.
ProgramSettings LoadSettings(const QString &programDir, Dialogs &dialogs, QSize screenSize);
// The same with the entries of LScripts as languageEntries lists them, read once by the caller,
// and the default position centring a window of windowSize.
ProgramSettings LoadSettings(const QString &programDir, const QStringList &languageEntries, Dialogs &dialogs,
                             QSize screenSize, QSize windowSize = DesignedWindowSize);

// Writes every setting in one write of the file; an empty language leaves the stored one.
// Throws AppError "Unable to write to <path>" when the file cannot be written.
void SaveSettings(const QString &programDir, const ProgramSettings &settings);

// A change to the language entry language (nothing happens when it is empty): stores it with
// the window's position, then makes its script the active one. Returns the names, where a
// player still called by the old language's default name takes the new language's.
// Throws AppError "Unable to write to <path>"; then the script stays as it was.
PlayerNames ChangeLanguage(const QString &programDir, const QString &language, QPoint windowPosition,
                           PlayerNames names);

// Gives the message dialogs their button texts and titles from the active script.
void translateDialogs();

} // namespace Settings
