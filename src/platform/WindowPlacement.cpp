#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void CenterWindowOn(QWidget *window, const QWidget *on)
{
    window->winId(); // the platform window knows the frame
    const QRect area = on ? on->frameGeometry()
                                : (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.left() + area.width() / 2 - size.width() / 2, area.top() + area.height() / 2 - size.height() / 2);
}

QSize FirstWindowSize(QSize available, QSize minimum)
{
    const QSize wanted(available.width() * 3 / 4, available.height() * 3 / 4);
    return wanted.boundedTo(available).expandedTo(minimum);
}

QPoint PlaceOnScreen(const QRect &frame, const QList<QRect> &areas)
{
    if (areas.isEmpty())
        return frame.topLeft();
    auto overlap = [&](const QRect &area) {
        const QRect common = area.intersected(frame);
        return qint64(common.width()) * common.height();
    };
    const QRect area = *std::max_element(areas.begin(), areas.end(),
                                         [&](const QRect &a, const QRect &b) { return overlap(a) < overlap(b); });
    // Right and bottom edges first, so that a window too large for the area keeps its top left on it.
    const int left = std::max(area.left(), std::min(frame.left(), area.left() + area.width() - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.top() + area.height() - frame.height()));
    return {left, top};
}

QList<QRect> AvailableScreenAreas()
{
    QList<QRect> areas;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    return areas;
}
