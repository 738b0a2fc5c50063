#pragma once

// What the JPEG reader and its file source share while libjpeg decodes: one Decoder per picture.
// Only platform/jpegreader.cpp and platform/jpegsource.cpp include this.

#include "platform/decodedrow.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace jpegdecoding {

// A marker whose code is no marker at all, before the first scan, is taken for damage and read
// again as bytes to skip; a file needing more such repairs than this is refused.
constexpr int maxMarkerRepairs = 8;

// The file is read a piece at a time, never held whole: libjpeg decodes one piece from the cache
// while the next waits in the page cache.
constexpr size_t pieceSize = 64 * 1024;

enum class Outcome {
    Decoded,
    Refused,
    RepairMarker,
    HeaderDamageHidesData,
    CutShort,
    TooLarge,
    TooManyScans,
    TooMuchScanWork,
    UnsupportedColours,
    NoPixelMemory,
    ReadFailed,
    Stopped
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
    jpeg_source_mgr source;
    std::jmp_buf jump;
    QIODevice* file;
    size_t size;
    JOCTET* piece; // pieceSize bytes of the file from pieceStart on, pieceLength of them read
    size_t pieceStart;
    size_t pieceLength;
    // The source hands libjpeg the file's bytes in pieces: the bytes up to the next repaired marker,
    // the marker as two zero bytes, and so on. `servedEnd` is where the current piece ends in the file.
    size_t servedEnd;
    std::array<size_t, maxMarkerRepairs> repairedMarkers;
    int repairCount;
    // The data ran out and an end-of-image marker was handed over in its place.
    bool endSupplied;
    bool readingHeader;  // from the start of the file to the first scan
    bool headerRepaired; // libjpeg skipped damaged bytes there
    size_t headerEnd;    // where the first scan's data starts
    AllocateRows allocate;
    void* owner;
    const DecodedRow* rowDone; // may be null
    Outcome outcome;
    int messageCode;
    int messageNumber;
    char message[JMSG_LENGTH_MAX];
    JDIMENSION width;
    JDIMENSION height;
    int components;
    int scansCounted;
    qint64 blocksInScans;
    unsigned componentsScanned; // a bit for each component index that had a scan
};

inline Decoder& decoderOf(j_common_ptr cinfo) {
    return *static_cast<Decoder*>(cinfo->client_data);
}

[[noreturn]] inline void stop(Decoder& d, Outcome outcome) {
    d.outcome = outcome;
    std::longjmp(d.jump, 1);
}

inline size_t position(const Decoder& d) {
    return d.servedEnd - d.source.bytes_in_buffer;
}

// Reads `length` bytes of the file at `at` into `into`, or stops the decoding.
void readAt(Decoder& d, size_t at, JOCTET* into, size_t length);

// Whether `matches` holds for the `length` bytes at some place in [from, to) of the file, read
// apart from the piece libjpeg is working on.
template <typename Matches>
bool foundInFile(Decoder& d, size_t from, size_t to, size_t length, Matches matches) {
    JOCTET bytes[16 * 1024];
    for (size_t at = from; at + length <= to;) {
        const size_t count = std::min(sizeof bytes, to - at);
        readAt(d, at, bytes, count);
        for (size_t i = 0; i + length <= count; ++i)
            if (matches(bytes + i))
                return true;
        at += count - length + 1; // the bytes left unmatched are read again with those after them
    }
    return false;
}

// Hands libjpeg the file through the decoder's piece buffer, from its start.
void useFileSource(Decoder& d);

} // namespace jpegdecoding
