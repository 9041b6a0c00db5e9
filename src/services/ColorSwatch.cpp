#include "services/ColorSwatch.h"

#include "platform/ColorValue.h"

#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget *parent) : PressableControl(parent)
{
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
    return PressableControl::event(event);
}

void ColorSwatch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.setBrush(ColorValue::toColor(m_color));
    painter.drawRect(box);
    drawFocus(painter, ColorValue::toColor(m_color));
}

void ColorSwatch::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        PressableControl::mousePressEvent(event); // emits pressed()
        return;
    }
    // Another button presses the swatch too, without holding it down.
    event->accept();
    emit pressed();
}
