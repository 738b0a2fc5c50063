#include "support/jpegwriter.h"

#include <QtEndian>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

// As in the reader: what libjpeg touches lives outside the function that calls setjmp.
struct Encoder {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    JSAMPARRAY rows;
    int width;
    int height;
    J_COLOR_SPACE input;
    int inputComponents;
    J_COLOR_SPACE stored;
    const JpegOptions* options;
    const jpeg_scan_info* scans;
    int scanCount;
    unsigned char* out;
    unsigned long outSize;
};

[[noreturn]] void failEncoding(j_common_ptr cinfo) {
    Encoder& e = *static_cast<Encoder*>(cinfo->client_data);
    cinfo->err->format_message(cinfo, e.message);
    std::longjmp(e.jump, 1);
}

bool runEncoder(Encoder* const e) {
    e->cinfo.err = jpeg_std_error(&e->errors);
    e->errors.error_exit = failEncoding;
    e->cinfo.client_data = e;
    if (setjmp(e->jump)) {
        jpeg_destroy_compress(&e->cinfo);
        return false;
    }
    jpeg_create_compress(&e->cinfo);
    jpeg_mem_dest(&e->cinfo, &e->out, &e->outSize);
    e->cinfo.image_width = JDIMENSION(e->width);
    e->cinfo.image_height = JDIMENSION(e->height);
    e->cinfo.input_components = e->inputComponents;
    e->cinfo.in_color_space = e->input;
    jpeg_set_defaults(&e->cinfo);
    jpeg_set_colorspace(&e->cinfo, e->stored);
    if (e->stored == JCS_CMYK)
        e->cinfo.write_Adobe_marker = e->options->adobeMarker;
    if (e->options->fullChroma)
        e->cinfo.comp_info[0].h_samp_factor = e->cinfo.comp_info[0].v_samp_factor = 1;
    jpeg_set_quality(&e->cinfo, e->options->quality, TRUE);
    e->cinfo.arith_code = e->options->arithmetic;
    if (e->scanCount > 0) {
        e->cinfo.scan_info = e->scans;
        e->cinfo.num_scans = e->scanCount;
    } else if (e->options->progressive) {
        jpeg_simple_progression(&e->cinfo);
    }
    jpeg_start_compress(&e->cinfo, TRUE);
    while (e->cinfo.next_scanline < e->cinfo.image_height)
        jpeg_write_scanlines(&e->cinfo, e->rows + e->cinfo.next_scanline,
                             e->cinfo.image_height - e->cinfo.next_scanline);
    jpeg_finish_compress(&e->cinfo);
    jpeg_destroy_compress(&e->cinfo);
    return true;
}

// Ink amounts whose product gives back the colour: black takes what all three channels share.
QByteArray cmykRows(const QImage& rgb, bool inverted) {
    QByteArray out;
    out.reserve(qsizetype(rgb.width()) * rgb.height() * 4);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* p = rgb.constScanLine(y);
        for (int x = 0; x < rgb.width(); ++x, p += 3) {
            const int most = std::max({p[0], p[1], p[2]});
            const int ink[4] = {most ? 255 - p[0] * 255 / most : 0, most ? 255 - p[1] * 255 / most : 0,
                                most ? 255 - p[2] * 255 / most : 0, 255 - most};
            for (int v : ink)
                out += char(inverted ? 255 - v : v);
        }
    }
    return out;
}

bool isFrameMarker(uchar marker) {
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

struct Segment {
    uchar marker = 0;
    qsizetype start = 0;
    qsizetype end = 0; // for a scan: the end of its entropy-coded data
};

std::vector<Segment> segments(const QByteArray& jpeg) {
    std::vector<Segment> out;
    const auto at = [&](qsizetype i) { return uchar(jpeg[i]); };
    qsizetype i = 2;
    while (i + 1 < jpeg.size() && at(i) == 0xff) {
        while (i + 1 < jpeg.size() && at(i + 1) == 0xff)
            ++i;
        Segment s{at(i + 1), i, i + 2};
        if (s.marker == 0xd9 || (s.marker >= 0xd0 && s.marker <= 0xd7) || i + 3 >= jpeg.size()) {
            out.push_back(s);
            i = s.end;
            continue;
        }
        s.end = i + 2 + qFromBigEndian<quint16>(jpeg.constData() + i + 2);
        if (s.marker == 0xda) // the data runs to the next marker that is neither a stuffed byte nor a restart
            while (s.end + 1 < jpeg.size() && !(at(s.end) == 0xff && at(s.end + 1) != 0 &&
                                                (at(s.end + 1) < 0xd0 || at(s.end + 1) > 0xd7)))
                ++s.end;
        out.push_back(s);
        i = s.end;
    }
    return out;
}

std::vector<Segment> scans(const QByteArray& jpeg) {
    std::vector<Segment> out;
    for (const Segment& s : segments(jpeg))
        if (s.marker == 0xda)
            out.push_back(s);
    return out;
}

} // namespace

