#include "store/Picture.h"

#include "store/AppError.h"

#include <QtEndian>

#include <array>
#include <limits>
#include <cstring>

void Picture::loadBmpBytes(QByteArray bytes)
{
    if (!bytes.isEmpty() && !bytes.startsWith("BM"))
        throw AppError::invalidBitmap();
    m_bmp = std::move(bytes);
}

QSize Picture::bmpSize() const
{
    // "BM" file header (14 bytes), then an information header that starts with its own size.
    constexpr qsizetype fileHeaderSize = 14;
    constexpr QSize none(0, 0);
    const auto *bytes = reinterpret_cast<const uchar *>(m_bmp.constData());
    const qsizetype size = m_bmp.size();
    if (size < fileHeaderSize + 4 || !m_bmp.startsWith("BM"))
        return none;
    const quint32 infoSize = qFromLittleEndian<quint32>(bytes + fileHeaderSize);
    if (quint64(infoSize) > quint64(size - fileHeaderSize))
        return none;
    const uchar *info = bytes + fileHeaderSize;
    if (infoSize == 12) { // the old core header: unsigned 16-bit width and height
        const int width = qFromLittleEndian<quint16>(info + 4);
        const int height = qFromLittleEndian<quint16>(info + 6);
        if (width == 0 || height == 0)
            return none;
        return {width, height};
    }
    if (infoSize < 16)
        return none;
    const qint32 width = qFromLittleEndian<qint32>(info + 4);
    qint32 height = qFromLittleEndian<qint32>(info + 8);
    if (height < 0 && height != std::numeric_limits<qint32>::min())
        height = -height;
    if (width <= 0 || height <= 0)
        return none;
    return {width, height};
}

namespace {

constexpr std::array<qint8, 256> makeHexValues()
{
    std::array<qint8, 256> values{};
    for (auto &v : values)
        v = -1;
    for (int c = '0'; c <= '9'; ++c)
        values[c] = qint8(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        values[c] = qint8(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        values[c] = qint8(c - 'a' + 10);
    return values;
}

constexpr std::array<qint8, 256> hexValues = makeHexValues();

// The two upper-case digits of every byte value, high digit first.
constexpr std::array<char, 512> makeHexPairs()
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<char, 512> pairs{};
    for (int b = 0; b < 256; ++b) {
        pairs[2 * b] = digits[b >> 4];
        pairs[2 * b + 1] = digits[b & 0x0F];
    }
    return pairs;
}

constexpr std::array<char, 512> hexPairs = makeHexPairs();

} // namespace

QByteArray PictureToText(const Picture &picture)
{
    const QByteArray &bytes = picture.bmpBytes();
    QByteArray text(bytes.size() * 2, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    char *out = text.data();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i)
        std::memcpy(out + 2 * i, &hexPairs[2 * in[i]], 2);
    return text;
}

void TextToPicture(QByteArrayView text, Picture &picture)
{
    const qsizetype n = text.size() / 2;
    QByteArray bytes(n, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(text.data());
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    int bad = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexValues[in[2 * i]];
        const int low = hexValues[in[2 * i + 1]];
        bad |= high | low; // negative once any digit is not hexadecimal
        out[i] = uchar((unsigned(high) << 4) | (unsigned(low) & 0x0Fu));
    }
    if (bad < 0)
        bytes.clear();
    picture.loadBmpBytes(std::move(bytes));
}
