#include "cover/covermode.h"

namespace {
const std::array<ModeInfo, 4> kModes{{
    {CoverMode::CdCover, "Cd Cover", "Cd_cfg.ini", 12, 12, true, true, false},
    {CoverMode::FrontCover, "Front Cover", "Front_cfg.ini", 12, 12, true, true, false},
    {CoverMode::BackCover, "Back Cover", "Back_cfg.ini", 15.1, 11.9, false, true, true},
    {CoverMode::MiniCd, "Mini Cd", "MiniCd_cfg.ini", 8, 8, false, std::nullopt, false},
}};

const std::array<SlotInfo, kSlotCount> kSlots{{
    {1, 0, CoverMode::CdCover, false, "cd1_tmp.bmp", "refresh1.bmp"},
    {11, 1, CoverMode::CdCover, true, "cd1_tmp.bmp", "refresh2.bmp"},
    {2, 2, CoverMode::FrontCover, false, "cd3_tmp.bmp", "refresh3.bmp"},
    {22, 3, CoverMode::FrontCover, true, "cd4_tmp.bmp", "refresh4.bmp"},
    {3, 4, CoverMode::BackCover, false, "cd5_tmp.bmp", "refresh5.bmp"},
    {33, 5, CoverMode::BackCover, true, "cd6_tmp.bmp", "refresh6.bmp"},
    {4, 6, CoverMode::MiniCd, false, "cd7_tmp.bmp", "refresh7.bmp"},
    {44, 7, CoverMode::MiniCd, true, "CD8_tmp.bmp", "refresh8.bmp"},
}};
} // namespace

const ModeInfo& modeInfo(CoverMode mode) {
    return kModes.at(static_cast<size_t>(modeNumber(mode) - 1));
}

const std::array<SlotInfo, kSlotCount>& slotTable() {
    return kSlots;
}

std::optional<SlotInfo> slotFor(int slotCode) {
    for (const SlotInfo& slot : kSlots)
        if (slot.code == slotCode)
            return slot;
    return std::nullopt;
}

const SlotInfo& slotOf(CoverMode mode, bool second) {
    const int code = modeNumber(mode) * (second ? 11 : 1);
    for (const SlotInfo& slot : kSlots)
        if (slot.code == code)
            return slot;
    return kSlots.front(); // unreachable: every mode has both slots
}
