#pragma once

#include "store/DataTree.h"
#include "store/ListRows.h"

#include <QByteArray>
#include <QString>

// Writes one player's files straight to disk: `games` games spread over five categories,
// `records` records each, and `pictures` 24-bit BMP game pictures of width x height.
struct PlayerFixture
{
    int games = 0;
    int records = 0;
    int pictures = 0;
    int pictureWidth = 1600;
    int pictureHeight = 1200;

    void writeTo(const QString &dataDir, int player) const;
};

// The bytes of a 24-bit BMP file image filled with a pattern.
QByteArray makeBmp(int width, int height);

// Resident memory figures of this process in bytes.
qint64 residentBytes();
qint64 peakResidentBytes();
void resetPeakResident();

#include "store/PlayerFiles.h"

// A main window with no controls, for loading and saving outside the program.
class SilentPlayerWindow : public PlayerWindow
{
public:
    QString defaultCategoryName(int category) override { return QStringLiteral("Category %1").arg(category); }
    void setCategoryPanel(int category, const QString &caption, qint32 color) override
    {
        captions[category - 1] = caption;
        colors[category - 1] = color;
    }
    QString categoryPanelCaption(int category) const override { return captions[category - 1]; }
    qint32 categoryPanelColor(int category) const override { return colors[category - 1]; }
    void selectFirstCategory() override {}
    void updateButtons() override {}
    void refreshPlayerNames() override {}
    QString playerName(int player) const override { return names[player - 1]; }
    void setPlayerName(int player, const QString &name) override { names[player - 1] = name; }
    void showCategoryProperties(int) override {}
    void playerPictureChanged() override {}
    void topListChanged() override {}
    void damagedFilesSetAside(const QStringList &) override {}

    QString captions[5];
    qint32 colors[5] = {};
    QString names[10];
};

// Seconds for reading (or writing) the given files' bytes plainly, best of a few runs.
double plainReadSeconds(const QStringList &paths);
double plainWriteSeconds(const QStringList &paths);
qint64 totalFileBytes(const QStringList &paths);
