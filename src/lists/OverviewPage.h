#pragma once

#include "keeping/PageContext.h"
#include "lists/OverviewFilters.h"
#include "store/ListRows.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class OverviewGridView;
class QComboBox;
class QGroupBox;
class QLabel;
class QStringListModel;
class QToolButton;
class QWidget;

// The "Overview" page: the buttons to build, print and export the overview, the two grids that
// show its rows and the three filters below them. The rows themselves are the session's.
class OverviewPage : public ProgramPage
{
    Q_OBJECT

public:
    // Builds the page on OverviewSheet; it shows the session's overview and player names.
    explicit OverviewPage(PageContext &context);
    ~OverviewPage() override;

    // Controls.
    QWidget *sheet() const { return m_sheet; }
    QToolButton *updateButton() const { return m_updateButton; }
    QToolButton *printPreviewButton() const { return m_printPreviewButton; }
    QToolButton *printButton() const { return m_printButton; }
    QToolButton *exportCsvButton() const { return m_expCsvButton; }
    OverviewGridView *gamesGrid() const { return m_gamesGrid; }
    OverviewGridView *pointsGrid() const { return m_pointsGrid; }
    QComboBox *gameFilterCombo() const { return m_gameFilter; }
    QComboBox *categoryFilterCombo() const { return m_categoryFilter; }
    QComboBox *bestPlayerFilterCombo() const { return m_bestPlayerFilter; }
    QLabel *itemsPanel() const { return m_itemsPanel; }

    // Handlers and operations.
    void OverviewUpdateButtonClick();
    void OverviewExpCSVButtonClick();
    void GameFilterComboClick();
    void CategoryFilterComboClick();
    void OVPointsGridTopLeftChanged();
    void FillOverviewGrids();
    void FillOverviewFilters();
    void UpdateOverviewButtons();


    // Header cells 0..9 of OVPointsGrid: the ten player names.
    void setPlayerNames(const QStringList &names);
    QStringList playerNames() const;
    // Header cells 0..2 of OVGamesGrid (No., Game, Category) and cell 10 of OVPointsGrid (Best).
    void setHeaderTexts(const QStringList &gamesCells, const QString &bestCell);
    // The same from the language script ("Captions").
    void retranslate() override;

    // The number of rows shown, as the item count tells it.
    int itemCount() const;
    // The grids' header texts and shown rows, as one line of fields each: No., Game, Category,
    // the ten players, Best.
    QStringList shownHeader() const;
    QList<QStringList> shownRows() const;

signals:
    void printPreviewRequested();
    void printRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void connectHandlers();
    void layoutGrids();
    void fillCombo(QComboBox *combo, QStringListModel *model, const QStringList &entries);
    void retranslateFilterTexts();
    void showItemCount();
    Overview::FilterChoice filterChoice() const;

    QWidget *m_sheet;
    PageContext &m_context;
    bool m_syncingScroll = false;

    QWidget *m_gridArea = nullptr;
    OverviewGridView *m_gamesGrid = nullptr;
    OverviewGridView *m_pointsGrid = nullptr;
    QToolButton *m_updateButton = nullptr;
    QToolButton *m_printPreviewButton = nullptr;
    QToolButton *m_printButton = nullptr;
    QToolButton *m_expCsvButton = nullptr;
    QGroupBox *m_filterBox = nullptr;
    QComboBox *m_gameFilter = nullptr;
    QComboBox *m_categoryFilter = nullptr;
    QComboBox *m_bestPlayerFilter = nullptr;
    QStringListModel *m_gameFilterModel = nullptr;
    QStringListModel *m_categoryFilterModel = nullptr;
    QStringListModel *m_bestPlayerFilterModel = nullptr;
    QLabel *m_itemsPanel = nullptr;
};
