#pragma once

#include "store/PlayerFiles.h"

#include <array>

// A player window without controls: it keeps the category panels and player names in memory,
// so a player's files can be read and written away from the main window.
class HeadlessPlayerWindow : public PlayerWindow
{
public:
    HeadlessPlayerWindow()
    {
        for (int n = 1; n <= 10; ++n)
            names[size_t(n - 1)] = QStringLiteral("Player %1").arg(n);
    }

    QString defaultCategoryName(int category) override { return QStringLiteral("Category %1").arg(category); }
    void setCategoryPanel(int category, const QString &caption, qint32 color) override
    {
        captions[size_t(category - 1)] = caption;
        colors[size_t(category - 1)] = color;
    }
    QString categoryPanelCaption(int category) const override { return captions[size_t(category - 1)]; }
    qint32 categoryPanelColor(int category) const override { return colors[size_t(category - 1)]; }
    void selectFirstCategory() override {}
    void updateButtons() override {}
    void refreshPlayerNames() override {}
    QString playerName(int player) const override { return names[size_t(player - 1)]; }
    void setPlayerName(int player, const QString &name) override { names[size_t(player - 1)] = name; }
    void showCategoryProperties(int) override {}
    void playerPictureChanged() override {}
    void topListChanged() override {}
    void damagedFilesSetAside(const QStringList &paths) override { setAside = paths; }

    std::array<QString, 5> captions;
    std::array<qint32, 5> colors{};
    std::array<QString, 10> names;
    QStringList setAside;
};
