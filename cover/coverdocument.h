#pragma once

#include "cover/covermode.h"
#include "cover/printerreading.h"
#include "platform/picture.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The document state of the main window, which every window reads and writes: the eight picture
// slots, the current mode and slot, the printer metrics and the current mode's calibration.
// The main window inherits it; the other windows reach it through MainWindowPort::document().
struct CoverDocument {
    QString programFolder; // with its trailing separator
    int slotCode = 1;
    std::array<Picture, kSlotCount> slotPicture;
    std::array<Picture, kSlotCount> slotKept;
    Picture scratchPicture;
    Picture discMask;
    Picture smallDiscMask;
    std::array<bool, kSlotCount> slotLoaded{};
    std::array<bool, kSlotCount> slotResized{};
    // The stretch for Resize made while the slot's picture was read; it serves only while the slot
    // still holds that picture unchanged (the same cache key).
    struct PreparedStretch {
        qint64 pictureKey = 0;
        QImage stretched;
    };
    std::array<PreparedStretch, kSlotCount> slotStretch;
    std::array<bool, 3> printerChanged{};
    // Per mode (index: mode number − 1): the printer changed and the user has not saved the
    // mode's calibration since, so its printed size is the new printer's true size.
    std::array<bool, 4> sizeFromNewPrinter{};
    bool noPrinter = true;
    PrinterReading printerReading;
    float coverDotsXF = 0, coverDotsYF = 0;
    int coverDotsX = 0, coverDotsY = 0;
    CalibrationTexts calibrationText;
    QString languageFileName;
    int gradientState = 0;
    bool reverseMode = false;
    int pictureLeft = 0, pictureTop = 0;
    QStringList Memo1; // calibration file lines
    QStringList Memo2; // language choice file lines

    std::optional<SlotInfo> currentSlot() const { return slotFor(slotCode); }
    CoverMode currentMode() const;
    QString calibrationPath(CoverMode mode) const;
};
