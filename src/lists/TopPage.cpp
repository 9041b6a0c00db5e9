#include "lists/TopPage.h"

#include "session/PlayerSession.h"
#include "services/ListCsvExport.h"
#include "lists/TopList.h"
#include "lists/TopListModel.h"
#include "platform/Dialogs.h"
#include "platform/PictureButton.h"
#include "services/TransProg.h"
#include "store/AppError.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int TopListLast = 4;
// Room the list keeps beside the comment column: the four columns before it and the frame.
constexpr int CommentColumnSpare = 410;
// A narrower list still shows some of the comment; the list then scrolls sideways.
constexpr int MinCommentWidth = 100;

} // namespace

TopPage::TopPage(PageContext &context)
    : ProgramPage(context.sheet(QStringLiteral("TopSheet"))),
      m_sheet(context.sheet(QStringLiteral("TopSheet"))),
      m_context(context)
{
    build();
    retranslateColumns();
    TopViewChange();
    connect(&m_context.session, &PlayerSession::topListChanged, this,
            [this] { showList(m_context.session.data().topView); });
}

TopPage::~TopPage()
{
    // The controls belong to the sheet and may outlive this object by a moment.
    m_model->setLineColors(nullptr);
    m_topView->removeEventFilter(this);
}

void TopPage::build()
{
    auto *layout = new QHBoxLayout(m_sheet);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    m_topView = new QTreeView(m_sheet);
    m_topView->setObjectName(QStringLiteral("TopView"));
    m_topView->setAccessibleName(QStringLiteral("Top List"));
    m_model = new TopListModel([this] { return m_context.lineColors(); }, m_topView);
    m_topView->setModel(m_model);
    m_topView->setRootIsDecorated(false);
    m_topView->setItemsExpandable(false);
    m_topView->setUniformRowHeights(true);
    m_topView->setAllColumnsShowFocus(true);
    m_topView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_topView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_topView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_topView->setSortingEnabled(false);
    QHeaderView *header = m_topView->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(0);
    header->resizeSection(TopListModel::RankColumn, 40);
    header->resizeSection(TopListModel::GameColumn, 150);
    header->resizeSection(TopListModel::PointsColumn, 100);
    header->resizeSection(TopListModel::DateColumn, 100);
    header->resizeSection(TopListModel::DateNoColumn, 0);
    header->hideSection(TopListModel::DateNoColumn);
    m_topView->installEventFilter(this);
    layout->addWidget(m_topView, 1);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    m_updateButton = MakePictureButton(m_sheet, QStringLiteral("TopUpdateButton"), QStringLiteral("Create list"),
                                ThemeIcon(m_sheet, "view-refresh", QStyle::SP_BrowserReload));
    m_printPreviewButton = MakePictureButton(m_sheet, QStringLiteral("TopPrintPreviewButton"), QStringLiteral("Print preview"),
                                      ThemeIcon(m_sheet, "document-print-preview", QStyle::SP_FileDialogContentsView));
    m_printButton = MakePictureButton(m_sheet, QStringLiteral("TopPrintButton"), QStringLiteral("Print"),
                               ThemeIcon(m_sheet, "document-print", QStyle::SP_DriveFDIcon));
    m_expCsvButton = MakePictureButton(m_sheet, QStringLiteral("TopExpCSVButton"), QStringLiteral("Export list to CSV file"),
                                ThemeIcon(m_sheet, "document-export", QStyle::SP_DialogSaveButton));
    for (QToolButton *button : {m_updateButton, m_printPreviewButton, m_printButton, m_expCsvButton})
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    ConnectHandler(m_updateButton, &QToolButton::clicked, this, m_context, [this] { TopUpdateButtonClick(); });
    ConnectHandler(m_expCsvButton, &QToolButton::clicked, this, m_context, [this] { TopExpCSVButtonClick(); });
    connect(m_printPreviewButton, &QToolButton::clicked, this, &TopPage::printPreviewRequested);
    connect(m_printButton, &QToolButton::clicked, this, &TopPage::printRequested);
}

const RowList &TopPage::rows() const
{
    return m_model->rows();
}

void TopPage::showList(const RowList &rows)
{
    m_model->setRows(rows);
    TopViewChange();
}

void TopPage::TopViewChange()
{
    const bool hasRows = m_model->rowCount() > 0;
    for (QToolButton *button : {m_printPreviewButton, m_printButton, m_expCsvButton})
        button->setEnabled(hasRows);
}

void TopPage::TopUpdateButtonClick()
{
    // Built whole before it replaces anything: a damaged value leaves the shown list as it was.
    PlayerSession &session = m_context.session;
    // The session's change shows the new list.
    session.setTopList(TopList::buildRows(session.data().dataView, session.currentCategory(), m_context.progress));
}

void TopPage::TopExpCSVButtonClick()
{
    const QString path = chooseCsvPath(m_context.saveDialog);
    if (path.isEmpty())
        return;
    ExportListToCsv(shownCaptions(*m_model), shownRows(*m_model), TopListLast, path);
}

void TopPage::setColumnCaptions(const QStringList &captions)
{
    for (int column = 0; column < qMin<qsizetype>(captions.size(), TopListModel::DateNoColumn); ++column)
        m_model->setHeaderData(column, Qt::Horizontal, captions[column]);
}

void TopPage::retranslateColumns()
{
    const QString section = QStringLiteral("Captions");
    QStringList captions;
    for (const char *key : {"No.", "Game", "Points", "Date", "Comment"})
        captions.append(LngText(section, QLatin1String(key)));
    setColumnCaptions(captions);
}

void TopPage::resizeColumns()
{
    m_topView->header()->resizeSection(TopListModel::CommentColumn,
                                       qMax(MinCommentWidth, m_topView->width() - CommentColumnSpare));
}

bool TopPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_topView && event->type() == QEvent::Resize)
        resizeColumns();
    return QObject::eventFilter(watched, event);
}
