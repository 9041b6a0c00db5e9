#pragma once

#include <QListView>

// The visible games list: one column, whole-row single selection, read-only. A press on the
// empty area below the rows keeps the selection, so a game stays shown until another is chosen.
class GamesListView : public QListView
{
    Q_OBJECT

public:
    explicit GamesListView(QWidget *parent = nullptr);

    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
