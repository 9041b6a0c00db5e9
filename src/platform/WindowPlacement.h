#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Centres the window, frame included, on the other window; on the screen without one.
void CenterWindowOn(QWidget *window, const QWidget *on);

// The first size of a window on a screen whose available area has the given size: three
// quarters of it each way, not below minimum, and not beyond the area (where the area is smaller
// than minimum, minimum wins: the window cannot be smaller).
QSize FirstWindowSize(QSize available, QSize minimum);

// Where the window with the frame `frame` goes so that it lies on a screen, given the screens'
// available areas: on the area it overlaps most (the first area when it overlaps none), moved by
// as little as puts it wholly inside; a window larger than the area starts at its top left.
// An empty list of areas leaves the window where it is.
QPoint PlaceOnScreen(const QRect &frame, const QList<QRect> &areas);

// The available areas of every screen, the primary one first.
QList<QRect> AvailableScreenAreas();
