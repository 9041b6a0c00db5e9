#include "keeping/PlayerPanel.h"

#include "platform/ElidedText.h"

#include <QHelpEvent>
#include <QPainter>

PlayerPanel::PlayerPanel(int number, QWidget *parent) : PressableControl(parent), m_number(number)
{
    setObjectName(QStringLiteral("PlayerButton%1").arg(number));
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setCaption(QStringLiteral("Player %1").arg(number));
    setCurrent(false);
}

void PlayerPanel::setCaption(const QString &caption)
{
    setPlainText(caption);
    setAccessibleName(caption);
    update();
}

void PlayerPanel::setCurrent(bool current)
{
    m_current = current;
    m_lowered = false;
    QFont f = font();
    if (f.bold() != current) {
        f.setBold(current);
        setFont(f);
    }
    update();
}

void PlayerPanel::setLowered()
{
    m_lowered = true;
    update();
}

QFrame::Shape PlayerPanel::frameShape() const
{
    return m_current || showsLowered() ? QFrame::Panel : QFrame::NoFrame;
}

QFrame::Shadow PlayerPanel::frameShadow() const
{
    return showsLowered() ? QFrame::Sunken : QFrame::Raised;
}

QSize PlayerPanel::sizeHint() const
{
    return textSizeHint(frameShape(), frameShadow());
}

QRect PlayerPanel::textArea() const
{
    return frameContents(rect(), frameShape(), frameShadow()).adjusted(1, 0, -1, 0);
}

QFont PlayerPanel::fittedFont(int width) const
{
    QFont f = font();
    // Desktop fonts come in points or in pixels; the name shrinks in the font's own unit.
    const bool inPixels = f.pointSizeF() <= 0;
    qreal size = inPixels ? qreal(f.pixelSize()) : f.pointSizeF();
    const qreal smallest = qMax<qreal>(inPixels ? 8.0 : 6.0, size * 0.7);
    const qreal step = inPixels ? 1.0 : 0.5;
    while (size - step >= smallest && !TextFits(QFontMetrics(f), text(), width)) {
        size -= step;
        if (inPixels)
            f.setPixelSize(int(size));
        else
            f.setPointSizeF(size);
    }
    return f;
}

QString PlayerPanel::shownText() const
{
    const int width = textArea().width();
    return ElideToWidth(QFontMetrics(fittedFont(width)), text(), width);
}

QString PlayerPanel::currentToolTip() const
{
    return ElidedTip(text(), isCut(), toolTip());
}

bool PlayerPanel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        return ShowToolTip(static_cast<QHelpEvent *>(event), this, currentToolTip());
    return PressableControl::event(event);
}

void PlayerPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A name wider than the narrow panel is drawn smaller, down to a size still readable, and
    // only then cut with "…".
    const QRect area = drawFrame(painter, frameShape(), frameShadow()).adjusted(1, 0, -1, 0);
    const QFont f = fittedFont(area.width());
    painter.setFont(f);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, ElideToWidth(QFontMetrics(f), text(), area.width()));
    drawFocus(painter, palette().color(QPalette::Window));
}
