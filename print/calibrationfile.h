#pragma once

#include "cover/covermode.h"
#include "print/truesize.h"
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

CalibrationTexts defaultCalibration(int dotsX, int dotsY);
// The defaults for a printed size in dots, "0" for both when there is no size (no printer).
CalibrationTexts defaultCalibration(const std::optional<DotSize>& size);

// The first six lines of a calibration file; a shorter file takes the defaults for the lines it
// lacks. The texts are kept exactly as written.
CalibrationTexts calibrationFromLines(const QStringList& lines, const CalibrationTexts& defaults);
