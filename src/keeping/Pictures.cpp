#include "keeping/Pictures.h"

#include "keeping/CategoryBar.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
#include "keeping/KeepingContext.h"
#include "keeping/MaintenancePage.h"
#include "keeping/RecordsPage.h"
#include "platform/Dialogs.h"
#include "platform/PictureCodec.h"
#include "platform/SharedFileDialog.h"
#include "services/TransProg.h"
#include "store/PictureStore.h"
#include "store/TextFile.h"

#include <QLabel>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int JpegFilterEntry = 2;

QString pictureFilter()
{
    const QString captions = QStringLiteral("Captions");
    return LngText(captions, QStringLiteral("Bitmap files")) + QStringLiteral(" (*.bmp)|*.bmp|")
        + LngText(captions, QStringLiteral("JPEG files")) + QStringLiteral(" (*.jpg)|*.jpg");
}

} // namespace

PictureHandlers::PictureHandlers(MaintenancePage &page, KeepingContext &context, QString dataDir, Guard guard)
    : QObject(page.sheet()), m_page(page), m_context(context), m_dataDir(std::move(dataDir)), m_guard(std::move(guard))
{
    RecordsPage &records = m_page.recordsPage();
    connect(&records, &RecordsPage::openPictureRequested, this, [this] { run([this] { OpenPicButtonClick(); }); });
    connect(&records, &RecordsPage::fullSizeRequested, this, [this] { run([this] { FullSizeButtonClick(); }); });
    connect(m_page.categoryBar()->playerPicAddButton(), &QToolButton::clicked, this,
            [this] { run([this] { PlayerPicAddButtonClick(); }); });
}

void PictureHandlers::run(const std::function<void()> &handler)
{
    RunGuarded(m_guard, m_context.dialogs(), handler);
}

QString PictureHandlers::fullSizePath() const
{
    return m_dataDir + QStringLiteral("/Gamepic.bmp");
}

bool PictureHandlers::choosePicture(Picture &picture)
{
    SharedFileDialog &dialog = m_context.openDialog();
    // The dialog is shared with other pages: its filter is set anew each time.
    dialog.setFilter(pictureFilter());
    const QString path = dialog.execute();
    if (path.isEmpty())
        return false;
    // By the chosen entry, not by the file name's extension.
    if (dialog.filterIndex() == JpegFilterEntry)
        LoadJpegInto(path, picture);
    else
        LoadBmpFileInto(path, picture);
    return true;
}

void PictureHandlers::OpenPicButtonClick()
{
    // The picture goes to the game the page shows, whatever row the list has selected.
    const std::optional<RecordsPage::ShownGame> shown = m_page.recordsPage().shownGame();
    if (!shown)
        return;
    const int game = shown->gameIndex;
    const int category = shown->category;
    Picture picture;
    if (!choosePicture(picture))
        return;
    const QByteArray text = PictureToText(picture);

    PlayerState &state = m_context.playerState();
    DataTree &tree = state.dataView;
    // Read before anything changes: a game node without its picture index stops here.
    const QString index = tree.pictureIndex(category, game);
    // A game with a picture keeps its line; an index that names no line of the store (a
    // damaged file) is treated as none, so the game gets a line of its own.
    int line = PictureStoreLine(index, state.playerData);
    if (line >= 0) {
        state.playerData[line] = text;
    } else {
        line = FreePictureSlot(state.playerData);
        state.playerData[line] = text;
        tree.setPictureIndex(category, game, QString::number(line));
    }

    m_context.playerChanged(DataFile::Records | DataFile::Player);
    if (category == m_context.currentCategory()) {
        const int row = m_page.gamesModel()->rowOfGame(game);
        if (row >= 0)
            m_page.gamesModel()->setPicIndex(row, QString::number(line));
    }
    m_page.recordsPage().setGamePicture(picture);
}

void PictureHandlers::FullSizeButtonClick()
{
    const Picture &picture = m_page.recordsPage().gamePicture();
    if (picture.isEmpty())
        return;
    const QString path = fullSizePath();
    TextFile::writeAtomically(path, picture.bmpBytes());
    m_context.dialogs().shellOpen(path);
}

void PictureHandlers::PlayerPicAddButtonClick()
{
    Picture picture;
    if (!choosePicture(picture))
        return;
    m_context.playerState().playerPic = std::move(picture);
    m_context.playerChanged(DataFile::Player);
    showPlayerPicture();
}

void PictureHandlers::showPlayerPicture()
{
    QLabel *label = m_page.categoryBar()->playerPic();
    const QImage image = PictureToImage(m_context.playerState().playerPic);
    if (image.isNull())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(image));
}
