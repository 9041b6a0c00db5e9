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

int hexDigitValue(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The byte value of every pair of characters, indexed by the two characters as they lie in
// memory (first one in the low byte); -1 for a pair that is not two hexadecimal digits.
const std::array<qint16, 65536> &hexPairValues()
{
    static const std::array<qint16, 65536> values = [] {
        std::array<qint16, 65536> table{};
        for (int first = 0; first < 256; ++first)
            for (int second = 0; second < 256; ++second) {
                const int high = hexDigitValue(first), low = hexDigitValue(second);
                table[size_t(first | (second << 8))] = qint16(high < 0 || low < 0 ? -1 : high * 16 + low);
            }
        return table;
    }();
    return values;
}

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
    const auto &pairValues = hexPairValues();
    const qsizetype n = text.size() / 2;
    QByteArray bytes(n, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(text.data());
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    int bad = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int value = pairValues[size_t(in[2 * i]) | (size_t(in[2 * i + 1]) << 8)];
        bad |= value; // negative once any pair is not hexadecimal
        out[i] = uchar(value);
    }
    if (bad < 0)
        bytes.clear();
    picture.loadBmpBytes(std::move(bytes));
}

bool LooksLikeBmpText(QByteArrayView pictureText)
{
    const auto &pairValues = hexPairValues();
    const qsizetype pairs = qMin<qsizetype>(2, pictureText.size() / 2);
    const auto *in = reinterpret_cast<const uchar *>(pictureText.data());
    char head[2] = {};
    for (qsizetype i = 0; i < pairs; ++i) {
        const int value = pairValues[size_t(in[2 * i]) | (size_t(in[2 * i + 1]) << 8)];
        if (value < 0)
            return true;
        head[i] = char(value);
    }
    return pairs == 0 || (pairs == 2 && head[0] == 'B' && head[1] == 'M');
}
