#pragma once

#include "platform/HandlerGuard.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <functional>

class CategoryBar;
class CategoryPage;
class CategoryPanel;
class ColorSwatch;
class GamesListModel;
class GamesListView;
class KeepingContext;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QTabWidget;
class QToolButton;
class QWidget;
class RecordsPage;

// The "Maintenance" page: the player selection box, the category bar with the games list, and
// the game area with its inner pages. Runs the handlers of the category bar, the games list and
// the "Category" page.
class MaintenancePage : public QObject
{
    Q_OBJECT

public:
    struct Hooks
    {
        // Sets the main window's CurrentCategory.
        std::function<void(int)> setCurrentCategory;
        // Runs a handler and shows an error it raises; true when it ended well.
        HandlerGuard guarded;
    };

    MaintenancePage(QWidget *sheet, KeepingContext &context, Hooks hooks);
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

    // The game index of the selected games list row, or -1.
    int selectedGameIndex() const;

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

signals:
    // A colour swatch of the "Category" page was pressed.
    void swatchPressed(ColorSwatch *swatch);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void run(const std::function<void()> &handler);
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

    QWidget *m_sheet;
    KeepingContext &m_context;
    Hooks m_hooks;

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
    // True while the page changes the games list's rows or selection and shows the game itself.
    bool m_changingGamesList = false;
};
