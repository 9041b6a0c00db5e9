#include "platform/JpegDecoder.h"
#include "platform/PictureCodec.h"
#include "store/AppError.h"
#include "store/Picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

Picture sentinelPicture()
{
    Picture picture;
    picture.loadBmpBytes(QByteArray("BM-sentinel"));
    return picture;
}

// Four flat quadrants: red, green / blue, white.
QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2, bottom = y >= height / 2;
            image.setPixel(x, y, !bottom ? (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0))
                                         : (right ? qRgb(255, 255, 255) : qRgb(0, 0, 255)));
        }
    return image;
}

QByteArray qtJpeg(const QImage &image, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("JPEG writing failed: %s", qPrintable(writer.errorString()));
    return bytes;
}

// The position of the first marker 0xFF code, or -1.
qsizetype markerAt(const QByteArray &jpeg, uchar code)
{
    for (qsizetype i = 0; i + 1 < jpeg.size(); ++i)
        if (uchar(jpeg[i]) == 0xFF && uchar(jpeg[i + 1]) == code)
            return i;
    return -1;
}

bool near(QRgb actual, QRgb expected, int tolerance = 16)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
        && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString rgbText(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(TALLIMO_FIXTURES "/pictures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

} // namespace

class JpegTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decodesColours_data();
    void decodesColours();
    void grayscale();
    void cmyk_data();
    void cmyk();
    void fromFile();
    void cutInScanDataStillDecodes();
    void errors_data();
    void errors();
    void absurdSizeRefused();
    void missingFile();
};

void JpegTest::initTestCase()
{
    QVERIFY(QImageWriter::supportedImageFormats().contains("jpeg"));
}

void JpegTest::decodesColours_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("progressive");
    QTest::newRow("40x30 baseline") << 40 << 30 << false;
    QTest::newRow("33x17 odd width") << 33 << 17 << false;
    QTest::newRow("64x48 progressive") << 64 << 48 << true;
}

void JpegTest::decodesColours()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, progressive);
    const QByteArray jpeg = qtJpeg(quadrants(width, height), progressive);
    QCOMPARE(markerAt(jpeg, progressive ? 0xC2 : 0xC0) > 0, true);
    Picture picture;
    LoadJpegBytesInto(jpeg, picture);

    // Stored as a 24-bit BMP file image.
    QVERIFY(picture.bmpBytes().startsWith("BM"));
    QCOMPARE(picture.bmpSize(), QSize(width, height));
    QCOMPARE(int(uchar(picture.bmpBytes()[28])), 24);

    const QImage image = PictureToImage(picture);
    QCOMPARE(image.size(), QSize(width, height));
    const struct { int x, y; QRgb colour; } probes[] = {
        {width / 4, height / 4, qRgb(255, 0, 0)},
        {3 * width / 4, height / 4, qRgb(0, 255, 0)},
        {width / 4, 3 * height / 4, qRgb(0, 0, 255)},
        {3 * width / 4, 3 * height / 4, qRgb(255, 255, 255)},
    };
    for (const auto &probe : probes) {
        const QRgb c = image.pixel(probe.x, probe.y);
        QVERIFY2(near(c, probe.colour), qPrintable(rgbText(c) + " at " + QString::number(probe.x) + ","
                                                    + QString::number(probe.y)));
    }
}

void JpegTest::grayscale()
{
    QImage gray(24, 16, QImage::Format_Grayscale8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x)
            gray.scanLine(y)[x] = x < 12 ? 40 : 200;
    const QByteArray jpeg = qtJpeg(gray);
    const qsizetype sof = markerAt(jpeg, 0xC0);
    QVERIFY(sof > 0);
    QCOMPARE(int(uchar(jpeg[sof + 9])), 1); // one component: a real grayscale JPEG

    Picture picture;
    LoadJpegBytesInto(jpeg, picture);
    const QImage image = PictureToImage(picture);
    QCOMPARE(image.size(), QSize(24, 16));
    const QRgb dark = image.pixel(4, 8), light = image.pixel(20, 8);
    QVERIFY2(qRed(dark) == qGreen(dark) && qGreen(dark) == qBlue(dark), qPrintable(rgbText(dark)));
    QVERIFY2(near(dark, qRgb(40, 40, 40), 6), qPrintable(rgbText(dark)));
    QVERIFY2(near(light, qRgb(200, 200, 200), 6), qPrintable(rgbText(light)));
}

