#include "platform/PictureCodec.h"
#include "store/AppError.h"
#include "store/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A picture that is not empty, to see that failed loads leave it alone.
Picture sentinelPicture()
{
    Picture picture;
    picture.loadBmpBytes(QByteArray("BM-sentinel"));
    return picture;
}

QByteArray qtBmp(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage testImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + 40 * x, 20 + 50 * y, (x * 7 + y * 13) % 256));
    return image;
}

// A BMP header of the given information header size with width and height filled in.
QByteArray bmpHeader(quint32 infoSize, qint32 width, qint32 height)
{
    QByteArray bytes(14 + (infoSize >= 4 && infoSize <= 124 ? infoSize : 40), '\0');
    auto *p = reinterpret_cast<uchar *>(bytes.data());
    p[0] = 'B';
    p[1] = 'M';
    qToLittleEndian<quint32>(infoSize, p + 14);
    if (infoSize == 12) {
        qToLittleEndian<quint16>(quint16(width), p + 18);
        qToLittleEndian<quint16>(quint16(height), p + 20);
    } else if (infoSize >= 12) {
        qToLittleEndian<qint32>(width, p + 18);
        qToLittleEndian<qint32>(height, p + 22);
    }
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class PictureTest : public QObject
{
    Q_OBJECT

private slots:
    void textToPicture_data();
    void textToPicture();
    void pictureToText_data();
    void pictureToText();
    void everyByteRoundTrips();
    void bmpSize_data();
    void bmpSize();
    void bmpFileKeptByteForByte();
    void bmpFileErrors_data();
    void bmpFileErrors();
    void fromImageRows_data();
    void fromImageRows();
    void fromImageAlphaOnWhite();
    void fromImageOtherFormats();
    void toImageOfDamagedBytes_data();
    void toImageOfDamagedBytes();
    void toImageAboveQtDefaultLimit();
};

void PictureTest::textToPicture_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("bytes"); // expected picture bytes when no error
    QTest::addColumn<bool>("fails");       // "Bitmap image is not valid", picture unchanged

    QTest::newRow("empty text, empty picture") << QByteArray() << QByteArray() << false;
    QTest::newRow("upper case") << QByteArray("424D00FF7E") << QByteArray("BM\x00\xff\x7e", 5) << false;
    QTest::newRow("lower case") << QByteArray("424d0aff") << QByteArray("BM\x0a\xff", 4) << false;
    QTest::newRow("mixed case") << QByteArray("424DaBcD") << QByteArray("BM\xab\xcd") << false;
    QTest::newRow("odd last digit ignored") << QByteArray("424D7") << QByteArray("BM") << false;
    QTest::newRow("odd last non-digit ignored") << QByteArray("424DZ") << QByteArray("BM") << false;
    QTest::newRow("one digit only") << QByteArray("4") << QByteArray() << false;
    QTest::newRow("non-hex pair, empty picture") << QByteArray("424D0G") << QByteArray() << false;
    QTest::newRow("non-hex first digit") << QByteArray("X24D") << QByteArray() << false;
    QTest::newRow("blank between bytes") << QByteArray("42 4D00") << QByteArray() << false;
    QTest::newRow("NUL in text") << QByteArray("424D\0" "0", 6) << QByteArray() << false;
    QTest::newRow("high bit character") << QByteArray("424D\xc3\xa4") << QByteArray() << false;
    QTest::newRow("not BM bytes") << QByteArray("FFD8FFE0") << QByteArray() << true;
    QTest::newRow("only B") << QByteArray("42") << QByteArray() << true;
    QTest::newRow("MB reversed") << QByteArray("4D42") << QByteArray() << true;
}

void PictureTest::textToPicture()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, fails);

    Picture picture = sentinelPicture();
    try {
        TextToPicture(text, picture);
        QVERIFY2(!fails, "expected an error");
        QCOMPARE(picture.bmpBytes(), bytes);
        QCOMPARE(picture.isEmpty(), bytes.isEmpty());
    } catch (const AppError &error) {
        QVERIFY2(fails, qPrintable(error.message()));
        QCOMPARE(error.message(), QStringLiteral("Bitmap image is not valid"));
        QCOMPARE(picture, sentinelPicture());
    }
}

void PictureTest::pictureToText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty picture, empty text") << QByteArray() << QByteArray();
    QTest::newRow("BM prefix") << QByteArray("BM") << QByteArray("424D");
    QTest::newRow("upper-case digits, high first") << QByteArray("BM\x00\x0f\xf0\xab\xff", 7)
                                                   << QByteArray("424D000FF0ABFF");
}

void PictureTest::pictureToText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, text);
    Picture picture;
    picture.loadBmpBytes(bytes);
    QCOMPARE(PictureToText(picture), text);
}

