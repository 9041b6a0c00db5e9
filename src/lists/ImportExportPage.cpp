#include "lists/ImportExportPage.h"

#include "keeping/PlayerLoading.h"
#include "session/PlayerSession.h"
#include "lists/PlayerExchange.h"
#include "platform/Dialogs.h"
#include "platform/PictureButton.h"
#include "store/ProgressSteps.h"
#include "platform/RadioGroup.h"
#include "platform/SharedFileDialog.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/PlayerFiles.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int StepPictureSize = 32;

// Any file can be an exchange file, whatever its name.
QString exchangeFilter()
{
    return LngText(QStringLiteral("Captions"), QStringLiteral("All files")) + QStringLiteral(" (*.*)|*.*");
}

QString messageText(const char *key)
{
    return LngText(QStringLiteral("Messages"), QLatin1String(key));
}

enum class Step { Task, Path, Player, Button };

// The pictures that mark the four steps, drawn so that they look alike on every desktop.
QPixmap drawStep(Step step)
{
    QPixmap pixmap(StepPictureSize, StepPictureSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 70, 130);
    const QColor fill(200, 220, 250);
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (step) {
    case Step::Task: // two arrows, out and in
        p.drawLine(QPointF(5, 11), QPointF(26, 11));
        p.drawPolyline(QPolygonF({QPointF(20, 5), QPointF(26, 11), QPointF(20, 17)}));
        p.drawLine(QPointF(6, 22), QPointF(27, 22));
        p.drawPolyline(QPolygonF({QPointF(12, 16), QPointF(6, 22), QPointF(12, 28)}));
        break;
    case Step::Path: // a sheet with a folded corner
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(7, 3), QPointF(19, 3), QPointF(26, 10), QPointF(26, 29), QPointF(7, 29)}));
        p.drawPolyline(QPolygonF({QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)}));
        p.setPen(QPen(ink, 1.5));
        for (int y : {15, 19, 23})
            p.drawLine(QPointF(11, y), QPointF(22, y));
        break;
    case Step::Player: // head and shoulders
        p.setBrush(fill);
        p.drawEllipse(QPointF(16, 10), 5.5, 5.5);
        p.drawChord(QRectF(5, 18, 22, 22), 0, 180 * 16);
        break;
    case Step::Button: // a pressed button
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(3, 9, 26, 14), 3, 3);
        p.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(10, 16), QPointF(14, 20), QPointF(22, 11)}));
        break;
    }
    return pixmap;
}

