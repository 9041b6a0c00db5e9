#include "services/ColorSwatch.h"

#include "platform/ActivationKey.h"
#include "platform/ColorValue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

ColorSwatch::ColorSwatch(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setToolTip(QStringLiteral("Click to change"));
}

void ColorSwatch::setColorValue(qint32 color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize ColorSwatch::sizeHint() const
{
    return {57, 21};
}

bool ColorSwatch::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QWidget::event(event);
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.setBrush(ColorValue::toColor(m_color));
    painter.drawRect(box);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        option.backgroundColor = ColorValue::toColor(m_color);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed();
}

void ColorSwatch::keyPressEvent(QKeyEvent *event)
{
    if (IsActivationKey(event)) {
        event->accept();
        emit pressed();
        return;
    }
    QWidget::keyPressEvent(event);
}
