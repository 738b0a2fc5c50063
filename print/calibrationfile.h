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

// What the Calibrate window shows for a mode without a calibration file: the values printing uses
// now (a file deleted while the program runs leaves its values in effect), with the insert's true
// size for a stretch that is no size at all (0 or not a number, as when there was no printer).
CalibrationTexts calibrationWithoutFile(const CalibrationTexts& inEffect,
                                        const std::optional<DotSize>& trueSize);
