#pragma once

#include "keeping/PageContext.h"
#include "session/PlayerSession.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class CategoryBar;
class CategoryPage;
class CategoryPanel;
class ColorSwatch;
class GamesListModel;
class GamesListView;
class PictureHandlers;
class PlayerSelection;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;
class RecordsPage;

// The "Maintenance" page: the player selection box, the category bar with the games list, and
// the game area with its inner pages. Runs the handlers of the category bar, the games list and
// the "Category" page; shows each player the session loads.
class MaintenancePage : public ProgramPage
{
    Q_OBJECT

public:
    // Builds the page on MaintenanceSheet.
    explicit MaintenancePage(PageContext &context);
    ~MaintenancePage() override;

    // Controls.
    QWidget *sheet() const { return m_sheet; }
    QGroupBox *playerSelectionBox() const { return m_playerSelectionBox; }
    QToolButton *playerRenameButton() const { return m_playerRenameButton; }
    CategoryBar *categoryBar() const { return m_bar; }
    CategoryPanel *CategoryPanelOf(int n) const;
    GamesListView *gamesListView() const;
    GamesListModel *gamesModel() const;
    QLabel *mainRightPanel() const { return m_mainRightPanel; }
    QWidget *enterControlPanel() const { return m_enterControlPanel; }
    QTabWidget *enterControl() const { return m_enterControl; }
    RecordsPage &recordsPage() const { return *m_recordsPage; }
    QWidget *topSheet() const { return m_topSheet; }
    CategoryPage &categoryPage() const { return *m_categoryPage; }
    PlayerSelection &playerSelection() const { return *m_players; }
    PictureHandlers &pictures() const { return *m_pictures; }

    // The game index of the selected games list row, or -1.
    int selectedGameIndex() const;
    // The game of the selected games list row.
    std::optional<GameRef> selectedGame() const;

    // The title field's text and colour.
    QString title() const;
    qint32 titleColor() const;

    // 0: the category bar at the left edge, 1: at the right edge.
    void placeCategoryBar(int position);

    // Handlers and operations.
    void CategoryPanel1Click(CategoryPanel *sender);
    void FillGamesList();
    void GamesListViewClick();
    void GameAddButtonClick();
    void GameRenameButtonClick();
    void GameDeleteButtonClick();
    void CatTitleEditChange();
    void CatApplyButtonClick();
    void StoreCategoryProperties(int k);
    void ApplyCategoryColors(qint32 color, int k);
    void ShowCategoryProperties(int k);
    void UpdateButtons();

    // The window's resize rules for the controls of this page.
    void resizeRows();

    void retranslate() override;
    void windowResized() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    // The player the session loaded: its categories on the panels, category 1 shown.
    void showLoadedPlayer();
    // Categories renamed by the session: their panels and the Category page show the new names.
    void showRenamedCategories(const QList<int> &categories);
    void chooseColor(ColorSwatch *swatch);
    bool isDuplicate(const QString &name) const;
    // No row left in the games list: the title is emptied and the game area hidden.
    void showNoGame();
    void setGameAreaColor(qint32 color);
    void setGamesListColor(qint32 color);

    // The game area's pages.
    void showGame();
    void clearShownGame();
    void updateRecordButtons();
    void setTitle(const QString &title);
    void setTitleColor(qint32 color);

    PageContext &m_context;
    QWidget *m_sheet;

    QGroupBox *m_playerSelectionBox = nullptr;
    QToolButton *m_playerRenameButton = nullptr;
    QHBoxLayout *m_body = nullptr; // the category bar and the game area side by side
    CategoryBar *m_bar = nullptr;
    QLabel *m_mainRightPanel = nullptr;
    QWidget *m_enterControlPanel = nullptr;
    QTabWidget *m_enterControl = nullptr;
    RecordsPage *m_recordsPage = nullptr;
    QWidget *m_topSheet = nullptr;
    QWidget *m_categorySheet = nullptr;
    CategoryPage *m_categoryPage = nullptr;
    PlayerSelection *m_players = nullptr;
    PictureHandlers *m_pictures = nullptr;
    // True while the page changes the games list's rows or selection and shows the game itself.
    bool m_changingGamesList = false;
};
