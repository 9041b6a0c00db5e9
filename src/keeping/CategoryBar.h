#pragma once

#include <QWidget>

#include <array>

class CategoryPanel;
class GamesListModel;
class GamesListView;
class QGroupBox;
class QLabel;
class QToolButton;

// The category bar CatBarPanel: the player picture box at the top, the five category panels
// and, between them, the games box of the selected category.
class CategoryBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BarWidth = 169;
    static constexpr int PlayerBoxHeight = 105;

    explicit CategoryBar(QWidget *parent = nullptr);

    // Panels 1..k at the top (k bold), the games box below them, panels k+1..5 at the bottom.
    void stackPanels(int k);
    int stackedCategory() const { return m_stacked; }

    // The panel of category n; panel 1 for any other n.
    CategoryPanel *panelOf(int n) const;

    QGroupBox *playerBox() const { return m_playerBox; }
    QLabel *playerPic() const { return m_playerPic; }
    QToolButton *playerPicAddButton() const { return m_playerPicAddButton; }
    QGroupBox *gamesBox() const { return m_gamesBox; }
    GamesListView *gamesListView() const { return m_gamesListView; }
    GamesListModel *gamesModel() const { return m_gamesModel; }
    QWidget *gamesBoxRightPanel() const { return m_gamesBoxRightPanel; }
    QWidget *gameBoxButtonPanel() const { return m_gameBoxButtonPanel; }
    QToolButton *gameRenameButton() const { return m_renameButton; }
    QToolButton *gameAddButton() const { return m_addButton; }
    QToolButton *gameDeleteButton() const { return m_deleteButton; }

    // GameBoxButtonPanel centred vertically in GamesBoxRightPanel.
    void centreGameButtons();

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layoutBar();
    void chainTabOrder();

    int m_stacked = 1;
    QGroupBox *m_playerBox = nullptr;
    QLabel *m_playerPic = nullptr;
    QToolButton *m_playerPicAddButton = nullptr;
    std::array<CategoryPanel *, 5> m_panels{};
    QGroupBox *m_gamesBox = nullptr;
    GamesListView *m_gamesListView = nullptr;
    GamesListModel *m_gamesModel = nullptr;
    QWidget *m_gamesBoxRightPanel = nullptr;
    QWidget *m_gameBoxButtonPanel = nullptr;
    QToolButton *m_renameButton = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_deleteButton = nullptr;
};
