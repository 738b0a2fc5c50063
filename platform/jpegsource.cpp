// libjpeg's source of bytes: the file a piece at a time, with repaired markers served as zeros
// and an end marker supplied when the data runs out.
#include "platform/jpegdecoder.h"

namespace jpegdecoding {

// Reads `length` bytes of the file at `at` into `into`; nothing that needs destroying lives here,
// so a failed read may jump out.
void readAt(Decoder& d, size_t at, JOCTET* into, size_t length) {
    if (!d.file->seek(qint64(at)) ||
        d.file->read(reinterpret_cast<char*>(into), qint64(length)) != qint64(length))
        stop(d, Outcome::ReadFailed);
}

namespace {

const JOCTET zeros[2] = {0, 0};
const JOCTET endOfImage[2] = {0xff, JPEG_EOI};

// Points the source at the file from `at` on, up to the next repaired marker.
void serveFrom(Decoder& d, size_t at) {
    jpeg_source_mgr& source = d.source;
    if (at >= d.size) {
        // Many files lack only their end marker after complete picture data, so one is supplied;
        // data that is cut short shows when the Huffman decoder needs more of it. The arithmetic
        // decoder takes missing data for zeros, as a complete picture's encoder leaves them out,
        // so there a missing end is all that shows of a cut.
        if (d.cinfo.arith_code && !d.readingHeader)
            stop(d, Outcome::CutShort);
        if (d.endSupplied)
            WARNMS(&d.cinfo, JWRN_JPEG_EOF);
        d.endSupplied = true;
        source.next_input_byte = endOfImage;
        source.bytes_in_buffer = sizeof endOfImage;
        d.servedEnd = d.size + sizeof endOfImage;
        return;
    }
    size_t end = d.size;
    for (int i = 0; i < d.repairCount; ++i) {
        const size_t marker = d.repairedMarkers[size_t(i)];
        if (at >= marker && at < marker + 2) {
            source.next_input_byte = zeros + (at - marker);
            source.bytes_in_buffer = marker + 2 - at;
            d.servedEnd = marker + 2;
            return;
        }
        if (marker > at)
            end = std::min(end, marker);
    }
    if (at < d.pieceStart || at >= d.pieceStart + d.pieceLength) {
        d.pieceStart = at;
        d.pieceLength = std::min(pieceSize, d.size - at);
        readAt(d, at, d.piece, d.pieceLength);
    }
    end = std::min(end, d.pieceStart + d.pieceLength);
    source.next_input_byte = d.piece + (at - d.pieceStart);
    source.bytes_in_buffer = end - at;
    d.servedEnd = end;
}

void startSource(j_decompress_ptr) {}
void endSource(j_decompress_ptr) {}

boolean fillSource(j_decompress_ptr cinfo) {
    Decoder& d = decoderOf(reinterpret_cast<j_common_ptr>(cinfo));
    serveFrom(d, d.servedEnd);
    return TRUE;
}

void skipSource(j_decompress_ptr cinfo, long count) {
    Decoder& d = decoderOf(reinterpret_cast<j_common_ptr>(cinfo));
    if (count <= 0)
        return;
    if (size_t(count) <= d.source.bytes_in_buffer) {
        d.source.next_input_byte += count;
        d.source.bytes_in_buffer -= size_t(count);
        return;
    }
    serveFrom(d, position(d) + size_t(count));
}

} // namespace

void useFileSource(Decoder& d) {
    d.source.init_source = startSource;
    d.source.fill_input_buffer = fillSource;
    d.source.skip_input_data = skipSource;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = endSource;
    d.cinfo.src = &d.source;
    serveFrom(d, 0);
}

} // namespace jpegdecoding
