// Picture text as read from a player file: hexadecimal text, then the BMP header and Qt's decoder.
// The input is tried as picture text and, so that mutations reach the decoder, also as the
// bytes that picture text would hold.
#include "platform/PictureCodec.h"
#include "store/AppError.h"
#include "store/Picture.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

namespace {

void checkText(QByteArrayView text)
{
    Picture picture;
    try {
        TextToPicture(text, picture);
    } catch (const AppError &) {
        return;
    }
    (void)picture.bmpSize();
    const QImage image = PictureToImage(picture);
    if (!image.isNull())
        (void)image.pixel(image.width() - 1, image.height() - 1);
    // Valid text comes back as upper-case digits, without an odd last character.
    if (!picture.isEmpty() && PictureToText(picture) != text.first(text.size() & ~qsizetype(1)).toByteArray().toUpper())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    checkText(input);
    checkText(input.toByteArray().toHex());
    return 0;
}
