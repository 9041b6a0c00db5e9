#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class QImage;
class QWidget;

// Every modal moment of the program goes through this interface, held by the main window.
// The program shows real windows; tests install a scripted implementation that answers
// from a queue and records what was asked.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Message or confirmation box; kind "c" asks Yes/No, "i" informs, "w" warns.
    virtual bool msgBox(const QString &text, const QString &caption, const QString &kind) = 0;

    // One-line text input; empty for Cancel.
    virtual QString inputText(const QString &prompt, bool hidden) = 0;

    // Choice from a list given as comma text; empty when closed with the close box.
    virtual QString selectFromList(const QString &prompt, const QString &choices) = 0;

    // The general error box that shows a failed handler's message.
    virtual void showError(const QString &message) = 0;

    // The colour dialog, starting at the given colour value; nothing when cancelled.
    virtual std::optional<qint32> chooseColor(qint32 initial) = 0;

    // File dialogs with a filter of description|pattern pairs; filterIndex (1-based) is the
    // entry shown first and, on return, the entry the user chose. Empty path for Cancel.
    virtual QString openFileName(const QString &filter, int &filterIndex, const QString &initialDir) = 0;
    virtual QString saveFileName(const QString &filter, int &filterIndex, const QString &initialDir) = 0;

    // The shell's "open" on a file or a link: false when the desktop could not open it.
    virtual bool shellOpen(const QString &target) = 0;

    // Shows a picture at its own size in a window of the program, without waiting for it.
    virtual void showPicture(const QImage &picture, const QString &title) = 0;

    // The number pad preset with start: the value as edited, or empty for Cancel.
    virtual QString numberPad(const QString &start) = 0;

    // The calendar showing the date of the date number (days since 30 December 1899), weeks
    // beginning on firstWeekday (0 = Sunday): the chosen date number, nothing for Cancel.
    virtual std::optional<int> calendar(int dateNumber, int firstWeekday) = 0;

    // The window that dialogs are centred on and owned by; may be null.
    void setParentWindow(QWidget *window) { m_parent = window; }
    QWidget *parentWindow() const { return m_parent; }

    // Told true when a dialog opens and false when it has closed; a dialog opened from another
    // one is not told again. An empty function tells nobody.
    using OpenWatch = std::function<void(bool open)>;
    void setOpenWatch(OpenWatch watch) { m_openWatch = std::move(watch); }

protected:
    // Held by an implementation for as long as one of its dialogs is open.
    class Open
    {
    public:
        explicit Open(Dialogs &dialogs) : m_dialogs(dialogs)
        {
            if (m_dialogs.m_openCount++ == 0 && m_dialogs.m_openWatch)
                m_dialogs.m_openWatch(true);
        }
        ~Open()
        {
            if (--m_dialogs.m_openCount == 0 && m_dialogs.m_openWatch)
                m_dialogs.m_openWatch(false);
        }
        Open(const Open &) = delete;
        Open &operator=(const Open &) = delete;

    private:
        Dialogs &m_dialogs;
    };

private:
    QWidget *m_parent = nullptr;
    OpenWatch m_openWatch;
    int m_openCount = 0;
};
