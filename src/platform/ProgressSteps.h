#pragma once

#include <QtGlobal>

class QProgressBar;

// Work of a known size shown on a progress bar, from 0 to `last`. Qt draws a range of a single
// value as a moving busy bar; work with nothing or one thing to do (last < 1) gets the range
// 0..1 and a full bar, so finished work never looks busy. A null bar shows nothing.
class ProgressSteps
{
public:
    ProgressSteps(QProgressBar *bar, qint64 last);

    // The position, held within the range.
    void reach(qint64 position);
    void finish();

    // A position on the bar's range as it stands, held within it.
    static void reach(QProgressBar *bar, qint64 position);

private:
    QProgressBar *m_bar;
    bool m_single;
};
