#pragma once

// The printer metrics the program keeps: the default printer's resolution and the size of its
// printable area in dots and millimetres. Zero throughout without a printer.
struct PrinterReading {
    float logPixelsX = 0, logPixelsY = 0;
    float horzSizeMm = 0, vertSizeMm = 0;
    float horzRes = 0, vertRes = 0;
};