void JpegTest::cmyk_data()
{
    // Written as CMYK with an Adobe marker (inverted values).
    QTest::addColumn<QString>("file");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("red") << "cmyk_red.jpg" << qRgb(255, 0, 0);
    QTest::newRow("blue") << "cmyk_blue.jpg" << qRgb(0, 0, 255);
}

void JpegTest::cmyk()
{
    QFETCH(QString, file);
    QFETCH(QRgb, colour);
    const QByteArray jpeg = fixture(file);
    const qsizetype sof = markerAt(jpeg, 0xC0);
    QVERIFY(sof > 0);
    QCOMPARE(int(uchar(jpeg[sof + 9])), 4);

    Picture picture;
    LoadJpegBytesInto(jpeg, picture);
    const QImage image = PictureToImage(picture);
    QCOMPARE(image.size(), QSize(16, 12));
    const QRgb c = image.pixel(8, 6);
    QVERIFY2(near(c, colour, 24), qPrintable(rgbText(c)));
}

void JpegTest::fromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("photo.jpg");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(qtJpeg(quadrants(20, 10)));
    file.close();

    Picture picture = sentinelPicture();
    LoadJpegInto(path, picture);
    QCOMPARE(picture.bmpSize(), QSize(20, 10));
    // A JPEG picture is a BMP image, several times as long as the JPEG file as text.
    QVERIFY(PictureToText(picture).startsWith("424D"));
}

void JpegTest::cutInScanDataStillDecodes()
{
    // Data that ends early is only a warning: the decoder fills the rest.
    const QByteArray jpeg = qtJpeg(quadrants(64, 64));
    const qsizetype sos = markerAt(jpeg, 0xDA);
    QVERIFY(sos > 0);
    Picture picture;
    LoadJpegBytesInto(jpeg.left(sos + 40), picture);
    QCOMPARE(picture.bmpSize(), QSize(64, 64));
}

void JpegTest::errors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = qtJpeg(quadrants(16, 16));
    const qsizetype sof = markerAt(good, 0xC0);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("garbage") << QByteArray("this is not a picture at all");
    QTest::newRow("BMP bytes") << QByteArray("BM").leftJustified(80, '\0');
    QTest::newRow("start marker only") << QByteArray("\xff\xd8");
    QTest::newRow("cut before the frame header") << good.left(sof);
    QTest::newRow("cut in the frame header") << good.left(sof + 6);
    QByteArray zeroWidth = good;
    zeroWidth[sof + 7] = 0;
    zeroWidth[sof + 8] = 0;
    QTest::newRow("zero width") << zeroWidth;
    QByteArray badComponents = good;
    badComponents[sof + 9] = 2;
    QTest::newRow("two components") << badComponents;
}

void JpegTest::errors()
{
    QFETCH(QByteArray, bytes);
    Picture picture = sentinelPicture();
    try {
        LoadJpegBytesInto(bytes, picture);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        static const QRegularExpression pattern(QStringLiteral("^JPEG error #[0-9]+$"));
        QVERIFY2(pattern.match(error.message()).hasMatch(), qPrintable(error.message()));
    }
    QCOMPARE(picture, sentinelPicture());
}

void JpegTest::absurdSizeRefused()
{
    // A header that claims 65000 x 65000 pixels is refused before any pixel memory is taken.
    QByteArray jpeg = qtJpeg(quadrants(16, 16));
    const qsizetype sof = markerAt(jpeg, 0xC0);
    jpeg[sof + 5] = char(0xFD);
    jpeg[sof + 6] = char(0xE8);
    jpeg[sof + 7] = char(0xFD);
    jpeg[sof + 8] = char(0xE8);
    Picture picture = sentinelPicture();
    QVERIFY_THROWS_EXCEPTION(AppError, LoadJpegBytesInto(jpeg, picture));
    QCOMPARE(picture, sentinelPicture());

    // The limit itself: 16 x 16 x 3 = 768 bytes.
    const QByteArray small = qtJpeg(quadrants(16, 16));
    QCOMPARE(DecodeJpeg(small, 768).size(), QSize(16, 16));
    try {
        DecodeJpeg(small, 767);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().startsWith("JPEG error #"), qPrintable(error.message()));
    }
}

void JpegTest::missingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("none.jpg");
    Picture picture = sentinelPicture();
    try {
        LoadJpegInto(path, picture);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot open file %1").arg(path));
    }
    QCOMPARE(picture, sentinelPicture());
}

QTEST_MAIN(JpegTest)
#include "test_jpeg.moc"
