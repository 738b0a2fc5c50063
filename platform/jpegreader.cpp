#include "platform/jpegreader.h"

#include "platform/picturelimits.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

// Encoders write a handful of scans (libjpeg's progressive default is 10, tuned ones a few dozen),
// but a file may repeat scans endlessly, each walking its components' 8 × 8 blocks again.
constexpr int maxScans = 100;
// In large pictures the walks are what costs time (up to some 60 ns a block): all scans together
// may walk as many blocks as 32 walks over the largest picture, where a progressive CMYK one needs 24.
constexpr qint64 maxBlocksInScans = 32 * (kMaxPicturePixels / 64);

enum class Outcome {
    Decoded,
    Refused,
    TooLarge,
    TooManyScans,
    TooMuchScanWork,
    UnsupportedColours,
    NoPixelMemory
};

// Called once the size is known; returns the first of `height` rows, or null when there is no memory.
using AllocateRows = uchar* (*)(void* owner, JDIMENSION width, JDIMENSION height,
                                size_t* bytesPerLine) noexcept;

// Everything that changes while libjpeg runs lives here rather than in locals of the function that
// calls setjmp, so it all still holds its value after a jump.
struct Decoder {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    const JOCTET* data;
    unsigned long size;
    AllocateRows allocate;
    void* owner;
    Outcome outcome;
    int messageCode;
    char message[JMSG_LENGTH_MAX];
    JDIMENSION width;
    JDIMENSION height;
    int components;
    int scansCounted;
    qint64 blocksInScans;
};

Decoder& decoderOf(j_common_ptr cinfo) {
    return *static_cast<Decoder*>(cinfo->client_data);
}

[[noreturn]] void stop(Decoder& d, Outcome outcome) {
    d.outcome = outcome;
    std::longjmp(d.jump, 1);
}

[[noreturn]] void stopOnError(j_common_ptr cinfo) {
    Decoder& d = decoderOf(cinfo);
    d.messageCode = cinfo->err->msg_code;
    cinfo->err->format_message(cinfo, d.message);
    stop(d, Outcome::Refused);
}

// libjpeg goes on after damaged or missing data, filling in what it could not read, and only
// warns. Such a picture is refused; the few warnings that leave every pixel intact are not.
void stopOnWarning(j_common_ptr cinfo, int level) {
    if (level >= 0) // trace output
        return;
    const jpeg_error_mgr& err = *cinfo->err;
    const bool strayBytesBeforeEnd = err.msg_code == JWRN_EXTRANEOUS_DATA && err.msg_parm.i[1] == 0xd9;
    if (err.msg_code == JWRN_JFIF_MAJOR || strayBytesBeforeEnd) {
        ++cinfo->err->num_warnings;
        return;
    }
    stopOnError(cinfo);
}

// libjpeg calls this before each row of blocks it reads, so a new scan is seen before its data.
void watchScans(j_common_ptr cinfo) {
    Decoder& d = decoderOf(cinfo);
    const jpeg_decompress_struct& c = d.cinfo;
    if (c.input_scan_number == d.scansCounted)
        return;
    d.scansCounted = c.input_scan_number;
    if (c.input_scan_number > maxScans)
        stop(d, Outcome::TooManyScans);
    for (int i = 0; i < c.comps_in_scan; ++i)
        d.blocksInScans += qint64(c.cur_comp_info[i]->width_in_blocks) * c.cur_comp_info[i]->height_in_blocks;
    if (d.blocksInScans > maxBlocksInScans)
        stop(d, Outcome::TooMuchScanWork);
}

int product(int a, int b) {
    return (a * b + 127) / 255;
}

// Each ink as the light it lets through (255 - ink): Adobe's programs store CMYK that way, the
// rare other files store the ink amounts.
void cmykToBgr(const JSAMPLE* in, uchar* out, JDIMENSION width, bool inverted) {
    const auto light = [inverted](JSAMPLE sample) { return inverted ? int(sample) : 255 - sample; };
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        const int black = light(in[3]);
        out[0] = uchar(product(light(in[2]), black));
        out[1] = uchar(product(light(in[1]), black));
        out[2] = uchar(product(light(in[0]), black));
    }
}

