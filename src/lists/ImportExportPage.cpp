#include "lists/ImportExportPage.h"

#include "keeping/KeepingContext.h"
#include "lists/PlayerExchange.h"
#include "platform/Dialogs.h"
#include "platform/RadioGroup.h"
#include "platform/SharedFileDialog.h"
#include "services/TransProg.h"
#include "store/AppError.h"
#include "store/PlayerFiles.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

constexpr int StepPictureSize = 32;

QIcon standardIcon(QWidget *widget, const char *themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), widget->style()->standardIcon(fallback, nullptr, widget));
}

// The small picture that marks a step at its left.
QLabel *stepPicture(const char *name, const QIcon &icon, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(icon.pixmap(StepPictureSize, StepPictureSize));
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

ImportExportPage::ImportExportPage(QWidget *sheet, KeepingContext &context, const PlayerFiles &files, Hooks hooks)
    : QObject(sheet), m_sheet(sheet), m_context(context), m_files(files), m_hooks(std::move(hooks))
{
    build();
    retranslate();
    TaskBoxClick();
    FilePathEditChange();
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
    steps->addWidget(stepPicture("TaskPicture", standardIcon(m_box, "view-list-details", QStyle::SP_FileDialogListView),
                                 m_box),
                     0, 0);
    steps->addWidget(m_taskBox, 0, 1);

    QGroupBox *pathBox = stepBox("IEPathBox", "Enter filename", m_box);
    auto *pathRow = new QHBoxLayout(pathBox);
    m_filePathEdit = new QLineEdit(pathBox);
    m_filePathEdit->setObjectName(QStringLiteral("FilePathEdit"));
    m_filePathEdit->setReadOnly(true);
    pathRow->addWidget(m_filePathEdit, 1);
    m_findPathButton = new QToolButton(pathBox);
    m_findPathButton->setObjectName(QStringLiteral("FindPathButton"));
    m_findPathButton->setToolTip(QStringLiteral("Open file"));
    m_findPathButton->setAccessibleName(QStringLiteral("Open file"));
    m_findPathButton->setIcon(standardIcon(m_findPathButton, "document-open", QStyle::SP_DialogOpenButton));
    m_findPathButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_findPathButton->setFocusPolicy(Qt::StrongFocus);
    m_findPathButton->setFixedSize(26, 26);
    pathRow->addWidget(m_findPathButton);
    steps->addWidget(stepPicture("PathPicture", standardIcon(m_box, "folder-open", QStyle::SP_DirOpenIcon), m_box), 1,
                     0);
    steps->addWidget(pathBox, 1, 1);

    QGroupBox *playerBox = stepBox("IEPlayerSelectionBox", "Select player", m_box);
    auto *playerRow = new QHBoxLayout(playerBox);
    m_playerCombo = new QComboBox(playerBox);
    m_playerCombo->setObjectName(QStringLiteral("IEPlayerCombo"));
    m_playerCombo->setEditable(false);
    playerRow->addWidget(m_playerCombo, 1);
    steps->addWidget(stepPicture("PlayerPicture", standardIcon(m_box, "user-identity", QStyle::SP_DirHomeIcon), m_box),
                     2, 0);
    steps->addWidget(playerBox, 2, 1);

    QGroupBox *buttonBox = stepBox("LadeKnopfBox", "Press task button", m_box);
    auto *buttonCell = new QGridLayout(buttonBox);
    m_exportButton = taskButton("ExportButton", "Export", buttonBox);
    m_importButton = taskButton("ImportButton", "Import", buttonBox);
    // One place for both; only the chosen task's button shows.
    buttonCell->addWidget(m_exportButton, 0, 0, Qt::AlignLeft);
    buttonCell->addWidget(m_importButton, 0, 0, Qt::AlignLeft);
    steps->addWidget(stepPicture("ButtonPicture", standardIcon(m_box, "system-run", QStyle::SP_DialogApplyButton),
                                 m_box),
                     3, 0);
    steps->addWidget(buttonBox, 3, 1);

    // The box centred on the page.
    auto *page = new QGridLayout(m_sheet);
    page->setRowStretch(0, 1);
    page->setRowStretch(2, 1);
    page->setColumnStretch(0, 1);
    page->setColumnStretch(2, 1);
    page->addWidget(m_box, 1, 1);

    connect(m_taskBox, &RadioGroup::clicked, this, [this] { TaskBoxClick(); });
    connect(m_findPathButton, &QToolButton::clicked, this, [this] { run([&] { FindPathButtonClick(); }); });
    connect(m_filePathEdit, &QLineEdit::textChanged, this, [this] { FilePathEditChange(); });
    connect(m_exportButton, &QPushButton::clicked, this, [this] { run([&] { ExportButtonClick(); }); });
    connect(m_importButton, &QPushButton::clicked, this, [this] { run([&] { ImportButtonClick(); }); });
}

void ImportExportPage::run(const std::function<void()> &handler)
{
    if (m_hooks.guarded) {
        m_hooks.guarded(handler);
        return;
    }
    try {
        handler();
    } catch (const AppError &error) {
        m_context.dialogs().showError(error.message());
    }
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
    if (QProgressBar *bar = m_context.progressBar()) {
        bar->setRange(0, 100);
        bar->setValue(position);
    }
}

void ImportExportPage::TaskBoxClick()
{
    const int task = m_taskBox->itemIndex();
    m_exportButton->setVisible(task == Export);
    m_importButton->setVisible(task == Import);
}

void ImportExportPage::FindPathButtonClick()
{
    SharedFileDialog &dialog = m_taskBox->itemIndex() == Import ? m_context.openDialog() : m_context.saveDialog();
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
    PlayerExchange::exportPlayer(m_files, player, target, [this](int position) { setProgress(position); });
}

bool ImportExportPage::confirmImport(int player)
{
    Dialogs &dialogs = m_context.dialogs();
    if (QFileInfo::exists(m_files.recordsPath(player)))
        return dialogs.msgBox(QStringLiteral("The data file for this player already exists. Overwrite?"), QString(),
                              QStringLiteral("c"));
    // The shown player is loaded again from the imported files: games never saved would be lost.
    const bool shown = m_hooks.currentPlayer && m_hooks.currentPlayer() == player;
    if (shown && m_context.playerState().dataView.hasGames())
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
    const bool imported = PlayerExchange::importPlayer(
        source, m_files, player, [&] { return confirmImport(player); },
        [this](int position) { setProgress(position); });
    if (imported && m_hooks.currentPlayer && m_hooks.currentPlayer() == player && m_hooks.reloadCurrentPlayer)
        m_hooks.reloadCurrentPlayer();
}
