#pragma once

#include <QByteArray>
#include <QImage>
#include <vector>

// Writes test and benchmark JPEG files with libjpeg, including kinds our own program never
// writes: CMYK and YCCK, odd scan scripts, and (with the helpers below) damaged files.

struct JpegScan {
    std::vector<int> components; // indexes into the frame's components
    int ss = 0;                  // spectral selection: first and last coefficient
    int se = 0;
    int ah = 0; // successive approximation: previous and current bit position
    int al = 0;
};

struct JpegOptions {
    enum class Colours { Colour, Greyscale, Cmyk, Ycck };

    int quality = 90;
    Colours colours = Colours::Colour;
    bool progressive = false;
    // CMYK only: with the marker the samples are stored inverted, as Adobe's programs do.
    bool adobeMarker = true;
    // Full-resolution colour instead of halving the chroma both ways.
    bool fullChroma = false;
    // Arithmetic coding instead of Huffman coding.
    bool arithmetic = false;
    // Replaces the scan layout when not empty; libjpeg checks it is a valid one.
    std::vector<JpegScan> scans = {};
};

QByteArray encodeJpeg(const QImage& image, const JpegOptions& options = {});

// The byte offsets of the file's SOS markers, in order.
std::vector<qsizetype> jpegScanStarts(const QByteArray& jpeg);

// Repeats scans [first, first + count) `times` more times right after themselves. Every scan
// stands alone, so the result still decodes; only its scan count grows.
QByteArray repeatJpegScans(const QByteArray& jpeg, int first, int count, int times);

// Rewrites the width and height in the frame header, leaving the picture data as it is.
QByteArray withJpegSize(QByteArray jpeg, int width, int height);
