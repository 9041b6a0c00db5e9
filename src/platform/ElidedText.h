#pragma once

#include <QLabel>
#include <QString>
#include <QStyledItemDelegate>

class QFontMetrics;
class QHelpEvent;

// Whether the text, on one line, fits into width pixels of that font.
bool TextFits(const QFontMetrics &metrics, const QString &text, int width);
// The text as it fits into width pixels: whole, or its beginning and "…".
QString ElideToWidth(const QFontMetrics &metrics, const QString &text, int width);
// The tooltip of a text that may be shown cut: the whole text when cut, with the control's hint
// below it; the hint alone otherwise.
QString ElidedTip(const QString &text, bool cut, const QString &hint);
// Answers a tooltip event with that tooltip, or with none when it is empty.
bool ShowToolTip(QHelpEvent *event, QWidget *widget, const QString &tip);

// A one-line label that ends a text too long for it with "…" and then shows the whole text in
// its tooltip, beside the hint set with setToolTip(). Its size does not grow with the text.
class ElidingLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidingLabel(QWidget *parent = nullptr);

    // The text as drawn now.
    QString shownText() const;
    bool isCut() const { return shownText() != text(); }
    // The tooltip a pointer resting on the label gets.
    QString currentToolTip() const { return ElidedTip(text(), isCut(), toolTip()); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

// Item drawing as the style does it; a pointer resting on a row whose text is cut gets the
// whole text (with the row's own tooltip, if any) as tooltip.
class ElideTipDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Whether the item's text is drawn cut in an item laid out by that option.
    bool textCut(const QStyleOptionViewItem &option, const QModelIndex &index) const;
    // The tooltip the item gets in that option: see ElidedTip.
    QString toolTipText(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
};
