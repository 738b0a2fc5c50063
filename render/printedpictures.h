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
    QString coarserNote;           // not empty: made coarser than the size it prints, to stay in the budget
};

// The memory the making of one printed picture may take. Making it holds several copies of it
// (the fitted picture, the working one, the kept one, the disc mask, a stretch in between; then the
// printer's copy and the job's), so its pixels are held to a share of this.
constexpr qint64 kPrintPictureBudgetBytes = qint64(384) << 20;
// The bytes a printed picture takes for each of its pixels while it is made and printed.
constexpr qint64 kPrintBytesPerPixel = 3 * 8;

// The size a picture to be printed at `size` is made at within `budgetBytes`: `size` itself when it
// fits, else the largest size of its proportions that does; never below a pixel each way.
QSize sizeWithinBudget(QSize size, qint64 budgetBytes);

// Keeps the printed insert's pictures as last made, until a picture or the size changes.
class PrintedPictures {
public:
    explicit PrintedPictures(qint64 budgetBytes = kPrintPictureBudgetBytes) : budgetBytes_(budgetBytes) {}

    // `size` is the printed size in dots of the resolution printed at; `printedScreen` the picture
    // Print would draw of the slot on screen (its working picture or its kept copy).
    PrintedPicture at(const CoverDocument& document, const SlotInfo& slot, const QImage& printedScreen,
                      QSize size);

private:
    struct Made {
        qint64 key = 0;
        QSize size;
        QImage image;
        QString reason;
    };
    qint64 budgetBytes_;
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
