#pragma once

#include "cover/covermode.h"

#include <QImage>
#include <QSize>

// A small picture of the printed page for a mode: an A4 sheet with Picture #1 and Picture #2 where
// the default calibration puts them, drawn to scale. The sheet is centred in `size` with its
// proportions kept; everything outside it is transparent.
QImage pageSketch(CoverMode mode, QSize size);
