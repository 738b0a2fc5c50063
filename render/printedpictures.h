#pragma once

#include "cover/coverdocument.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <array>

// What Print and Export PDF draw for a slot: its picture made again from its steps at the size
// it prints, or its screen picture, with the reason, when that cannot be.
struct PrintedPicture {
    const QImage* image = nullptr; // null: the slot has nothing to print
    QString screenReason;          // not empty: the screen picture is drawn, for this reason
};

// Keeps the printed insert's pictures as last made, until a picture or the size changes.
class PrintedPictures {
public:
    // `size` is the printed size in dots of the resolution printed at; `printedScreen` the picture
    // Print would draw of the slot on screen (its working picture or its kept copy).
    PrintedPicture at(const CoverDocument& document, const SlotInfo& slot, const QImage& printedScreen, QSize size);

private:
    struct Made {
        qint64 key = 0;
        QSize size;
        QImage image;
        QString reason;
    };
    std::array<Made, kSlotCount> made_;
};

// The mean difference of two pictures of one size, in levels of a colour byte; 255 when their
// sizes differ.
double meanDifference(const QImage& a, const QImage& b);
// The largest mean difference over the 16 × 16 squares of two pictures of one size: a difference
// kept to one place (a missing word) shows here where the mean over the picture hides it.
double largestSquareDifference(const QImage& a, const QImage& b);

// The size a picture of `dots` printer dots is made at: the printer's own resolution up to 600
// dots per inch, beyond which the printer stretches it.
QSize printedSize(QSize dots, double printerDpi);
// The resolution Export PDF puts pictures in at: the printer's, at least 300 and at most 600 per inch.
double exportPixelsPerInch(double printerDpi);
