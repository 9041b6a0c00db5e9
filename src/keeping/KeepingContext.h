#pragma once

#include "store/PlayerFiles.h"

#include <QtGlobal>

class Dialogs;
class SharedFileDialog;
class QProgressBar;
class QWidget;

// The list line colours of the Options page, read whenever a list draws its rows.
struct ListLineColors
{
    bool alternating = true;
    qint32 color1 = qint32(0x80000018);
    qint32 color2 = 65535;
};

// What the pages of the "Maintenance" page need of the main window: the shared state and the
// few services every handler uses.
class KeepingContext
{
public:
    virtual ~KeepingContext() = default;

    virtual PlayerState &playerState() = 0;
    virtual int currentCategory() const = 0;
    // The game index (sub-item 1) of the selected games list row, or -1 without a selection.
    virtual int selectedGameIndex() const = 0;
    virtual Dialogs &dialogs() = 0;
    // The main window's open and save file dialogs, shared by every page; each keeps its last filter.
    virtual SharedFileDialog &openDialog() = 0;
    virtual SharedFileDialog &saveDialog() = 0;
    virtual QProgressBar *progressBar() = 0;
    virtual QWidget *mainWindow() = 0;
    // UpdateButtons of the main window.
    virtual void updateButtons() = 0;
    // Index of "First day of the week" (0 = Sunday).
    virtual int firstWeekday() const = 0;
    virtual ListLineColors lineColors() const = 0;
    // Called after each edit of the player's data with the files that the edit changes; the
    // main window saves them soon after.
    virtual void playerChanged(DataFiles changed) { Q_UNUSED(changed); }
};
