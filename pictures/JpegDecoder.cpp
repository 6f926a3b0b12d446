#include "pictures/JpegDecoder.h"

#include "pictures/PictureLimits.h"

#include <csetjmp>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace
{

struct TErrorManager
{
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

struct TSession
{
    jpeg_decompress_struct Info{};
    TErrorManager Error{};
    bool Created = false;
};

[[noreturn]] void ExitOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TErrorManager*>(info->err)->Jump, 1);
}

// Missing data is a failure; libjpeg itself would pad a truncated file with grey.
void OnMessage(j_common_ptr info, int level)
{
    if (level >= 0)
        return;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)
        ExitOnError(info);
    ++info->err->num_warnings;
}

void Silent(j_common_ptr) {}

// The two steps that may jump back here hold only plain C data, so no destructor is skipped.
bool ReadHeader(TSession& session, const QByteArray& bytes)
{
    session.Info.err = jpeg_std_error(&session.Error.Base);
    session.Error.Base.error_exit = ExitOnError;
    session.Error.Base.emit_message = OnMessage;
    session.Error.Base.output_message = Silent;
    if (setjmp(session.Error.Jump))
        return false;
    jpeg_create_decompress(&session.Info);
    session.Created = true;
    jpeg_mem_src(&session.Info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&session.Info, TRUE);
    return true;
}

// Print and scanner software writes four inks. Adobe's writers store them inverted (255 is no
// ink) and say so with their marker; others store the amount of ink itself.
void ConvertInks(const JSAMPLE* row, QRgb* line, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x)
    {
        const JSAMPLE* ink = row + 4 * x;
        const int k = inverted ? ink[3] : 255 - ink[3];
        const auto channel = [&](JSAMPLE value) { return ((inverted ? value : 255 - value) * k + 127) / 255; };
        line[x] = qRgb(channel(ink[0]), channel(ink[1]), channel(ink[2]));
    }
}

bool DecodeRows(TSession& session, uchar* bits, qsizetype stride, JSAMPLE* row)
{
    if (setjmp(session.Error.Jump))
        return false;
    jpeg_decompress_struct& info = session.Info;
    const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = inks ? JCS_CMYK : JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1;
    jpeg_start_decompress(&info);
    if (info.output_components != (inks ? 4 : 3))
        return false;
    JSAMPROW rows[1] = {row};
    while (info.output_scanline < info.output_height)
    {
        const JDIMENSION y = info.output_scanline;
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            return false;
        auto* line = reinterpret_cast<QRgb*>(bits + static_cast<qsizetype>(y) * stride);
        if (inks)
        {
            ConvertInks(row, line, info.output_width, info.saw_Adobe_marker);
            continue;
        }
        for (JDIMENSION x = 0; x < info.output_width; ++x)
            line[x] = qRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
    }
    jpeg_finish_decompress(&info);
    return true;
}

} // namespace

bool TJpegDecoder::Decode(const QByteArray& bytes, QImage& picture)
{
    TSession session;
    bool decoded = false;
    if (ReadHeader(session, bytes))
    {
        const int64_t width = session.Info.image_width;
        const int64_t height = session.Info.image_height;
        if (TPictureLimits::Allowed(width, height))
        {
            QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
            std::vector<JSAMPLE> row(static_cast<size_t>(width) * 4);
            if (!image.isNull() && DecodeRows(session, image.bits(), image.bytesPerLine(), row.data()) &&
                session.Info.output_width == width && session.Info.output_height == height)
            {
                picture = image;
                decoded = true;
            }
        }
    }
    if (session.Created)
        jpeg_destroy_decompress(&session.Info);
    return decoded;
}