void PictureTest::everyByteRoundTrips()
{
    QByteArray bytes("BM");
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b ^ (round * 0x5A)));
    Picture picture;
    picture.loadBmpBytes(bytes);
    const QByteArray text = PictureToText(picture);
    QCOMPARE(text, bytes.toHex().toUpper());

    Picture back;
    TextToPicture(text, back);
    QCOMPARE(back.bmpBytes(), bytes);
    TextToPicture(text.toLower(), back);
    QCOMPARE(back.bmpBytes(), bytes);
}

void PictureTest::bmpSize_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");

    QTest::newRow("empty") << QByteArray() << QSize(0, 0);
    QTest::newRow("info header") << bmpHeader(40, 1600, 1200) << QSize(1600, 1200);
    QTest::newRow("top-down") << bmpHeader(40, 7, -5) << QSize(7, 5);
    QTest::newRow("v5 header") << bmpHeader(124, 3, 2) << QSize(3, 2);
    QTest::newRow("core header") << bmpHeader(12, 640, 480) << QSize(640, 480);
    QTest::newRow("negative width") << bmpHeader(40, -4, 4) << QSize(0, 0);
    QTest::newRow("zero height") << bmpHeader(40, 4, 0) << QSize(0, 0);
    QTest::newRow("lowest height") << bmpHeader(40, 4, std::numeric_limits<qint32>::min()) << QSize(0, 0);
    QTest::newRow("header size too small") << bmpHeader(8, 4, 4) << QSize(0, 0);
    QTest::newRow("header size past end") << bmpHeader(40, 4, 4).left(40) << QSize(0, 0);
    QTest::newRow("header size huge") << bmpHeader(0xFFFFFFF0u, 4, 4) << QSize(0, 0);
    QTest::newRow("only file header") << QByteArray("BM").leftJustified(14, '\0') << QSize(0, 0);
    QTest::newRow("written by Qt") << qtBmp(testImage(5, 3)) << QSize(5, 3);
}

void PictureTest::bmpSize()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    Picture picture;
    picture.loadBmpBytes(bytes);
    QCOMPARE(picture.bmpSize(), size);
}

void PictureTest::bmpFileKeptByteForByte()
{
    // An 8-bit palette BMP with bytes after the pixels: none of it may change on the way
    // through the file, the picture text and back.
    QImage indexed = testImage(5, 3).convertToFormat(QImage::Format_Indexed8);
    const QByteArray bytes = qtBmp(indexed) + QByteArray("\x01\x02\x03", 3);
    QTemporaryDir dir;
    const QString path = dir.filePath("game.bmp");
    writeFile(path, bytes);

    Picture picture;
    LoadBmpFileInto(path, picture);
    QCOMPARE(picture.bmpBytes(), bytes);
    Picture back;
    TextToPicture(PictureToText(picture), back);
    QCOMPARE(back.bmpBytes(), bytes);
    QCOMPARE(PictureToImage(back).size(), QSize(5, 3));
}

void PictureTest::bmpFileErrors_data()
{
    QTest::addColumn<QByteArray>("bytes"); // file content; null: no file at all
    QTest::addColumn<QString>("message");

    const QString invalid = QStringLiteral("Bitmap image is not valid");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("Cannot open file %1");
    QTest::newRow("empty file") << QByteArray("") << invalid;
    QTest::newRow("JPEG bytes") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF") << invalid;
    QTest::newRow("BM and nothing") << QByteArray("BM") << invalid;
    QTest::newRow("BM and damaged header") << QByteArray("BM").leftJustified(60, '\x7f') << invalid;
    QTest::newRow("header claims huge image") << bmpHeader(40, 60000, 60000) + QByteArray(64, '\0') << invalid;
}

void PictureTest::bmpFileErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.bmp");
    if (!bytes.isNull())
        writeFile(path, bytes);

    Picture picture = sentinelPicture();
    try {
        LoadBmpFileInto(path, picture);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), message.contains("%1") ? message.arg(path) : message);
    }
    QCOMPARE(picture, sentinelPicture());
}

void PictureTest::fromImageRows_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("stride"); // bytes per row in the file, padded to four
    QTest::newRow("width 1") << 1 << 4;
    QTest::newRow("width 2") << 2 << 8;
    QTest::newRow("width 3") << 3 << 12;
    QTest::newRow("width 4") << 4 << 12;
    QTest::newRow("width 5") << 5 << 16;
}

