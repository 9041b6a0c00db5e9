#include "platform/PictureCodec.h"

#include "platform/JpegDecoder.h"
#include "store/AppError.h"
#include "store/TextFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <cstring>
#include <limits>

namespace {

constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;

// Qt refuses to decode images larger than its allocation limit (128 MB by default). A BMP
// whose own bytes hold every pixel row uncompressed cannot claim more memory than its size
// suggests, so such a picture may be decoded up to this much.
constexpr qint64 MaxUncompressedDecodeBytes = 1024LL * 1024 * 1024;

// The memory Qt needs to decode the picture when its pixel rows are all there, uncompressed;
// 0 when the header says otherwise or cannot be read.
qint64 uncompressedDecodeBytes(const Picture &picture)
{
    const QSize size = picture.bmpSize();
    if (size.isEmpty())
        return 0;
    const QByteArray &bytes = picture.bmpBytes();
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const quint32 infoSize = qFromLittleEndian<quint32>(data + FileHeaderSize);
    const uchar *info = data + FileHeaderSize;
    int bitCount = 0;
    if (infoSize == 12) {
        bitCount = qFromLittleEndian<quint16>(info + 10);
    } else {
        if (infoSize < 20)
            return 0;
        bitCount = qFromLittleEndian<quint16>(info + 14);
        const quint32 compression = qFromLittleEndian<quint32>(info + 16);
        if (compression != 0 && compression != 3) // plain rows or bit fields
            return 0;
    }
    if (bitCount <= 0 || bitCount > 32)
        return 0;
    const qint64 pixelOffset = qFromLittleEndian<quint32>(data + 10);
    const qint64 stride = ((qint64(size.width()) * bitCount + 31) / 32) * 4;
    const qint64 available = bytes.size() - pixelOffset;
    if (available <= 0 || stride > available / size.height())
        return 0;
    return qint64(size.width()) * size.height() * 4;
}

// Raises Qt's image allocation limit for one read, and restores it.
class AllocationLimitForRead
{
public:
    explicit AllocationLimitForRead(qint64 bytes) : m_previous(QImageReader::allocationLimit())
    {
        const qint64 megabytes = bytes / (1024 * 1024) + 1;
        if (m_previous > 0 && megabytes > m_previous)
            QImageReader::setAllocationLimit(int(megabytes));
    }
    ~AllocationLimitForRead() { QImageReader::setAllocationLimit(m_previous); }
    AllocationLimitForRead(const AllocationLimitForRead &) = delete;
    AllocationLimitForRead &operator=(const AllocationLimitForRead &) = delete;

private:
    int m_previous;
};

void putLe16(uchar *p, quint16 v) { qToLittleEndian(v, p); }
void putLe32(uchar *p, quint32 v) { qToLittleEndian(v, p); }

// Lays the image onto white where it is transparent, as 8-bit blue, green, red rows.
QImage opaqueBgr(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_BGR888);
    QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(premultiplied.size(), QImage::Format_BGR888);
    if (result.isNull())
        return result;
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        uchar *out = result.scanLine(y);
        for (int x = 0; x < premultiplied.width(); ++x) {
            // Premultiplied colour over white: c + (255 - alpha).
            const QRgb p = in[x];
            const int rest = 255 - qAlpha(p);
            out[3 * x] = uchar(qBlue(p) + rest);
            out[3 * x + 1] = uchar(qGreen(p) + rest);
            out[3 * x + 2] = uchar(qRed(p) + rest);
        }
    }
    return result;
}

} // namespace

QImage PictureToImage(const Picture &picture)
{
    if (picture.isEmpty())
        return {};
    QByteArray bytes = picture.bmpBytes(); // shared, not copied
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "BMP");
    reader.setDecideFormatFromContent(false);
    const qint64 needed = uncompressedDecodeBytes(picture);
    AllocationLimitForRead limit(needed <= MaxUncompressedDecodeBytes ? needed : 0);
    return reader.read();
}

Picture PictureFromImage(const QImage &image)
{
    Picture picture;
    if (image.isNull())
        return picture;
    const QImage bgr = opaqueBgr(image);
    const qint64 width = bgr.width();
    const qint64 height = bgr.height();
    const qint64 stride = (width * 3 + 3) & ~qint64(3);
    const qint64 pixelBytes = stride * height;
    const qint64 fileSize = FileHeaderSize + InfoHeaderSize + pixelBytes;
    if (bgr.isNull() || fileSize > std::numeric_limits<qint32>::max())
        throw AppError::invalidBitmap();

    QByteArray bytes(fileSize, '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    // File header.
    out[0] = 'B';
    out[1] = 'M';
    putLe32(out + 2, quint32(fileSize));
    putLe32(out + 10, FileHeaderSize + InfoHeaderSize);
    // Information header: bottom-up, one plane, 24 bits, no compression, no colour table.
    uchar *info = out + FileHeaderSize;
    putLe32(info, InfoHeaderSize);
    putLe32(info + 4, quint32(width));
    putLe32(info + 8, quint32(height));
    putLe16(info + 12, 1);
    putLe16(info + 14, 24);
    putLe32(info + 16, 0);
    putLe32(info + 20, quint32(pixelBytes));
    // Resolution, colours used and important colours stay 0, so the bytes depend on pixels only.
    // Pixel rows, the bottom one first; the padding stays zero.
    uchar *pixels = out + FileHeaderSize + InfoHeaderSize;
    for (qint64 y = 0; y < height; ++y)
        std::memcpy(pixels + (height - 1 - y) * stride, bgr.constScanLine(int(y)), size_t(width * 3));
    picture.loadBmpBytes(std::move(bytes));
    return picture;
}

void LoadBmpFileInto(const QString &path, Picture &picture)
{
    QByteArray bytes = TextFile::readBytes(path);
    Picture loaded;
    loaded.loadBmpBytes(std::move(bytes)); // throws unless the bytes start with "BM"
    if (loaded.isEmpty() || PictureToImage(loaded).isNull())
        throw AppError::invalidBitmap();
    picture = std::move(loaded);
}

void LoadJpegBytesInto(QByteArrayView bytes, Picture &picture)
{
    picture = PictureFromImage(DecodeJpeg(bytes));
}

void LoadJpegInto(const QString &path, Picture &picture)
{
    LoadJpegBytesInto(TextFile::readBytes(path), picture);
}