QByteArray encodeJpeg(const QImage& image, const JpegOptions& options) {
    using Colours = JpegOptions::Colours;
    const bool cmyk = options.colours == Colours::Cmyk || options.colours == Colours::Ycck;
    // Grey input goes in as it is; anything else as RGB, so libjpeg's own luma weights apply.
    const bool greyInput =
        options.colours == Colours::Greyscale && image.format() == QImage::Format_Grayscale8;
    const QImage rgb = greyInput ? image : image.convertToFormat(QImage::Format_RGB888);
    const QByteArray inks =
        cmyk ? cmykRows(rgb, options.colours == Colours::Ycck || options.adobeMarker) : QByteArray();
    std::vector<JSAMPROW> rows;
    for (int y = 0; y < rgb.height(); ++y)
        rows.push_back(cmyk ? reinterpret_cast<JSAMPROW>(const_cast<char*>(inks.constData())) +
                                  qsizetype(y) * rgb.width() * 4
                            : const_cast<JSAMPROW>(rgb.constScanLine(y)));
    std::vector<jpeg_scan_info> script;
    for (const JpegScan& s : options.scans) {
        jpeg_scan_info info{};
        info.comps_in_scan = int(s.components.size());
        std::copy(s.components.begin(), s.components.end(), info.component_index);
        info.Ss = s.ss;
        info.Se = s.se;
        info.Ah = s.ah;
        info.Al = s.al;
        script.push_back(info);
    }

    const J_COLOR_SPACE stored[] = {JCS_YCbCr, JCS_GRAYSCALE, JCS_CMYK, JCS_YCCK};
    Encoder encoder{};
    encoder.rows = rows.data();
    encoder.width = rgb.width();
    encoder.height = rgb.height();
    encoder.input = cmyk ? JCS_CMYK : greyInput ? JCS_GRAYSCALE : JCS_RGB;
    encoder.inputComponents = cmyk ? 4 : greyInput ? 1 : 3;
    encoder.stored = stored[int(options.colours)];
    encoder.options = &options;
    encoder.scans = script.data();
    encoder.scanCount = int(script.size());
    const bool encoded = runEncoder(&encoder);
    QByteArray out = encoded
                         ? QByteArray(reinterpret_cast<const char*>(encoder.out), qsizetype(encoder.outSize))
                         : QByteArray();
    std::free(encoder.out);
    if (!encoded)
        ADD_FAILURE() << "libjpeg could not encode the test picture: " << encoder.message;
    return out;
}

std::vector<qsizetype> jpegScanStarts(const QByteArray& jpeg) {
    std::vector<qsizetype> out;
    for (const Segment& s : scans(jpeg))
        out.push_back(s.start);
    return out;
}

QByteArray repeatJpegScans(const QByteArray& jpeg, int first, int count, int times) {
    const std::vector<Segment> all = scans(jpeg);
    if (first < 0 || count < 1 || first + count > int(all.size())) {
        ADD_FAILURE() << "the file has " << all.size() << " scans, not " << first + count;
        return jpeg;
    }
    // A scan brings along the tables written between it and the scan before.
    const qsizetype from = first > 0 ? all[first - 1].end : all[first].start;
    const qsizetype to = all[first + count - 1].end;
    const QByteArray block = jpeg.mid(from, to - from);
    QByteArray out = jpeg.left(to);
    for (int i = 0; i < times; ++i)
        out += block;
    return out + jpeg.mid(to);
}

QByteArray withJpegSize(QByteArray jpeg, int width, int height) {
    for (const Segment& s : segments(jpeg))
        if (isFrameMarker(s.marker) && s.end - s.start >= 9) {
            qToBigEndian<quint16>(quint16(height), jpeg.data() + s.start + 5);
            qToBigEndian<quint16>(quint16(width), jpeg.data() + s.start + 7);
            return jpeg;
        }
    ADD_FAILURE() << "no frame header found";
    return jpeg;
}
