#pragma once

#include "print/calibrationfile.h"

#include <QString>
#include <optional>
#include <variant>

// Where the two pictures of an insert go on the page, in printer dots from the top-left corner
// of the printable area, and the size both are printed at.
struct Placement {
    int left1 = 0, top1 = 0;
    int left2 = 0, top2 = 0;
    int width = 0, height = 0;

    bool operator==(const Placement&) const = default;
};

// A calibration value that cannot be used: its index in the six texts and why.
struct CalibrationFault {
    int index = 0;
    QString reason; // what is wrong, e.g. "not a whole number of printer dots"; empty when the value is

    bool operator==(const CalibrationFault&) const = default;
};

// An offset in centimetres: decimal digits with a point as separator, read the same whatever
// the user's locale. nullopt for anything else, including infinities and NaN.
std::optional<long double> parseCentimetres(const QString& text);
// A printed size in dots: a whole number, 0 or more.
std::optional<int> parseDots(const QString& text);

// What can be a place on a page. A metre covers any sheet a printer takes. A million dots is a
// metre at 25,400 dpi, beyond any printer, and keeps every sum of a place and a size far inside
// an int.
constexpr long double kFarthestOffsetCm = 100;
constexpr int kLargestSizeDots = 1'000'000;

// The first of the six texts that cannot be a place or size on any page, whatever the printer.
std::optional<CalibrationFault> calibrationFault(const CalibrationTexts& texts);

// Converts the calibration texts with whole dots per centimetre across and down. Offsets are
// multiplied and then truncated toward zero; sizes are taken as they are. The arithmetic runs
// wide enough for any text, and a picture whose far edge would not fit in an int is refused.
std::variant<Placement, CalibrationFault> placementFor(const CalibrationTexts& texts, int dotsPerCmAcross,
                                                       int dotsPerCmDown);

// How the user knows each calibration value: its group and field in the Calibrate window.
QString calibrationFieldName(int index);
// Completes a sentence about the value: `is empty.` or `is "abc", which is not a number ...`.
// A very long value is cut short.
QString faultDescription(const CalibrationFault& fault, const QString& value);
