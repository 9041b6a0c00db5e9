#pragma once

#include "keeping/PageContext.h"
#include "store/ListRows.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QIcon;
class QToolButton;
class QTreeView;
class QWidget;
class TopListModel;

// The "Top List" page: the list TopView over the page and, at its right edge, the buttons that
// build, print and export it. The page shows the player's stored top list until it is built again.
class TopPage : public ProgramPage
{
    Q_OBJECT

public:
    // Builds the controls on the page (TopSheet).
    explicit TopPage(PageContext &context);
    ~TopPage() override;

    QWidget *sheet() const { return m_sheet; }
    QTreeView *topView() const { return m_topView; }
    TopListModel *model() const { return m_model; }
    QToolButton *updateButton() const { return m_updateButton; }
    QToolButton *printPreviewButton() const { return m_printPreviewButton; }
    QToolButton *printButton() const { return m_printButton; }
    QToolButton *expCsvButton() const { return m_expCsvButton; }

    // The rows shown.
    const RowList &rows() const;
    // Shows the rows (the player's stored list after a load).
    void showList(const RowList &rows);

    // Handlers.
    void TopUpdateButtonClick();
    void TopExpCSVButtonClick();
    void TopViewChange();

    // The titles of the first five columns: No., Game, Points, Date, Comment.
    void setColumnCaptions(const QStringList &captions);
    // The same from the language script ("Captions").
    void retranslateColumns();
    void retranslate() override { retranslateColumns(); }
    void windowResized() override { resizeColumns(); }
    // The comment column takes the list's width minus 410 pixels, and at least 100.
    void resizeColumns();

signals:
    void printPreviewRequested();
    void printRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();

    QWidget *m_sheet;
    PageContext &m_context;
    QTreeView *m_topView = nullptr;
    TopListModel *m_model = nullptr;
    QToolButton *m_updateButton = nullptr;
    QToolButton *m_printPreviewButton = nullptr;
    QToolButton *m_printButton = nullptr;
    QToolButton *m_expCsvButton = nullptr;
};
