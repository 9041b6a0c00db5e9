#include "platform/JpegDecoder.h"

#include "store/AppError.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps back to
// the setjmp in one of the two stage functions below. Those are written in plain C style: no
// object with a destructor lives between their setjmp and any call into libjpeg, so the jump
// skips nothing that needs cleaning up.

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub; // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
};

void exitWithError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

bool isCmyk(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

// Stage 1: reads the header and settles the output colour space and size.
bool readHeader(jpeg_decompress_struct *cinfo, ErrorManager *err, const unsigned char *data, unsigned long size)
{
    if (setjmp(err->jump))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = isCmyk(cinfo->jpeg_color_space) ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(cinfo);
    return true;
}

// Stage 2: decodes the rows into bits (RGB, 3 bytes a pixel, bytesPerLine apart). CMYK rows go
// through cmykRow (4 bytes a pixel) and are converted. Inverted CMYK (as written with an Adobe
// marker) holds 255 - ink.
bool decodeRows(jpeg_decompress_struct *cinfo, ErrorManager *err, unsigned char *bits, long bytesPerLine,
                unsigned char *cmykRow)
{
    if (setjmp(err->jump))
        return false;
    jpeg_start_decompress(cinfo);
    const bool inverted = cinfo->saw_Adobe_marker;
    const unsigned width = cinfo->output_width;
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char *row = bits + long(cinfo->output_scanline) * bytesPerLine;
        JSAMPROW target = cmykRow ? cmykRow : row;
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1)
            break;
        if (!cmykRow)
            continue;
        for (unsigned x = 0; x < width; ++x) {
            const unsigned char *in = cmykRow + 4 * x;
            unsigned c = in[0], m = in[1], y = in[2], k = in[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                y = 255 - y;
                k = 255 - k;
            }
            row[3 * x] = static_cast<unsigned char>((c * k + 127) / 255);
            row[3 * x + 1] = static_cast<unsigned char>((m * k + 127) / 255);
            row[3 * x + 2] = static_cast<unsigned char>((y * k + 127) / 255);
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

AppError jpegError(int code)
{
    return AppError(QStringLiteral("JPEG error #%1"), {QString::number(code)});
}

} // namespace

QImage DecodeJpeg(QByteArrayView bytes, qint64 maxPixelBytes)
{
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager err;
    std::memset(&err, 0, sizeof err);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = exitWithError;
    err.pub.emit_message = ignoreMessage;
    err.pub.output_message = ignoreOutput;

    struct Destroyer
    {
        jpeg_decompress_struct *cinfo;
        ~Destroyer() { jpeg_destroy_decompress(cinfo); }
    } destroyer{&cinfo};

    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    if (!readHeader(&cinfo, &err, data, static_cast<unsigned long>(bytes.size())))
        throw jpegError(err.pub.msg_code);

    const qint64 width = cinfo.output_width;
    const qint64 height = cinfo.output_height;
    if (width <= 0 || height <= 0 || width * height * 3 > maxPixelBytes)
        throw jpegError(JERR_IMAGE_TOO_BIG);

    QImage image(int(width), int(height), QImage::Format_RGB888);
    if (image.isNull())
        throw jpegError(JERR_OUT_OF_MEMORY);
    image.fill(Qt::gray); // rows that damaged data leaves undecoded
    std::vector<unsigned char> cmykRow(isCmyk(cinfo.out_color_space) ? size_t(width) * 4 : 0);
    if (!decodeRows(&cinfo, &err, image.bits(), long(image.bytesPerLine()), cmykRow.empty() ? nullptr : cmykRow.data()))
        throw jpegError(err.pub.msg_code);
    return image;
}
