#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class AboutPage;
class Dialogs;
class OptionsPage;

// Column and cell titles of the lists, fetched from the script's "Captions" with each settings load.
struct ListHeaders
{
    QStringList recordColumns;  // DisplayRecView columns 1..3: Points, Date, Comment
    QStringList topColumns;     // TopView columns 0..4: No., Game, Points, Date, Comment
    QStringList gamesGridCells; // OVGamesGrid header cells 0..2: No., Game, Category
    QString bestCell;           // OVPointsGrid header cell 10: Best

    bool operator==(const ListHeaders &) const = default;
};

// What reading and writing the settings needs of the main window.
class SettingsWindow
{
public:
    virtual ~SettingsWindow() = default;

    virtual QString programDir() const = 0;
    virtual Dialogs &dialogs() = 0;
    virtual OptionsPage &optionsPage() = 0;
    virtual AboutPage &aboutPage() = 0;

    virtual QString playerName(int player) const = 0;
    virtual void setPlayerName(int player, const QString &name) = 0;

    // The outer window's top left corner, its screen's size, maximizing.
    virtual QPoint windowPosition() const = 0;
    virtual void moveWindow(const QPoint &topLeft) = 0;
    virtual QSize screenSize() const = 0;
    virtual bool windowMaximized() const = 0;
    virtual void maximizeWindow() = 0;

    virtual void setWindowColor(qint32 color) = 0;
    virtual void translateWindow() = 0;
    virtual void refreshPlayerNames() = 0;
    virtual void placeCategoryBar(int position) = 0;
    virtual void fillHelpFileList() = 0;
    virtual void setListHeaders(const ListHeaders &headers) = 0;
};

// Data/TALLIMO.INI: the program's settings, read at start and on a change of language and
// written at exit.
namespace Settings {

// The main window's designed size, from which the default position is computed.
constexpr QSize DesignedWindowSize{640, 480};

QString settingsPath(const QString &programDir);
QString languageDir(const QString &programDir);

// Reads every setting into the window and its Options page, choosing the language first
// (asking for it when none is stored), then translates the window and fetches the texts of
// the dialogs and lists.
void LoadSettings(SettingsWindow &window);

// Writes every setting from the window and its Options page. Throws AppError
// "Unable to write to <path>" at the first write that fails.
void SaveSettings(SettingsWindow &window);

// The language chosen in LngListBox: stores it with the window's position, then shows every text
// in it; names, options and colours stay as they are (a default player name follows the language).
void ChangeLanguage(SettingsWindow &window);

} // namespace Settings
