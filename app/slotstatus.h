#pragma once

#include "cover/covermode.h"

#include <QString>
#include <optional>

struct CoverDocument;

// What the status bar says of a slot: where its picture came from (the photo's file name,
// "Gradient", or "None..." when the slot holds nothing of the user's) and whether it is fitted.
struct SlotStatus {
    std::optional<QString> source; // nothing: the history no longer knows
    bool fitted = false;
};

SlotStatus slotStatus(const CoverDocument& document, const SlotInfo& slot);
