#include "platform/jpegreader.h"

#include "platform/jpegdecoder.h"
#include "platform/picturelimits.h"

#include <QBuffer>
#include <QIODevice>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace {

using namespace jpegdecoding;

// Encoders write a handful of scans (libjpeg's progressive default is 10, tuned ones a few dozen),
// but a file may repeat scans endlessly, each walking its components' 8 × 8 blocks again.
constexpr int maxScans = 100;
// In large pictures the walks are what costs time (up to some 60 ns a block): all scans together
// may walk as many blocks as 32 walks over the largest picture, where a progressive CMYK one needs 24.
constexpr qint64 maxBlocksInScans = 32 * (kMaxPicturePixels / 64);

[[noreturn]] void stopOnError(j_common_ptr cinfo) {
    Decoder& d = decoderOf(cinfo);
    d.messageCode = cinfo->err->msg_code;
    d.messageNumber = cinfo->err->msg_parm.i[0];
    cinfo->err->format_message(cinfo, d.message);
    // libjpeg has just read the marker's two bytes.
    if (d.messageCode == JERR_UNKNOWN_MARKER && d.readingHeader && d.repairCount < maxMarkerRepairs &&
        position(d) >= 2 && position(d) <= d.size)
        stop(d, Outcome::RepairMarker);
    stop(d, Outcome::Refused);
}

