#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes JPEG bytes into an RGB image (grayscale and CMYK converted). Throws
// AppError "JPEG error #%d" with the decoder's message code, also for images too large to hold.
// Warnings of the decoder (for example data that ends early) do not stop it.
// An image of more than maxPixelBytes decoded bytes (3 a pixel) is refused before decoding,
// so a damaged header cannot take all memory.
constexpr qint64 MaxJpegPixelBytes = 400LL * 1024 * 1024;
QImage DecodeJpeg(QByteArrayView bytes, qint64 maxPixelBytes = MaxJpegPixelBytes);
