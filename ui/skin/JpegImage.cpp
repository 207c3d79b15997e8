#include "ui/skin/JpegImage.h"

#include "platform/SharedLibrary.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <stdexcept>
#include <utility>

namespace {

// The decoder's functions, loaded with the first JPEG picture (a message box's skin), which no
// start shows.
struct Jpeg {
    decltype(&jpeg_std_error) std_error = nullptr;
    decltype(&jpeg_CreateDecompress) CreateDecompress = nullptr;
    decltype(&jpeg_mem_src) mem_src = nullptr;
    decltype(&jpeg_read_header) read_header = nullptr;
    decltype(&jpeg_has_multiple_scans) has_multiple_scans = nullptr;
    decltype(&jpeg_start_decompress) start_decompress = nullptr;
    decltype(&jpeg_read_scanlines) read_scanlines = nullptr;
    decltype(&jpeg_finish_decompress) finish_decompress = nullptr;
    decltype(&jpeg_destroy_decompress) destroy_decompress = nullptr;
};

// Null when the library or one of its functions is missing.
const Jpeg* TheJpeg()
{
    return LoadedOnce<Jpeg>("libjpeg.so.62", [](const SharedLibrary& found, Jpeg& jpeg) {
        return found.Find(jpeg.std_error, "jpeg_std_error") &&
               found.Find(jpeg.CreateDecompress, "jpeg_CreateDecompress") &&
               found.Find(jpeg.mem_src, "jpeg_mem_src") && found.Find(jpeg.read_header, "jpeg_read_header") &&
               found.Find(jpeg.has_multiple_scans, "jpeg_has_multiple_scans") &&
               found.Find(jpeg.start_decompress, "jpeg_start_decompress") &&
               found.Find(jpeg.read_scanlines, "jpeg_read_scanlines") &&
               found.Find(jpeg.finish_decompress, "jpeg_finish_decompress") &&
               found.Find(jpeg.destroy_decompress, "jpeg_destroy_decompress");
    });
}

// libjpeg's own error handling ends the process; this one jumps back to the call instead.
struct Decoder {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX]{};
};

[[noreturn]] void JumpBack(j_common_ptr info)
{
    Decoder* decoder = static_cast<Decoder*>(info->client_data);
    info->err->format_message(info, decoder->message);
    std::longjmp(decoder->jump, 1);
}

// Warnings (corrupt or missing data that the decoder steps over) are not printed.
void Quiet(j_common_ptr) {}

struct Header {
    int width = 0;
    int height = 0;
    bool progressive = false;
};

// Only plain data lives in this frame and the decoder's state sits in *decoder, so a jump back
// skips no destructor and finds nothing in a register. Pixels is filled when given.
bool Run(Decoder* decoder, const QByteArray& data, Header* header, QImage* pixels)
{
    const Jpeg* jpeg = TheJpeg();
    if (!jpeg) {
        std::snprintf(decoder->message, sizeof decoder->message, "the JPEG library libjpeg.so.62 is missing");
        return false;
    }
    jpeg_decompress_struct* info = &decoder->info;
    info->err = jpeg->std_error(&decoder->errors);
    decoder->errors.error_exit = JumpBack;
    decoder->errors.output_message = Quiet;
    if (setjmp(decoder->jump)) {
        jpeg->destroy_decompress(info);
        return false;
    }
    info->client_data = decoder; // kept by the creation, which may already fail
    jpeg->CreateDecompress(info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
    jpeg->mem_src(info, reinterpret_cast<const unsigned char*>(data.constData()),
                  static_cast<unsigned long>(data.size()));
    jpeg->read_header(info, TRUE);
    *header = {int(info->image_width), int(info->image_height), bool(jpeg->has_multiple_scans(info))};
    if (pixels) {
        info->out_color_space = JCS_EXT_BGR;
        jpeg->start_decompress(info);
        *pixels = QImage(int(info->output_width), int(info->output_height), QImage::Format_BGR888);
        if (pixels->isNull()) {
            std::snprintf(decoder->message, sizeof decoder->message, "not enough memory for %u x %u pixels",
                          info->output_width, info->output_height);
            jpeg->destroy_decompress(info);
            return false;
        }
        while (info->output_scanline < info->output_height) {
            JSAMPROW row = pixels->scanLine(int(info->output_scanline));
            jpeg->read_scanlines(info, &row, 1);
        }
        jpeg->finish_decompress(info);
    }
    jpeg->destroy_decompress(info);
    return true;
}

Header RunOrThrow(const QByteArray& data, const QString& name, QImage* pixels)
{
    Decoder decoder;
    Header header;
    if (!Run(&decoder, data, &header, pixels)) {
        const QString what = name.isEmpty() ? QStringLiteral("The JPEG picture")
                                            : QStringLiteral("The JPEG picture %1").arg(name);
        throw std::runtime_error(QStringLiteral("%1 cannot be read: %2")
                                     .arg(what, QString::fromLatin1(decoder.message))
                                     .toStdString());
    }
    return header;
}

} // namespace

TJpegImage::TJpegImage(QByteArray data, QString name) : data_(std::move(data)), name_(std::move(name))
{
    const Header header = RunOrThrow(data_, name_, nullptr);
    width_ = header.width;
    height_ = header.height;
    progressive_ = header.progressive;
}

bool TJpegImage::LooksLikeJpeg(const QByteArray& data)
{
    return data.startsWith("\xFF\xD8");
}

QImage TJpegImage::Decode() const
{
    QImage pixels;
    RunOrThrow(data_, name_, &pixels);
    return pixels;
}
