#include "app/slotstatus.h"

#include "cover/coverdocument.h"

#include <QFileInfo>

namespace {

// Nothing for a picture whose file the slot never knew.
std::optional<QString> sourceName(const std::variant<OpenedSource, GradientSource>& source) {
    if (const auto* opened = std::get_if<OpenedSource>(&source))
        return opened->path.isEmpty() ? std::nullopt : std::optional(QFileInfo(opened->path).fileName());
    return QStringLiteral("Gradient");
}

} // namespace

SlotStatus slotStatus(const CoverDocument& document, const SlotInfo& slot) {
    const auto i = static_cast<size_t>(slot.index);
    if (const auto& unfitted = document.slotUnfitted[i])
        return {sourceName(unfitted->source), false};
    if (!document.slotLoaded[i])
        return {QStringLiteral("None..."), false};
    // The slot's picture is what its last fit made of its source.
    const std::vector<CoverStep> done = document.slotHistory[i].stepsDone();
    const auto* fit = done.empty() ? nullptr : std::get_if<FitStep>(&done.front().inputs);
    return {fit != nullptr ? sourceName(fit->source) : std::nullopt, document.slotResized[i]};
}
