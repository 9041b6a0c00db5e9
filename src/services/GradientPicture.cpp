#include "services/GradientPicture.h"

#include "platform/ColorValue.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The channel value of one row; halves round to the even neighbour.
int gradientChannel(int start, int end, int height, int row)
{
    const double value = std::nearbyint(double(end - start) * (1.0 / height) * row + start);
    return std::clamp(int(value), 0, 255);
}

} // namespace

QImage PaintGradient(QSize size, qint32 startColor, qint32 endColor)
{
    if (size.isEmpty())
        return QImage();
    QImage picture(size, QImage::Format_RGB32);
    const QColor start = ColorValue::toColor(startColor);
    const QColor end = ColorValue::toColor(endColor);
    const int height = size.height();
    for (int row = 0; row < height; ++row) {
        const QRgb rgb = qRgb(gradientChannel(start.red(), end.red(), height, row),
                              gradientChannel(start.green(), end.green(), height, row),
                              gradientChannel(start.blue(), end.blue(), height, row));
        QRgb *line = reinterpret_cast<QRgb *>(picture.scanLine(row));
        std::fill(line, line + size.width(), rgb);
    }
    return picture;
}

GradientPicture::GradientPicture(qint32 startColor, qint32 endColor, QWidget *parent)
    : QWidget(parent), m_startColor(startColor), m_endColor(endColor)
{
    setObjectName(QStringLiteral("GradientPicture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void GradientPicture::resizeEvent(QResizeEvent *event)
{
    m_picture = PaintGradient(size(), m_startColor, m_endColor);
    QWidget::resizeEvent(event);
}

void GradientPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
