#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>

// A picture as the bytes of its BMP file image. Bytes read from a BMP file or from picture
// text are kept as they are and written back byte for byte; decoding happens only for display.
class Picture
{
public:
    Picture() = default;

    bool isEmpty() const { return m_bmp.isEmpty(); }
    const QByteArray &bmpBytes() const { return m_bmp; }
    void clear() { m_bmp.clear(); }

    // Takes the bytes of a BMP file image; no bytes give an empty picture.
    // Throws "Bitmap image is not valid" (leaving the picture as it was) for other bytes.
    void loadBmpBytes(QByteArray bytes);

    // Width and height from the BMP header, without decoding the pixels. A top-down image
    // (negative height in the header) gives its height as a positive number. 0x0 for an
    // empty picture or a header that is cut short or holds impossible dimensions.
    QSize bmpSize() const;

    bool operator==(const Picture &) const = default;

private:
    QByteArray m_bmp;
};

// The picture as upper-case hexadecimal text of its BMP file image; empty for no picture.
QByteArray PictureToText(const Picture &picture);

// Reads hexadecimal text (either case; an odd last digit ignored) into the picture. Text that is
// not hexadecimal gives an empty picture. Throws "Bitmap image is not valid" for bytes that are
// not a BMP file image, leaving the picture as it was.
void TextToPicture(QByteArrayView text, Picture &picture);

// False when TextToPicture would refuse the text as not a BMP file image, judged by its first two
// bytes so that large pictures are not read through. Text that is not hexadecimal reads as no
// picture at all, and empty text as none: both are true.
bool LooksLikeBmpText(QByteArrayView pictureText);
