#include "keeping/PlayerPanel.h"

#include "platform/ActivationKey.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

PlayerPanel::PlayerPanel(int number, QWidget *parent) : QLabel(parent), m_number(number)
{
    setObjectName(QStringLiteral("PlayerButton%1").arg(number));
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setCaption(QStringLiteral("Player %1").arg(number));
    setCurrent(false);
}

void PlayerPanel::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(caption);
    setToolTip(caption); // a long name is cut on the narrow panel
}

void PlayerPanel::setCurrent(bool current)
{
    m_current = current;
    setFrameShape(current ? QFrame::Panel : QFrame::NoFrame);
    setFrameShadow(QFrame::Raised);
    QFont f = font();
    if (f.bold() != current) {
        f.setBold(current);
        setFont(f);
    }
}

void PlayerPanel::setLowered()
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
}

void PlayerPanel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    emit pressed();
}

void PlayerPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (!wasPressed || event->button() != Qt::LeftButton)
        return;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
    else
        setCurrent(m_current); // let go elsewhere: the border it had
}

void PlayerPanel::keyPressEvent(QKeyEvent *event)
{
    if (IsActivationKey(event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void PlayerPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event); // the border
    QPainter painter(this);
    // A name wider than the narrow panel is drawn smaller, down to a size still readable, and
    // only then cut with an ellipsis.
    const QRect area = contentsRect().adjusted(1, 0, -1, 0);
    QFont f = font();
    // Desktop fonts come in points or in pixels; the name shrinks in the font's own unit.
    const bool inPixels = f.pointSizeF() <= 0;
    qreal size = inPixels ? qreal(f.pixelSize()) : f.pointSizeF();
    const qreal smallest = qMax<qreal>(inPixels ? 8.0 : 6.0, size * 0.7);
    const qreal step = inPixels ? 1.0 : 0.5;
    while (size - step >= smallest && QFontMetrics(f).elidedText(text(), Qt::ElideRight, area.width()) != text()) {
        size -= step;
        if (inPixels)
            f.setPixelSize(int(size));
        else
            f.setPointSizeF(size);
    }
    painter.setFont(f);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, Qt::AlignCenter, QFontMetrics(f).elidedText(text(), Qt::ElideRight, area.width()));
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(2, 2, -2, -2);
    option.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
