#pragma once

#include <QWidget>

class Dialogs;
class QProgressBar;

// The borderless window shown while the main window is built.
class TSplashScreen : public QWidget
{
    Q_OBJECT

public:
    TSplashScreen();
    ~TSplashScreen() override;
    QProgressBar *gauge() const { return m_gauge; }

    // From now on, for as long as the splash lives, it is hidden while one of these dialogs is
    // open, so that the dialog is not covered by it, and shown again when the dialog has closed.
    void giveWayTo(Dialogs &dialogs);

private:
    QProgressBar *m_gauge;
    Dialogs *m_dialogs = nullptr;
};

// Sets the gauge, repaints the splash at once (no event loop runs yet), then waits.
void SetSplashProgress(TSplashScreen &splash, int percent, int milliseconds);
