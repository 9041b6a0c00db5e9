// JPEG bytes as picked by the user: libjpeg through the program's error handling, then the BMP
// picture made from the result.
#include "platform/JpegDecoder.h"
#include "platform/PictureCodec.h"
#include "store/AppError.h"
#include "store/Picture.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Picture picture;
    try {
        // The steps of LoadJpegBytesInto with a lower size limit first: a tiny input may claim
        // the largest allowed size, and decoding that many pixels is slow, not wrong.
        picture = PictureFromImage(DecodeJpeg(bytes, 4 * 1024 * 1024));
    } catch (const AppError &) {
        return 0;
    }
    if (picture.bmpSize().isEmpty() || PictureToImage(picture).size() != picture.bmpSize())
        __builtin_trap();
    Picture again;
    LoadJpegBytesInto(bytes, again); // the same bytes must decode the same way
    if (again != picture)
        __builtin_trap();
    return 0;
}
