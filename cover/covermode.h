#pragma once

#include <QString>
#include <array>
#include <optional>

// The four kinds of insert, numbered as the status bar and the slot codes count them.
enum class CoverMode { CdCover = 1, FrontCover = 2, BackCover = 3, MiniCd = 4 };

struct ModeInfo {
    CoverMode mode;
    const char* statusText;      // panel 3 of the status bar
    const char* calibrationFile; // in the program folder
    double factorX;              // printed size across, in centimetres
    double factorY;              // printed size down, in centimetres
    bool effectsEnabled;
    std::optional<bool> printEnabled; // nullopt: the switch leaves the button as it is
    bool showsChooserWhenCurrent;     // choosing the current mode again opens the mode chooser
};

// A mode's calibration as the six lines of its file: offsets across and down of Picture #1 and
// Picture #2 in centimetres ("0.00"), then the printed width and height in printer dots.
using CalibrationTexts = std::array<QString, 6>;

const ModeInfo& modeInfo(CoverMode mode);
inline int modeNumber(CoverMode mode) {
    return static_cast<int>(mode);
}

// A picture slot: Picture #1 or #2 of a mode. slotCode is the mode number for Picture #1 and
// eleven times it for Picture #2.
struct SlotInfo {
    int code;
    int index; // into the per-slot arrays
    CoverMode mode;
    bool second;
    const char* workingFile; // snapshot written by every load
    const char* refreshFile; // the picture as it was right after its fit
};

inline constexpr int kSlotCount = 8;
const std::array<SlotInfo, kSlotCount>& slotTable();
std::optional<SlotInfo> slotFor(int slotCode);
const SlotInfo& slotOf(CoverMode mode, bool second);

inline QString slotStatusText(bool second) {
    return second ? QStringLiteral("Picture #2") : QStringLiteral("Picture #1");
}