void PictureTest::fromImageRows()
{
    QFETCH(int, width);
    QFETCH(int, stride);
    const int height = 3;
    const QImage image = testImage(width, height);
    const Picture picture = PictureFromImage(image);
    const QByteArray &bytes = picture.bmpBytes();
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());

    QCOMPARE(bytes.size(), 54 + stride * height);
    QVERIFY(bytes.startsWith("BM"));
    QCOMPARE(qFromLittleEndian<quint32>(p + 2), quint32(bytes.size()));
    QCOMPARE(qFromLittleEndian<quint32>(p + 10), 54u);
    QCOMPARE(qFromLittleEndian<quint32>(p + 14), 40u);
    QCOMPARE(qFromLittleEndian<qint32>(p + 18), width);
    QCOMPARE(qFromLittleEndian<qint32>(p + 22), height); // positive: bottom-up
    QCOMPARE(qFromLittleEndian<quint16>(p + 26), quint16(1));
    QCOMPARE(qFromLittleEndian<quint16>(p + 28), quint16(24));
    QCOMPARE(qFromLittleEndian<quint32>(p + 30), 0u);
    QCOMPARE(qFromLittleEndian<quint32>(p + 34), quint32(stride * height));
    QCOMPARE(picture.bmpSize(), QSize(width, height));

    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const uchar *row = p + 54 + fileRow * stride;
        const int y = height - 1 - fileRow; // the bottom row comes first
        for (int x = 0; x < width; ++x) {
            const QRgb c = image.pixel(x, y);
            QCOMPARE(row[3 * x], uchar(qBlue(c)));
            QCOMPARE(row[3 * x + 1], uchar(qGreen(c)));
            QCOMPARE(row[3 * x + 2], uchar(qRed(c)));
        }
        for (int pad = width * 3; pad < stride; ++pad)
            QCOMPARE(row[pad], uchar(0));
    }

    const QImage decoded = PictureToImage(picture);
    QCOMPARE(decoded.size(), image.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            QCOMPARE(decoded.pixel(x, y), image.pixel(x, y));
}

void PictureTest::fromImageAlphaOnWhite()
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255)); // opaque red
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));     // transparent
    image.setPixel(2, 0, qRgba(0, 0, 255, 128)); // half blue
    const QImage decoded = PictureToImage(PictureFromImage(image));
    QCOMPARE(decoded.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(decoded.pixel(1, 0), qRgb(255, 255, 255));
    const QRgb half = decoded.pixel(2, 0);
    QVERIFY2(qAbs(qRed(half) - 127) <= 1 && qAbs(qGreen(half) - 127) <= 1 && qBlue(half) == 255,
             qPrintable(QString::number(half, 16)));
}

void PictureTest::fromImageOtherFormats()
{
    QCOMPARE(PictureFromImage(QImage()), Picture());

    QImage gray(2, 2, QImage::Format_Grayscale8);
    gray.fill(77);
    QCOMPARE(PictureToImage(PictureFromImage(gray)).pixel(1, 1), qRgb(77, 77, 77));

    QImage mono(9, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    mono.setPixel(8, 0, 1);
    const QImage decoded = PictureToImage(PictureFromImage(mono));
    QCOMPARE(decoded.pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(decoded.pixel(8, 0), qRgb(255, 255, 255));
}

void PictureTest::toImageOfDamagedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = qtBmp(testImage(4, 4));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("BM only") << QByteArray("BM");
    QTest::newRow("header only") << good.left(54);
    QTest::newRow("cut in the header") << good.left(30);
    QTest::newRow("huge claim, no pixels") << bmpHeader(40, 30000, 30000) + QByteArray(16, '\0');
    QByteArray badDepth = good;
    qToLittleEndian<quint16>(quint16(7), reinterpret_cast<uchar *>(badDepth.data()) + 28);
    QTest::newRow("bit depth 7") << badDepth;
    // Found by fuzzing: width times height times depth beyond 64 bits.
    QTest::newRow("header size product overflows")
        << QByteArray::fromHex("424D46000000000000003E000800200000000500424D9200006E00002000000000001000000000"
                               "008000000000800000424d4d00101000100000005000000000F0000000F800000000000000");
}

void PictureTest::toImageOfDamagedBytes()
{
    QFETCH(QByteArray, bytes);
    Picture picture;
    picture.loadBmpBytes(bytes);
    QVERIFY(PictureToImage(picture).isNull());
}

void PictureTest::toImageAboveQtDefaultLimit()
{
    // 6000 x 6000 needs 144 MB to decode, above Qt's default limit; the file holds all of it.
    const int limit = QImageReader::allocationLimit();
    QImage image(6000, 6000, QImage::Format_RGB888);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(5999, 0, qRgb(200, 100, 50));
    const Picture picture = PictureFromImage(image);
    image = QImage();
    const QImage decoded = PictureToImage(picture);
    QCOMPARE(decoded.size(), QSize(6000, 6000));
    QCOMPARE(decoded.pixel(5999, 0), qRgb(200, 100, 50));
    QCOMPARE(decoded.pixel(0, 5999), qRgb(1, 2, 3));
    QCOMPARE(QImageReader::allocationLimit(), limit);
}

QTEST_MAIN(PictureTest)
#include "test_picture.moc"
