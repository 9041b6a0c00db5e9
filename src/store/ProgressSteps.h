#pragma once

#include <QtGlobal>

#include <functional>

// How every long piece of work tells how far it has come: `position` on the range 0..`last`.
// ProgressRangeOnly as the position sets the range alone; ProgressCurrentRange as the last keeps
// the range as it stands.
using Progress = std::function<void(qint64 position, qint64 last)>;
inline constexpr qint64 ProgressRangeOnly = -1;
inline constexpr qint64 ProgressCurrentRange = -1;

// Work of a known size reported from 0 to `last`. A range of a single value draws as a moving
// busy bar; work with nothing or one thing to do (last < 1) gets the range 0..1 and is shown as
// done, so finished work never looks busy. Without a progress nothing is reported.
class ProgressSteps
{
public:
    ProgressSteps(Progress progress, qint64 last);

    // The position, held within the range.
    void reach(qint64 position);
    void finish();

    // A position on the range as it stands.
    static void reach(const Progress &progress, qint64 position);

private:
    Progress m_progress;
    qint64 m_last;
};
