// A player's files made of any bytes load or raise the program's error; the input is split
// at its first 0xFF byte into the records file and the player file.
#include "store/AppError.h"
#include "store/PlayerFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

class NoWindow : public PlayerWindow
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
    QString playerName(int) const override { return name; }
    void setPlayerName(int, const QString &n) override { name = n; }
    void showCategoryProperties(int) override {}
    void playerPictureChanged() override {}
    void topListChanged() override {}
    void damagedFilesSetAside(const QStringList &) override {}

    QString captions[5];
    qint32 colors[5] = {};
    QString name;
};

void writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes.data(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\xFF');
    writeFile(dir.path() + QStringLiteral("/Records1.dat"), split < 0 ? input : input.first(split));
    writeFile(dir.path() + QStringLiteral("/PlyData1.dat"), split < 0 ? QByteArrayView() : input.sliced(split + 1));

    PlayerFiles files(dir.path());
    PlayerState state;
    NoWindow window;
    try {
        files.LoadPlayerData(1, state, window);
    } catch (const AppError &) {
    }
    PlayerFiles::playerFileBytes(state, window.name);
    return 0;
}
