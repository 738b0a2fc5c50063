#pragma once

#include "print/truesize.h"
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// A mode's calibration as the six lines of its file: offsets across and down of Picture #1 and
// Picture #2 in centimetres ("0.00"), then the printed width and height in printer dots.
using CalibrationTexts = std::array<QString, 6>;

CalibrationTexts defaultCalibration(int dotsX, int dotsY);
// The defaults for a printed size in dots, "0" for both when there is no size (no printer).
CalibrationTexts defaultCalibration(const std::optional<DotSize>& size);

// The first six lines of a calibration file; a shorter file takes the defaults for the lines it
// lacks. The texts are kept exactly as written.
CalibrationTexts calibrationFromLines(const QStringList& lines, const CalibrationTexts& defaults);
