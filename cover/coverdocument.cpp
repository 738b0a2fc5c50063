#include "cover/coverdocument.h"

#include "platform/orbalinerror.h"
#include "render/stepapplication.h"

#include <utility>

namespace {

QString openedName(const std::variant<OpenedSource, GradientSource>& source) {
    return std::holds_alternative<OpenedSource>(source) ? QStringLiteral("Open") : QStringLiteral("Gradient");
}

// The refresh file holds the slot's fitted picture, which Clear and the text layouts start from.
void keepRefreshFile(const QString& path, const Picture& was, const Picture& fitted) {
    if (fitted.isEmpty() || fitted.bitmap().cacheKey() == was.bitmap().cacheKey())
        return;
    fitted.saveBmp(path);
}

} // namespace

CoverMode CoverDocument::currentMode() const {
    const std::optional<SlotInfo> slot = currentSlot();
    return slot ? slot->mode : CoverMode::CdCover;
}

QString CoverDocument::calibrationPath(CoverMode mode) const {
    return ownFile(QLatin1String(modeInfo(mode).calibrationFile));
}

SlotState CoverDocument::slotState(size_t slot) const {
    return {slotPicture[slot], slotKept[slot], slotFitted[slot], slotLoaded[slot], slotResized[slot]};
}

void CoverDocument::showExample(Picture example) {
    slotPicture[0] = std::move(example);
}

void CoverDocument::putState(size_t slot, const SlotState& state) {
    slotPicture[slot] = state.picture;
    slotKept[slot] = state.kept;
    slotFitted[slot] = state.fitted;
    slotLoaded[slot] = state.loaded;
    slotResized[slot] = state.resized;
}

void CoverDocument::putUnfitted(size_t slot, Picture picture,
                                std::variant<OpenedSource, GradientSource> source) {
    slotUndoneOpen_[slot].reset();
    const SlotState before = slotUnfitted[slot] ? slotUnfitted[slot]->before : slotState(slot);
    slotUnfitted[slot] = Unfitted{before, std::move(source), {}};
    slotPicture[slot] = std::move(picture);
    slotLoaded[slot] = true;
    slotResized[slot] = false;
    changed();
}

void CoverDocument::putPiece(size_t slot, Picture piece, QRect rect) {
    if (!slotUnfitted[slot])
        slotUnfitted[slot] = Unfitted{slotState(slot), OpenedSource{}, {}};
    slotUnfitted[slot]->piece = rect;
    slotPicture[slot] = std::move(piece);
    changed();
}

void CoverDocument::commitStep(size_t slot, CoverStep step, const SlotState& after) {
    slotUndoneOpen_[slot].reset();
    SlotState before = slotState(slot);
    step.keptWasPicture = before.kept.bitmap().cacheKey() == before.picture.bitmap().cacheKey();
    if (std::optional<Unfitted> unfitted = std::exchange(slotUnfitted[slot], std::nullopt)) {
        before = unfitted->before;
        // A fit is named after what it fitted.
        if (auto* fit = std::get_if<FitStep>(&step.inputs)) {
            fit->source = unfitted->source;
            fit->piece = unfitted->piece;
            if (std::holds_alternative<GradientSource>(unfitted->source))
                step.name = QStringLiteral("Gradient");
            else if (!unfitted->piece.isEmpty())
                step.name = QStringLiteral("Resize-Adjust");
        }
    }
    slotHistory[slot].record(std::move(step), before, after);
    putState(slot, after);
    changed();
}

void CoverDocument::apply(size_t slot, CoverStep step) {
    const SlotState before = slotState(slot);
    const SlotInfo& info = slotTable()[slot];
    const QImage& mask = info.mode == CoverMode::MiniCd ? smallDiscMask.bitmap() : discMask.bitmap();
    StepPictures pictures{before.picture.bitmap(), before.kept.bitmap(), before.fitted.bitmap()};
    if (const std::optional<QString> reason = applyStep(step, pictures, StepCanvas::screen(info.mode, mask)))
        throw OrbalinError(QStringLiteral("%1 cannot be done: %2.").arg(step.name, *reason));
    const SlotState after{Picture(pictures.picture), Picture(pictures.kept), Picture(pictures.fitted),
                          before.loaded, before.resized};
    keepRefreshFile(workFile(QLatin1String(info.refreshFile)), before.fitted, after.fitted);
    commitStep(slot, std::move(step), after);
}

void CoverDocument::showSlot(int code) {
    slotCode = code;
    changed();
}

void CoverDocument::switchSlot(int code, bool parkLeft) {
    const std::optional<SlotInfo> left = currentSlot();
    const std::optional<SlotInfo> shown = slotFor(code);
    if (left && parkLeft) {
        slotKept[size_t(left->index)] = slotPicture[size_t(left->index)];
        slotPicture[size_t(left->index)].clear();
    }
    if (shown)
        slotPicture[size_t(shown->index)] = slotKept[size_t(shown->index)];
    slotCode = code;
    changed();
}

void CoverDocument::refreshKept(size_t slot) {
    slotKept[slot] = slotPicture[slot];
}

QString CoverDocument::undoName() const {
    const std::optional<SlotInfo> slot = currentSlot();
    if (!slot)
        return {};
    const auto i = size_t(slot->index);
    if (slotUnfitted[i])
        return openedName(slotUnfitted[i]->source);
    const CoverStep* step = slotHistory[i].undoable();
    return step ? step->name : QString();
}

QString CoverDocument::redoName() const {
    const std::optional<SlotInfo> slot = currentSlot();
    if (!slot || slotUnfitted[size_t(slot->index)])
        return {};
    if (const auto& undone = slotUndoneOpen_[size_t(slot->index)])
        return openedName(undone->unfitted.source);
    const CoverStep* step = slotHistory[size_t(slot->index)].redoable();
    return step ? step->name : QString();
}

void CoverDocument::undoStep() {
    if (undoName().isEmpty())
        return;
    const auto i = size_t(currentSlot()->index);
    if (std::optional<Unfitted> unfitted = std::exchange(slotUnfitted[i], std::nullopt)) {
        slotUndoneOpen_[i] = UndoneOpen{*unfitted, slotPicture[i]};
        putState(i, unfitted->before);
        changed();
        return;
    }
    moveThroughHistory(i, true);
}

void CoverDocument::redoStep() {
    if (redoName().isEmpty())
        return;
    const auto i = size_t(currentSlot()->index);
    if (std::optional<UndoneOpen> undone = std::exchange(slotUndoneOpen_[i], std::nullopt)) {
        slotUnfitted[i] = undone->unfitted;
        slotPicture[i] = undone->picture;
        slotLoaded[i] = true;
        slotResized[i] = false;
        changed();
        return;
    }
    moveThroughHistory(i, false);
}

// The refresh file is written before the slot changes; when it cannot be, the history goes back
// to where it was and the slot stays as it is.
void CoverDocument::moveThroughHistory(size_t slot, bool back) {
    SlotHistory& history = slotHistory[slot];
    const SlotState actual = slotState(slot);
    const SlotState state = back ? history.undo(actual) : history.redo(actual);
    try {
        keepRefreshFile(workFile(QLatin1String(slotTable()[slot].refreshFile)), slotFitted[slot],
                        state.fitted);
    } catch (...) {
        back ? history.redo(state) : history.undo(state);
        throw;
    }
    putState(slot, state);
    changed();
}
