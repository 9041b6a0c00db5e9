#pragma once

#include <QKeyEvent>

// Space, Return or Enter pressed (not repeated): the keys that press a focused control.
inline bool IsActivationKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !event->isAutoRepeat();
    default:
        return false;
    }
}