// The one function that calls setjmp. It owns nothing but what `d` points to, so a jump out of
// libjpeg skips no destructor, and every way out ends in jpeg_destroy_decompress.
Outcome runDecoder(Decoder* const d) {
    d->cinfo.err = jpeg_std_error(&d->errors);
    d->errors.error_exit = stopOnError;
    d->errors.emit_message = stopOnWarning;
    d->cinfo.client_data = d;
    d->progress.progress_monitor = watchScans;
    if (setjmp(d->jump)) {
        jpeg_destroy_decompress(&d->cinfo);
        return d->outcome;
    }
    jpeg_create_decompress(&d->cinfo);
    d->cinfo.progress = &d->progress;
    jpeg_mem_src(&d->cinfo, d->data, d->size);
    jpeg_read_header(&d->cinfo, TRUE); // returns only with a picture's header: the memory source never waits
    d->width = d->cinfo.image_width;
    d->height = d->cinfo.image_height;
    d->components = d->cinfo.num_components;

    switch (d->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        d->cinfo.out_color_space = JCS_EXT_BGR;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        d->cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        stop(*d, Outcome::UnsupportedColours);
    }
    // Before jpeg_start_decompress: a progressive file takes its coefficient memory there.
    if (qint64(d->width) * d->height > kMaxPicturePixels)
        stop(*d, Outcome::TooLarge);
    jpeg_start_decompress(&d->cinfo);

    const JDIMENSION width = d->cinfo.output_width;
    size_t bytesPerLine = 0;
    uchar* const pixels = d->allocate(d->owner, width, d->cinfo.output_height, &bytesPerLine);
    if (pixels == nullptr)
        stop(*d, Outcome::NoPixelMemory);
    const bool cmyk = d->cinfo.out_color_space == JCS_CMYK;
    JSAMPROW scratch = cmyk ? (*d->cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d->cinfo),
                                                            JPOOL_IMAGE, width * 4, 1)[0]
                            : nullptr;
    const size_t used = size_t(width) * 3;
    while (d->cinfo.output_scanline < d->cinfo.output_height) {
        uchar* const row = pixels + size_t(d->cinfo.output_scanline) * bytesPerLine;
        JSAMPROW into = cmyk ? scratch : row;
        if (jpeg_read_scanlines(&d->cinfo, &into, 1) != 1)
            ERREXIT(&d->cinfo, JERR_INPUT_EOF);
        if (cmyk)
            cmykToBgr(scratch, row, width, d->cinfo.saw_Adobe_marker);
        std::memset(row + used, 0, bytesPerLine - used);
    }
    jpeg_finish_decompress(&d->cinfo);
    jpeg_destroy_decompress(&d->cinfo);
    return Outcome::Decoded;
}

uchar* allocateImage(void* owner, JDIMENSION width, JDIMENSION height, size_t* bytesPerLine) noexcept {
    QImage& image = *static_cast<QImage*>(owner);
    try {
        image = QImage(int(width), int(height), QImage::Format_BGR888);
    } catch (...) {
        return nullptr;
    }
    if (image.isNull())
        return nullptr;
    *bytesPerLine = size_t(image.bytesPerLine());
    return image.bits();
}

// libjpeg's text as the end of our sentence: "Corrupt JPEG data: bad Huffman code" → "bad Huffman code".
QString libjpegReason(const char* message) {
    QString text = QString::fromLatin1(message);
    text.remove(QLatin1String("Corrupt JPEG data: "));
    if (text.size() > 1 && text[1].isLower())
        text[0] = text[0].toLower();
    return text;
}

QString refusal(const Decoder& d) {
    switch (d.messageCode) {
    case JERR_NO_SOI:
        return QStringLiteral("It is not a JPEG picture.");
    case JWRN_JPEG_EOF:
        return QStringLiteral("The file is damaged: it ends before the picture data is complete.");
    case JERR_OUT_OF_MEMORY:
        return QStringLiteral("There is not enough memory for it.");
    case JERR_ARITH_NOTIMPL:
    case JERR_BAD_PRECISION:
    case JERR_CCIR601_NOTIMPL:
    case JERR_CONVERSION_NOTIMPL:
    case JERR_IMAGE_TOO_BIG:
    case JERR_NOT_COMPILED:
        return QStringLiteral("This kind of JPEG picture is not supported (%1).")
            .arg(libjpegReason(d.message));
    default:
        return QStringLiteral("The file is damaged: %1.").arg(libjpegReason(d.message));
    }
}

} // namespace

QImage decodeJpeg(const QByteArray& bytes, const QString& path) {
    if (bytes.isEmpty())
        cannotOpenPicture(path, QStringLiteral("The file is empty."));
    QImage image;
    Decoder decoder{};
    decoder.data = reinterpret_cast<const JOCTET*>(bytes.constData());
    decoder.size = static_cast<unsigned long>(bytes.size());
    decoder.allocate = allocateImage;
    decoder.owner = &image;
    switch (runDecoder(&decoder)) {
    case Outcome::Decoded:
        return image;
    case Outcome::Refused:
        cannotOpenPicture(path, refusal(decoder));
    case Outcome::TooLarge:
        cannotOpenPicture(path, tooManyPixels(decoder.width, decoder.height));
    case Outcome::TooManyScans:
        cannotOpenPicture(path, QStringLiteral("It holds more than %1 scans of picture data, far more than "
                                               "any ordinary JPEG picture; the file is probably damaged.")
                                    .arg(maxScans));
    case Outcome::TooMuchScanWork:
        cannotOpenPicture(path,
                          QStringLiteral("At %1 × %2 pixels it holds far more scans of picture data than "
                                         "an ordinary JPEG picture of that size; the file is probably "
                                         "damaged.")
                              .arg(decoder.width)
                              .arg(decoder.height));
    case Outcome::UnsupportedColours:
        cannotOpenPicture(
            path,
            QStringLiteral("Its colour layout (%1 channels) is not supported.").arg(decoder.components));
    case Outcome::NoPixelMemory:
        break;
    }
    cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
}
