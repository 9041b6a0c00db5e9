#pragma once

#include "platform/HandlerGuard.h"

#include <QObject>
#include <QString>

#include <functional>

class KeepingContext;
class MaintenancePage;
class Picture;

// The game picture of the "Records" page and the player picture of the category bar:
// opening them from BMP or JPEG files and showing a game picture full size.
class PictureHandlers : public QObject
{
    Q_OBJECT

public:
    // Runs a handler and shows an error it raises; true when it ended well.
    using Guard = HandlerGuard;

    PictureHandlers(MaintenancePage &page, KeepingContext &context, QString dataDir, Guard guard);

    void OpenPicButtonClick();
    void FullSizeButtonClick();
    void PlayerPicAddButtonClick();

    // Shows the player picture of the player state in PlayerPic.
    void showPlayerPicture();

    // The scratch copy of the game picture that the picture viewer opens.
    QString fullSizePath() const;

private:
    // Runs the shared open dialog with the picture filter and reads the chosen file by the
    // chosen filter entry. False on Cancel; a file that cannot be read throws, the picture
    // staying as it was.
    bool choosePicture(Picture &picture);
    void run(const std::function<void()> &handler);

    MaintenancePage &m_page;
    KeepingContext &m_context;
    QString m_dataDir;
    Guard m_guard;
};
