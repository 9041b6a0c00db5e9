#include "keeping/Pictures.h"

#include "keeping/CategoryBar.h"
#include "keeping/GamesListModel.h"
#include "keeping/GamesListView.h"
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

PictureHandlers::PictureHandlers(MaintenancePage &page, PageContext &context)
    : QObject(page.sheet()), m_page(page), m_context(context)
{
    RecordsPage &records = m_page.recordsPage();
    ConnectHandler(&records, &RecordsPage::openPictureRequested, this, m_context, [this] { OpenPicButtonClick(); });
    ConnectHandler(&records, &RecordsPage::fullSizeRequested, this, m_context, [this] { FullSizeButtonClick(); });
    ConnectHandler(m_page.categoryBar()->playerPicAddButton(), &QToolButton::clicked, this, m_context,
                   [this] { PlayerPicAddButtonClick(); });
    connect(&m_context.session, &PlayerSession::playerPictureChanged, this, &PictureHandlers::showPlayerPicture);
}

QString PictureHandlers::fullSizePath() const
{
    return m_context.session.files().dataDir() + QStringLiteral("/Gamepic.bmp");
}

bool PictureHandlers::choosePicture(Picture &picture)
{
    SharedFileDialog &dialog = m_context.openDialog;
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
    const std::optional<GameRef> shown = m_context.session.shownGame();
    if (!shown)
        return;
    Picture picture;
    if (!choosePicture(picture))
        return;
    const int line = m_context.session.setGamePicture(*shown, PictureToText(picture));
    if (shown->category == m_context.session.currentCategory()) {
        const int row = m_page.gamesModel()->rowOfGame(shown->gameIndex);
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
    // Without a viewer on the desktop the program shows the picture itself.
    if (!m_context.dialogs.shellOpen(path))
        m_context.dialogs.showPicture(PictureToImage(picture), m_page.recordsPage().title());
}

void PictureHandlers::PlayerPicAddButtonClick()
{
    Picture picture;
    if (!choosePicture(picture))
        return;
    m_context.session.setPlayerPicture(std::move(picture));
}

void PictureHandlers::showPlayerPicture()
{
    QLabel *label = m_page.categoryBar()->playerPic();
    const QImage image = PictureToImage(m_context.session.data().playerPic);
    if (image.isNull())
        label->clear();
    else
        label->setPixmap(QPixmap::fromImage(image));
}
