#include "keeping/CategoryPanel.h"

#include "platform/ColorValue.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

CategoryPanel::CategoryPanel(int number, QWidget *parent) : PressableControl(parent), m_number(number)
{
    setObjectName(QStringLiteral("CategoryPanel%1").arg(number));
    setFixedHeight(PanelHeight);
    setAutoFillBackground(true);
    setColorValue(0);
}

void CategoryPanel::setCaption(const QString &caption)
{
    setPlainText(caption);
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

QSize CategoryPanel::sizeHint() const
{
    return textSizeHint(QFrame::Panel, QFrame::Raised);
}

void CategoryPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = drawFrame(painter, QFrame::Panel, QFrame::Raised);
    QStyleOption option;
    option.initFrom(this);
    const int direction = text().isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight;
    style()->drawItemText(&painter, area, Qt::AlignCenter | direction, option.palette, isEnabled(), text(),
                          QPalette::WindowText);
    drawFocus(painter, palette().color(QPalette::Window));
}
