#pragma once

#include "keeping/PageContext.h"

#include <QObject>
#include <QString>

#include <functional>

class MaintenancePage;
class Picture;

// The game picture of the "Records" page and the player picture of the category bar:
// opening them from BMP or JPEG files and showing a game picture full size.
class PictureHandlers : public QObject
{
    Q_OBJECT

public:
    PictureHandlers(MaintenancePage &page, PageContext &context);

    void OpenPicButtonClick();
    void FullSizeButtonClick();
    void PlayerPicAddButtonClick();

    // Shows the session's player picture in PlayerPic.
    void showPlayerPicture();

    // The scratch copy of the game picture that the picture viewer opens.
    QString fullSizePath() const;

private:
    // Runs the shared open dialog with the picture filter and reads the chosen file by the
    // chosen filter entry. False on Cancel; a file that cannot be read throws, the picture
    // staying as it was.
    bool choosePicture(Picture &picture);

    MaintenancePage &m_page;
    PageContext &m_context;
};
