#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>
#include <QtGlobal>

// A picture of the given size filled row by row with a vertical gradient from the start
// colour (row 0) towards the end colour, which it would reach one row below the picture.
// Colours are 32-bit colour values; system colours resolve to their current value.
QImage PaintGradient(QSize size, qint32 startColor, qint32 endColor);

// Fills its whole area with PaintGradient; a dialog keeps one behind all its controls.
class GradientPicture : public QWidget
{
    Q_OBJECT

public:
    GradientPicture(qint32 startColor, qint32 endColor, QWidget *parent = nullptr);

    qint32 startColor() const { return m_startColor; }
    qint32 endColor() const { return m_endColor; }
    const QImage &picture() const { return m_picture; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    qint32 m_startColor;
    qint32 m_endColor;
    QImage m_picture;
};
