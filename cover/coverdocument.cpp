#include "cover/coverdocument.h"

CoverMode CoverDocument::currentMode() const {
    const std::optional<SlotInfo> slot = currentSlot();
    return slot ? slot->mode : CoverMode::CdCover;
}

QString CoverDocument::calibrationPath(CoverMode mode) const {
    return programFolder + QLatin1String(modeInfo(mode).calibrationFile);
}
