#pragma once

#include <QListView>

class ElideTipDelegate;

// The visible games list: one column, whole-row single selection, read-only. A press on the
// empty area below the rows keeps the selection, and a selected row cannot be deselected, so a
// game stays shown until another is chosen.
class GamesListView : public QListView
{
    Q_OBJECT

public:
    explicit GamesListView(QWidget *parent = nullptr);

    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);
    // The tooltip a pointer resting on the row gets: the whole name when it is shown cut.
    QString rowToolTip(int row) const;
    // Whether the row's name is shown cut, ending in "…".
    bool rowCut(int row) const;

signals:
    // A click on the row that was already selected when the button went down.
    void selectedRowClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;

private:
    QStyleOptionViewItem rowOption(const QModelIndex &index) const;

    ElideTipDelegate *m_delegate;
    bool m_pressedOnSelected = false;
};
