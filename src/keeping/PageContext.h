#pragma once

#include "platform/HandlerGuard.h"
#include "platform/ListLineColors.h"
#include "store/ProgressSteps.h"

#include <QObject>
#include <QString>

class ColorChoice;
class Dialogs;
class OptionsPage;
class PlayerSession;
class SharedFileDialog;
class QWidget;

// What every page is built with: the session it shows and edits, and the few services every
// handler uses. The main window makes one and hands it to each page it creates.
struct PageContext
{
    // The window whose controls the pages are built in; a page finds its sheet here by name.
    QWidget &window;
    PlayerSession &session;
    Dialogs &dialogs;
    // The open and save file dialogs shared by every page; each keeps its last filter.
    SharedFileDialog &openDialog;
    SharedFileDialog &saveDialog;
    // The colour dialog of every colour swatch.
    ColorChoice &colors;
    // The Options page's choices (first day of the week, list line colours).
    const OptionsPage &options;
    // The window's progress bar.
    Progress progress;
    // The error boundary of every handler: an error it raises is shown in the general error box.
    HandlerGuard guarded;

    // The sheet with this object name.
    QWidget *sheet(const QString &name) const;
    // Runs the handler inside the error boundary; true when it ended well.
    bool run(const std::function<void()> &handler) const;
    int firstWeekday() const;
    ListLineColors lineColors() const;
};

// A page of the main window: built on its sheet from the context, it shows the session and runs
// its handlers. The main window knows a page only by this.
class ProgramPage : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The texts of the active language shown again, once the window's controls are translated.
    virtual void retranslate() {}
    // The window took a new size: the page fits its controls to it.
    virtual void windowResized() {}
};

// Connects a control's signal to a handler that runs inside the context's error boundary.
template<typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectHandler(const Sender *sender, Signal signal, QObject *receiver,
                                       const PageContext &context, Handler handler)
{
    return QObject::connect(sender, signal, receiver,
                            [&context, handler = std::move(handler)] { context.run(handler); });
}
