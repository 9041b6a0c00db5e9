#include "platform/ElidedText.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

bool TextFits(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.horizontalAdvance(text) <= width;
}

QString ElideToWidth(const QFontMetrics &metrics, const QString &text, int width)
{
    if (TextFits(metrics, text, width))
        return text;
    return metrics.elidedText(text, Qt::ElideRight, qMax(0, width));
}

QString ElidedTip(const QString &text, bool cut, const QString &hint)
{
    if (!cut)
        return hint;
    if (hint.isEmpty() || hint == text)
        return text;
    return text + u'\n' + hint;
}

bool ShowToolTip(QHelpEvent *event, QWidget *widget, const QString &tip)
{
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(event->globalPos(), tip, widget);
    }
    return true;
}

ElidingLabel::ElidingLabel(QWidget *parent) : QLabel(parent)
{
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
}

QString ElidingLabel::shownText() const
{
    return ElideToWidth(fontMetrics(), text(), contentsRect().width() - 2 * margin());
}

QSize ElidingLabel::sizeHint() const
{
    return QSize(minimumSizeHint().width(), QLabel::sizeHint().height());
}

QSize ElidingLabel::minimumSizeHint() const
{
    const QMargins frame = contentsMargins();
    const int room = fontMetrics().horizontalAdvance(QStringLiteral("…")) + 2 * margin();
    return QSize(room + frame.left() + frame.right(), QLabel::minimumSizeHint().height());
}

bool ElidingLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        return ShowToolTip(static_cast<QHelpEvent *>(event), this, currentToolTip());
    return QLabel::event(event);
}

void ElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    painter.drawText(area, int(alignment()) | Qt::TextSingleLine, shownText());
}

bool ElideTipDelegate::textCut(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if (item.text.isEmpty())
        return false;
    const QWidget *widget = item.widget;
    const QStyle *style = widget ? widget->style() : nullptr;
    if (!style)
        return false;
    // The style draws the text into its text rectangle, a focus margin inside each end.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return !TextFits(item.fontMetrics, item.text, textRect.width() - 2 * margin);
}

QString ElideTipDelegate::toolTipText(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return ElidedTip(index.data(Qt::DisplayRole).toString(), textCut(option, index),
                     index.data(Qt::ToolTipRole).toString());
}

bool ElideTipDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                 const QModelIndex &index)
{
    if (!event || !view || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem item(option);
    if (!item.widget)
        item.widget = view;
    return ShowToolTip(event, view, toolTipText(item, index));
}
