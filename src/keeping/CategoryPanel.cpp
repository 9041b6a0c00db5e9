#include "keeping/CategoryPanel.h"

#include "platform/ActivationKey.h"
#include "platform/ColorValue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CategoryPanel::CategoryPanel(int number, QWidget *parent) : QLabel(parent), m_number(number)
{
    setObjectName(QStringLiteral("CategoryPanel%1").arg(number));
    setFixedHeight(PanelHeight);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAutoFillBackground(true);
    setColorValue(0);
}

void CategoryPanel::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(caption);
}

void CategoryPanel::setColorValue(qint32 color)
{
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::Window, ColorValue::toColor(color));
    setPalette(colors);
}

void CategoryPanel::setBold(bool bold)
{
    QFont f = font();
    if (f.bold() == bold)
        return;
    f.setBold(bold);
    setFont(f);
}

void CategoryPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void CategoryPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void CategoryPanel::keyPressEvent(QKeyEvent *event)
{
    if (IsActivationKey(event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CategoryPanel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
