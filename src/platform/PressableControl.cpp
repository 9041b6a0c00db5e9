#include "platform/PressableControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>

namespace {

QStyleOptionFrame frameOption(const QWidget *widget, const QRect &rect, QFrame::Shape shape, QFrame::Shadow shadow)
{
    QStyleOptionFrame option;
    option.initFrom(widget);
    option.rect = rect;
    option.frameShape = shape;
    option.lineWidth = shape == QFrame::NoFrame ? 0 : 1;
    option.midLineWidth = 0;
    if (shadow == QFrame::Sunken)
        option.state |= QStyle::State_Sunken;
    else if (shadow == QFrame::Raised)
        option.state |= QStyle::State_Raised;
    return option;
}

} // namespace

PressableControl::PressableControl(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setBackgroundRole(QPalette::Window);
    setForegroundRole(QPalette::WindowText);
}

void PressableControl::setPlainText(const QString &text)
{
    setText(text);
    setShortcut(QKeySequence());
}

QRect PressableControl::frameContents(const QRect &rect, QFrame::Shape shape, QFrame::Shadow shadow) const
{
    const QStyleOptionFrame option = frameOption(this, rect, shape, shadow);
    return style()->subElementRect(QStyle::SE_ShapedFrameContents, &option, this);
}

QRect PressableControl::drawFrame(QPainter &painter, QFrame::Shape shape, QFrame::Shadow shadow) const
{
    const QStyleOptionFrame option = frameOption(this, rect(), shape, shadow);
    style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
    return style()->subElementRect(QStyle::SE_ShapedFrameContents, &option, this);
}

QSize PressableControl::textSizeHint(QFrame::Shape shape, QFrame::Shadow shadow) const
{
    const QRect outer(0, 0, 100, 100);
    const QSize frame = outer.size() - frameContents(outer, shape, shadow).size();
    const QSize textSize = fontMetrics().boundingRect(QRect(0, 0, 2000, 2000), 0, text()).size();
    return (textSize + frame).expandedTo(minimumSize());
}

void PressableControl::drawFocus(QPainter &painter, const QColor &background) const
{
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    option.backgroundColor = background;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void PressableControl::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    event->accept();
}

void PressableControl::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractButton::mouseReleaseEvent(event);
    event->accept();
}

void PressableControl::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat())
            break;
        event->accept();
        click();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        break;
    default:
        QAbstractButton::keyPressEvent(event); // Space presses, its release clicks
        return;
    }
    QWidget::keyPressEvent(event);
}