// The small picture that marks a step at its left.
QLabel *stepPicture(const char *name, Step step, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(drawStep(step));
    label->setFixedSize(StepPictureSize + 4, StepPictureSize + 4);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QGroupBox *stepBox(const char *name, const char *caption, QWidget *parent)
{
    auto *box = new QGroupBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QPushButton *taskButton(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QPushButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(120);
    button->setEnabled(false);
    return button;
}

} // namespace

ImportExportPage::ImportExportPage(PageContext &context)
    : ProgramPage(context.sheet(QStringLiteral("ImportExportSheet"))),
      m_sheet(context.sheet(QStringLiteral("ImportExportSheet"))),
      m_context(context)
{
    build();
    retranslate();
    TaskBoxClick();
    FilePathEditChange();
    connect(&m_context.session, &PlayerSession::playerNamesChanged, this,
            [this] { setPlayerNames(m_context.session.playerNames()); });
}

void ImportExportPage::build()
{
    m_box = new QGroupBox(QStringLiteral("Export / import records data"), m_sheet);
    m_box->setObjectName(QStringLiteral("ImportExportBox"));
    auto *steps = new QGridLayout(m_box);
    steps->setContentsMargins(10, 8, 10, 10);
    steps->setHorizontalSpacing(10);
    steps->setVerticalSpacing(8);
    steps->setColumnMinimumWidth(1, 300);

    m_taskBox = new RadioGroup(m_box);
    m_taskBox->setObjectName(QStringLiteral("TaskBox"));
    m_taskBox->setTitle(QStringLiteral("Select task"));
    m_taskBox->setItems({QStringLiteral("Export"), QStringLiteral("Import")});
    m_taskBox->setColumns(2);
    m_taskBox->setItemIndex(Export);
    steps->addWidget(stepPicture("TaskPicture", Step::Task, m_box), 0, 0);
    steps->addWidget(m_taskBox, 0, 1);

    QGroupBox *pathBox = stepBox("IEPathBox", "Enter filename", m_box);
    auto *pathRow = new QHBoxLayout(pathBox);
    m_filePathEdit = new QLineEdit(pathBox);
    m_filePathEdit->setObjectName(QStringLiteral("FilePathEdit"));
    m_filePathEdit->setReadOnly(true);
    pathRow->addWidget(m_filePathEdit, 1);
    m_findPathButton = MakePictureButton(pathBox, QStringLiteral("FindPathButton"), QStringLiteral("Open file"),
                                         ThemeIcon(pathBox, "document-open", QStyle::SP_DialogOpenButton));
    pathRow->addWidget(m_findPathButton);
    steps->addWidget(stepPicture("PathPicture", Step::Path, m_box), 1, 0);
    steps->addWidget(pathBox, 1, 1);

    QGroupBox *playerBox = stepBox("IEPlayerSelectionBox", "Select player", m_box);
    auto *playerRow = new QHBoxLayout(playerBox);
    m_playerCombo = new QComboBox(playerBox);
    m_playerCombo->setObjectName(QStringLiteral("IEPlayerCombo"));
    m_playerCombo->setEditable(false);
    playerRow->addWidget(m_playerCombo, 1);
    steps->addWidget(stepPicture("PlayerPicture", Step::Player, m_box), 2, 0);
    steps->addWidget(playerBox, 2, 1);

    QGroupBox *buttonBox = stepBox("LadeKnopfBox", "Press task button", m_box);
    auto *buttonCell = new QGridLayout(buttonBox);
    m_exportButton = taskButton("ExportButton", "Export", buttonBox);
    m_importButton = taskButton("ImportButton", "Import", buttonBox);
    // One place for both; only the chosen task's button shows.
    buttonCell->addWidget(m_exportButton, 0, 0, Qt::AlignLeft);
    buttonCell->addWidget(m_importButton, 0, 0, Qt::AlignLeft);
    steps->addWidget(stepPicture("ButtonPicture", Step::Button, m_box), 3, 0);
    steps->addWidget(buttonBox, 3, 1);

    // The box centred on the page.
    auto *page = new QGridLayout(m_sheet);
    page->setRowStretch(0, 1);
    page->setRowStretch(2, 1);
    page->setColumnStretch(0, 1);
    page->setColumnStretch(2, 1);
    page->addWidget(m_box, 1, 1);

    connect(m_taskBox, &RadioGroup::clicked, this, [this] { TaskBoxClick(); });
    ConnectHandler(m_findPathButton, &QToolButton::clicked, this, m_context, [this] { FindPathButtonClick(); });
    connect(m_filePathEdit, &QLineEdit::textChanged, this, [this] { FilePathEditChange(); });
    ConnectHandler(m_exportButton, &QPushButton::clicked, this, m_context, [this] { ExportButtonClick(); });
    ConnectHandler(m_importButton, &QPushButton::clicked, this, m_context, [this] { ImportButtonClick(); });
}

void ImportExportPage::retranslate()
{
    m_filePathEdit->setAccessibleName(qobject_cast<QGroupBox *>(m_filePathEdit->parentWidget())->title());
    m_playerCombo->setAccessibleName(qobject_cast<QGroupBox *>(m_playerCombo->parentWidget())->title());
    m_findPathButton->setAccessibleName(m_findPathButton->toolTip());
}

void ImportExportPage::setPlayerNames(const QStringList &names)
{
    m_playerCombo->clear();
    m_playerCombo->addItems(names);
    m_playerCombo->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

int ImportExportPage::chosenPlayer() const
{
    return m_playerCombo->currentIndex() + 1;
}

void ImportExportPage::setProgress(int position)
{
    ProgressSteps(m_context.progress, 100).reach(position);
}

void ImportExportPage::TaskBoxClick()
{
    const int task = m_taskBox->itemIndex();
    m_exportButton->setVisible(task == Export);
    m_importButton->setVisible(task == Import);
}

void ImportExportPage::FindPathButtonClick()
{
    SharedFileDialog &dialog = m_taskBox->itemIndex() == Import ? m_context.openDialog : m_context.saveDialog;
    // The dialog is shared with other pages: its filter is set anew each time.
    dialog.setFilter(exchangeFilter());
    dialog.setFilterIndex(1);
    const QString path = dialog.execute();
    if (!path.isEmpty())
        m_filePathEdit->setText(path);
}

void ImportExportPage::FilePathEditChange()
{
    const bool hasPath = !m_filePathEdit->text().isEmpty();
    m_exportButton->setEnabled(hasPath);
    m_importButton->setEnabled(hasPath);
}

void ImportExportPage::ExportButtonClick()
{
    const int player = chosenPlayer();
    const QString target = m_filePathEdit->text();
    if (player < 1 || target.isEmpty())
        return;
    PlayerSession &session = m_context.session;
    // The player's files are read: no autosave meanwhile.
    const PlayerSession::Busy busy(session);
    // The files take the current player's latest scores first, as the overview does.
    if (session.currentPlayer() == player)
        session.save();
    if (!PlayerExchange::exportPlayer(session.files(), player, target,
                                      [this](int position) { setProgress(position); }))
        return;
    m_context.dialogs.msgBox(messageText("The data of %1 were exported to %2.")
                                 .arg(session.playerName(player), QDir::toNativeSeparators(target)),
                             QString(), QStringLiteral("i"));
}

bool ImportExportPage::confirmImport(int player)
{
    Dialogs &dialogs = m_context.dialogs;
    const PlayerSession &session = m_context.session;
    if (QFileInfo::exists(session.files().recordsPath(player)))
        return dialogs.msgBox(QStringLiteral("The data file for this player already exists. Overwrite?"), QString(),
                              QStringLiteral("c"));
    // The shown player is loaded again from the imported files: games never saved would be lost.
    const bool shown = session.currentPlayer() == player;
    if (shown && session.data().dataView.hasGames())
        return dialogs.msgBox(LngText(QStringLiteral("Messages"),
                                      QStringLiteral("The data of this player that have not been saved yet will be "
                                                     "replaced by the imported data. Continue?")),
                              QString(), QStringLiteral("c"));
    return true;
}

void ImportExportPage::ImportButtonClick()
{
    const int player = chosenPlayer();
    const QString source = m_filePathEdit->text();
    if (player < 1 || source.isEmpty())
        return;
    PlayerSession &session = m_context.session;
    // A player's files are written and may be loaded again: no autosave meanwhile.
    const PlayerSession::Busy busy(session);
    const bool imported = PlayerExchange::importPlayer(
        source, session.files(), player, [&] { return confirmImport(player); },
        [this](int position) { setProgress(position); });
    // The shown player is loaded again from its new files, category 1 selected.
    if (!imported)
        return;
    if (session.currentPlayer() == player)
        LoadPlayer(m_context, player);
    m_context.dialogs.msgBox(messageText("The file %1 was imported as the data of %2.")
                                 .arg(QDir::toNativeSeparators(source), session.playerName(player)),
                             QString(), QStringLiteral("i"));
}
