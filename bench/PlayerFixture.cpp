#include "PlayerFixture.h"

#include "store/CommaText.h"
#include "store/Picture.h"
#include "store/TextFile.h"

#include <QFile>

#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <malloc.h>
#include <unistd.h>
#include <string>

QByteArray makeBmp(int width, int height)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const quint32 imageBytes = quint32(rowBytes) * quint32(height);
    QByteArray bmp(54 + qsizetype(imageBytes), '\0');
    auto put32 = [&](int at, quint32 v) { std::memcpy(bmp.data() + at, &v, 4); };
    auto put16 = [&](int at, quint16 v) { std::memcpy(bmp.data() + at, &v, 2); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + imageBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, quint32(width));
    put32(22, quint32(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    for (int y = 0; y < height; ++y) {
        char *row = bmp.data() + 54 + qsizetype(y) * rowBytes;
        for (int x = 0; x < width * 3; ++x)
            row[x] = char((x * 7 + y * 13) & 0xFF);
    }
    return bmp;
}

void PlayerFixture::writeTo(const QString &dataDir, int player) const
{
    // Records file, streamed line by line.
    QByteArray text = "Root\r\n";
    const int perCategory = games / 5;
    for (int k = 1; k <= 5; ++k) {
        text += "\tCategory " + QByteArray::number(k) + "\r\n";
        for (int g = 0; g < perCategory; ++g) {
            const int gameNumber = (k - 1) * perCategory + g;
            text += "\t\tGame " + QByteArray::number(gameNumber) + "\r\n\t\t\tRecords\r\n";
            for (int r = 0; r < records; ++r) {
                text += "\t\t\t\tRecord" + QByteArray::number(records - 1 - r) + "\r\n";
                text += "\t\t\t\t\t" + QByteArray::number(10000 - r * 7 - g % 13) + "\r\n";
                text += "\t\t\t\t\t" + QByteArray::number(38000 + r) + "\r\n";
                text += "\t\t\t\t\tround " + QByteArray::number(r) + "\r\n";
            }
            text += "\t\t\tGameComment\r\n\t\t\t\t\"Played at the club\",Sunday\r\n\t\t\tPicIndex\r\n";
            text += "\t\t\t\t" + (gameNumber < pictures ? QByteArray::number(gameNumber) : QByteArray("-1")) + "\r\n";
        }
    }
    TextFile::writeAtomically(dataDir + QStringLiteral("/Records%1.dat").arg(player), text);
    text.clear();

    QFile file(dataDir + QStringLiteral("/PlyData%1.dat").arg(player));
    if (!file.open(QIODevice::WriteOnly))
        return;
    if (pictures > 0) {
        Picture picture;
        picture.loadBmpBytes(makeBmp(pictureWidth, pictureHeight));
        const QByteArray text = PictureToText(picture);
        for (int i = 0; i < pictures; ++i) {
            file.write(text);
            file.write("\r\n");
        }
    }
    RowList categories;
    for (int k = 1; k <= 5; ++k)
        categories.append({QStringLiteral("Category %1").arg(k), {"10092543", "-2147483624", "16777215"}});
    file.write(ListToCommaText(categories).toUtf8() + "\r\n\r\n\r\nPlayer\r\n");
    file.close();
    malloc_trim(0);
}

static qint64 statusField(const char *name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t n = std::strlen(name);
    while (std::getline(status, line))
        if (line.compare(0, n, name) == 0)
            return std::stoll(line.substr(n + 1)) * 1024;
    return 0;
}

qint64 residentBytes() { return statusField("VmRSS"); }
qint64 peakResidentBytes() { return statusField("VmHWM"); }

void resetPeakResident()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>

double playerLoadSeconds(const PlayerFiles &files, int player)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const LoadedPlayer loaded = files.LoadPlayerData(player, DefaultCategoryNames());
        benchmark::DoNotOptimize(loaded.state.dataView.topLevel().data());
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

double plainReadSeconds(const QStringList &paths)
{
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (const QString &path : paths) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) {
                const QByteArray bytes = f.readAll();
                benchmark::DoNotOptimize(bytes.constData());
            }
        }
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    return best;
}

double plainWriteSeconds(const QStringList &paths, bool durable)
{
    QList<QByteArray> contents;
    for (const QString &path : paths) {
        QFile f(path);
        contents.append(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < paths.size(); ++i) {
            QFile f(paths[i] + QStringLiteral(".plain"));
            if (f.open(QIODevice::WriteOnly)) {
                f.write(contents[i]);
                f.flush();
                if (durable)
                    ::fdatasync(f.handle());
            }
        }
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    for (const QString &path : paths)
        QFile::remove(path + QStringLiteral(".plain"));
    return best;
}

qint64 totalFileBytes(const QStringList &paths)
{
    qint64 total = 0;
    for (const QString &path : paths)
        total += QFileInfo(path).size();
    return total;
}
