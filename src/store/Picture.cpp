#include "store/Picture.h"

#include "store/AppError.h"

#include <array>

void Picture::loadBmpBytes(QByteArray bytes)
{
    if (!bytes.isEmpty() && !bytes.startsWith("BM"))
        throw AppError::invalidBitmap();
    m_bmp = std::move(bytes);
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

} // namespace

QByteArray PictureToText(const Picture &picture)
{
    static const char digits[] = "0123456789ABCDEF";
    const QByteArray &bytes = picture.bmpBytes();
    QByteArray text(bytes.size() * 2, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    char *out = text.data();
    for (qsizetype i = 0, n = bytes.size(); i < n; ++i) {
        out[2 * i] = digits[in[i] >> 4];
        out[2 * i + 1] = digits[in[i] & 0x0F];
    }
    return text;
}

void TextToPicture(QByteArrayView text, Picture &picture)
{
    const qsizetype n = text.size() / 2;
    QByteArray bytes(n, Qt::Uninitialized);
    const auto *in = reinterpret_cast<const unsigned char *>(text.data());
    auto *out = reinterpret_cast<unsigned char *>(bytes.data());
    int bad = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int high = hexValues[in[2 * i]];
        const int low = hexValues[in[2 * i + 1]];
        bad |= high | low; // negative once any digit is not hexadecimal
        out[i] = static_cast<unsigned char>((unsigned(high) << 4) | (unsigned(low) & 0x0Fu));
    }
    if (bad < 0)
        bytes.clear();
    picture.loadBmpBytes(std::move(bytes));
}
