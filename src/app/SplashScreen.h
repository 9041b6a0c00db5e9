#pragma once

#include <QWidget>

class QProgressBar;

// The borderless window shown while the main window is built.
class TSplashScreen : public QWidget
{
    Q_OBJECT

public:
    TSplashScreen();
    QProgressBar *gauge() const { return m_gauge; }

private:
    QProgressBar *m_gauge;
};

// Sets the gauge, repaints the splash at once (no event loop runs yet), then waits.
void SetSplashProgress(TSplashScreen &splash, int percent, int milliseconds);