// libjpeg goes on after damaged or missing data, filling in what it could not read, and only
// warns. Such a picture is refused; the few warnings that leave every pixel intact are not.
void stopOnWarning(j_common_ptr cinfo, int level) {
    if (level >= 0) // trace output
        return;
    Decoder& d = decoderOf(cinfo);
    const jpeg_error_mgr& err = *cinfo->err;
    const bool skipped = err.msg_code == JWRN_EXTRANEOUS_DATA;
    const bool strayBytesBeforeEnd = skipped && err.msg_parm.i[1] == 0xd9;
    // Before the first scan, typically a damaged length of an APP or comment segment. Whether
    // anything the picture needs was skipped with it is checked once the header is read.
    const bool skippedInHeader = skipped && d.readingHeader;
    d.headerRepaired = d.headerRepaired || skippedInHeader;
    if (err.msg_code == JWRN_JFIF_MAJOR || strayBytesBeforeEnd || skippedInHeader) {
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
    for (int i = 0; i < c.comps_in_scan; ++i) {
        d.blocksInScans += qint64(c.cur_comp_info[i]->width_in_blocks) * c.cur_comp_info[i]->height_in_blocks;
        d.componentsScanned |= 1u << c.cur_comp_info[i]->component_index;
    }
    if (d.blocksInScans > maxBlocksInScans)
        stop(d, Outcome::TooMuchScanWork);
}

constexpr JOCTET startOfScan = 0xda;

bool isFrameMarker(JOCTET code) {
    return code >= 0xc0 && code <= 0xcf && code != 0xc4 && code != 0xc8 && code != 0xcc;
}

bool defined(JHUFF_TBL* const (&tables)[NUM_HUFF_TBLS], int number) {
    return number >= 0 && number < NUM_HUFF_TBLS && tables[number] != nullptr;
}

// After a repair in the header, whether libjpeg skipped anything the picture needs. Missing
// quantisation tables or frame header stop libjpeg by itself; a missing Huffman table would quietly
// be replaced by the standard one, and a missing Adobe marker changes the colours.
bool repairLostNothing(Decoder& d) {
    const jpeg_decompress_struct& c = d.cinfo;
    if (!c.arith_code)
        for (int i = 0; i < c.comps_in_scan; ++i) {
            const jpeg_component_info& component = *c.cur_comp_info[i];
            if (c.Ss == 0 && c.Ah == 0 && !defined(c.dc_huff_tbl_ptrs, component.dc_tbl_no))
                return false;
            if (c.Se > 0 && !defined(c.ac_huff_tbl_ptrs, component.ac_tbl_no))
                return false;
        }
    if (c.saw_Adobe_marker)
        return true;
    // An APP14 marker and its length, then "Adobe".
    return !foundInFile(d, 0, std::min(d.headerEnd, d.size), 9, [](const JOCTET* at) {
        return at[0] == 0xff && at[1] == 0xee && std::memcmp(at + 4, "Adobe", 5) == 0;
    });
}

// After a repair in the header, libjpeg may have picked up a picture embedded in an APP segment (an
// EXIF thumbnail) and decoded that; the file's own frame then follows what was read.
bool unreadFrameFollows(Decoder& d) {
    return foundInFile(d, std::min(position(d), d.size), d.size, 2, [](const JOCTET* at) {
        return at[0] == 0xff && (at[1] == startOfScan || isFrameMarker(at[1]));
    });
}

// When the end had to be supplied, whether a multi-scan file still got all its scans: each component
// its own in a sequential file, every coefficient all its bits in a progressive one.
bool everyScanArrived(const Decoder& d) {
    const jpeg_decompress_struct& c = d.cinfo;
    if (!c.progressive_mode)
        return d.componentsScanned == (1u << c.num_components) - 1;
    for (int component = 0; component < c.num_components; ++component)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (c.coef_bits[component][k] != 0)
                return false;
    return true;
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
    useFileSource(*d);
    d->readingHeader = true;
    jpeg_read_header(&d->cinfo, TRUE); // returns only with a picture's header: the source never waits
    d->readingHeader = false;
    d->headerEnd = position(*d);
    if (d->headerRepaired && !repairLostNothing(*d))
        stop(*d, Outcome::HeaderDamageHidesData);
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
    jpeg_start_decompress(&d->cinfo); // reads every scan of a multi-scan file
    if (d->endSupplied && jpeg_has_multiple_scans(&d->cinfo) && !everyScanArrived(*d))
        stop(*d, Outcome::CutShort);

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
        if (d->rowDone &&
            !(*d->rowDone)(*static_cast<const QImage*>(d->owner), int(d->cinfo.output_scanline) - 1))
            stop(*d, Outcome::Stopped);
    }
    jpeg_finish_decompress(&d->cinfo);
    if (d->headerRepaired && unreadFrameFollows(*d))
        stop(*d, Outcome::HeaderDamageHidesData);
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

QString cutShort() {
    return QStringLiteral("The file is damaged: it ends before the picture data is complete.");
}

// The frame types libjpeg does not decode, by the marker that starts them.
QString unsupportedProcess(int marker) {
    // Lossless: alone or in a hierarchy, Huffman or arithmetic coded.
    if (marker == 0xc3 || marker == 0xc7 || marker == 0xcb || marker == 0xcf)
        return QStringLiteral("It is a lossless JPEG picture, which is not supported.");
    return QStringLiteral("Its kind of JPEG coding (frame type 0x%1) is not supported.").arg(marker, 2, 16);
}

QString refusal(const Decoder& d) {
    if (d.endSupplied) // whatever went wrong, it went wrong for want of data
        return cutShort();
    switch (d.messageCode) {
    case JERR_NO_SOI:
        return QStringLiteral("It is not a JPEG picture.");
    case JWRN_JPEG_EOF:
        return cutShort();
    case JERR_SOF_UNSUPPORTED:
        return unsupportedProcess(d.messageNumber);
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

// Runs the decoder, again after each marker it took for damage, until it ends some other way.
Outcome decode(Decoder& decoder, QIODevice& file, QImage& image, const DecodedRow* row) {
    std::array<size_t, maxMarkerRepairs> repaired{};
    std::vector<JOCTET> piece(pieceSize);
    for (int repairs = 0;; ++repairs) {
        decoder = Decoder{};
        decoder.file = &file;
        decoder.size = size_t(file.size());
        decoder.piece = piece.data();
        decoder.allocate = allocateImage;
        decoder.owner = &image;
        decoder.rowDone = row;
        decoder.repairedMarkers = repaired;
        decoder.repairCount = repairs;
        const Outcome outcome = runDecoder(&decoder);
        if (outcome != Outcome::RepairMarker)
            return outcome;
        repaired[size_t(repairs)] = position(decoder) - 2;
    }
}

} // namespace

QImage decodeJpeg(const QByteArray& bytes, const QString& path) {
    return decodeJpeg(bytes, path, DecodedRow());
}

QImage decodeJpeg(const QByteArray& bytes, const QString& path, const DecodedRow& row) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return decodeJpeg(buffer, path, row);
}

QImage decodeJpeg(QIODevice& file, const QString& path, const DecodedRow& row) {
    if (file.size() == 0)
        cannotOpenPicture(path, QStringLiteral("The file is empty."));
    QImage image;
    Decoder decoder{};
    switch (decode(decoder, file, image, row ? &row : nullptr)) {
    case Outcome::Decoded:
        return image;
    case Outcome::Stopped:
        return {};
    case Outcome::Refused:
    case Outcome::RepairMarker:
        cannotOpenPicture(path, refusal(decoder));
    case Outcome::HeaderDamageHidesData:
        cannotOpenPicture(path, QStringLiteral("The file is damaged: part of its header cannot be read."));
    case Outcome::CutShort:
        cannotOpenPicture(path, cutShort());
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
    case Outcome::ReadFailed:
        cannotOpenPicture(path, QStringLiteral("The file could not be read completely."));
    case Outcome::NoPixelMemory:
        break;
    }
    cannotOpenPicture(path, QStringLiteral("There is not enough memory for it."));
}
