#include "cover/slothistory.h"

#include <set>

namespace {

bool sameState(const SlotState& a, const SlotState& b) {
    return a.picture.bitmap().cacheKey() == b.picture.bitmap().cacheKey() &&
           a.kept.bitmap().cacheKey() == b.kept.bitmap().cacheKey() &&
           a.fitted.bitmap().cacheKey() == b.fitted.bitmap().cacheKey() && a.loaded == b.loaded &&
           a.resized == b.resized;
}

} // namespace

SlotHistory::State SlotHistory::whole(const SlotState& state) {
    return {PackedPicture(state.picture.bitmap()), PackedPicture(state.kept.bitmap()),
            PackedPicture(state.fitted.bitmap()), state.loaded, state.resized};
}

SlotHistory::State SlotHistory::packed(const SlotState& state, const SlotState& neighbour) {
    return {PackedPicture::against(state.picture.bitmap(), neighbour.picture.bitmap()),
            PackedPicture::against(state.kept.bitmap(), neighbour.kept.bitmap()),
            PackedPicture::against(state.fitted.bitmap(), neighbour.fitted.bitmap()), state.loaded,
            state.resized};
}

SlotState SlotHistory::unpacked(const State& state, const SlotState& neighbour) {
    return {Picture(state.picture.unpacked(neighbour.picture.bitmap())),
            Picture(state.kept.unpacked(neighbour.kept.bitmap())),
            Picture(state.fitted.unpacked(neighbour.fitted.bitmap())), state.loaded, state.resized};
}

SlotState SlotHistory::present() const {
    const State& state = states_[at_];
    return {Picture(state.picture.whole()), Picture(state.kept.whole()), Picture(state.fitted.whole()),
            state.loaded, state.resized};
}

void SlotHistory::record(CoverStep step, const SlotState& before, const SlotState& after) {
    if (states_.empty()) {
        states_.push_back(whole(before));
        at_ = 0;
    }
    states_.resize(at_ + 1);
    steps_.resize(at_);
    // What happened to the slot since the present state without being a step (Print's refresh of
    // the kept copy, a mode switch) is taken into the state before this step.
    if (const SlotState present = this->present(); !sameState(present, before)) {
        if (at_ > 0)
            states_[at_ - 1] = packed(unpacked(states_[at_ - 1], present), before);
    }
    states_[at_] = packed(before, after);
    states_.push_back(whole(after));
    steps_.push_back(std::move(step));
    ++at_;
    if (steps_.size() > kDepth) {
        states_.erase(states_.begin());
        steps_.erase(steps_.begin());
        --at_;
    }
}

const CoverStep* SlotHistory::undoable() const {
    return at_ > 0 ? &steps_[at_ - 1] : nullptr;
}

const CoverStep* SlotHistory::redoable() const {
    return at_ < steps_.size() ? &steps_[at_] : nullptr;
}

SlotState SlotHistory::moveTo(size_t to) {
    const SlotState from = present();
    const SlotState reached = unpacked(states_[to], from);
    states_[to] = whole(reached);
    states_[at_] = packed(from, reached);
    at_ = to;
    return reached;
}

SlotState SlotHistory::undo() {
    return moveTo(at_ - 1);
}

SlotState SlotHistory::redo() {
    return moveTo(at_ + 1);
}

std::vector<CoverStep> SlotHistory::stepsDone() const {
    return {steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(at_)};
}

qint64 SlotHistory::bytes() const {
    qint64 total = 0;
    std::set<qint64> counted; // pictures kept whole are often one picture shared
    for (const State& state : states_)
        for (const PackedPicture* picture : {&state.picture, &state.kept, &state.fitted})
            if (!picture->isWhole() || counted.insert(picture->whole().cacheKey()).second)
                total += picture->bytes();
    return total;
}
