#pragma once

#include "store/Picture.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Between pictures (BMP file images) and what the desktop shows, and from BMP and JPEG files.

// The picture decoded for display; a null image for an empty or undecodable picture.
QImage PictureToImage(const Picture &picture);

// Any image as a 24-bit BMP file image (bottom-up rows padded to four bytes). Transparent
// parts are laid onto white. A null image gives an empty picture.
Picture PictureFromImage(const QImage &image);

// Takes the file's bytes as they are. Throws "Cannot open file %s" when it cannot be read and
// "Bitmap image is not valid" when its bytes are not a BMP image; the picture then stays as it was.
void LoadBmpFileInto(const QString &path, Picture &picture);

// Decodes a JPEG file (colour, grayscale or CMYK) into a 24-bit BMP picture. Throws
// "Cannot open file %s" or "JPEG error #%d"; the picture then stays as it was.
void LoadJpegInto(const QString &path, Picture &picture);
void LoadJpegBytesInto(QByteArrayView bytes, Picture &picture);
