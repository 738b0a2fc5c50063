#include "cover/slothistory.h"

#include <set>

namespace {

// The picture as fitted is kept as the picture when their pixels are equal, so it is the same
// when its pixels are.
bool sameState(const SlotState& a, const SlotState& b) {
    return a.picture.bitmap().cacheKey() == b.picture.bitmap().cacheKey() &&
           a.kept.bitmap().cacheKey() == b.kept.bitmap().cacheKey() &&
           a.fitted.bitmap() == b.fitted.bitmap() && a.loaded == b.loaded && a.resized == b.resized;
}

bool isPictureOf(const Picture& other, const SlotState& state) {
    return !state.picture.isEmpty() && other.bitmap().cacheKey() == state.picture.bitmap().cacheKey();
}

// A turn makes the picture as fitted apart from the picture, often of the same pixels.
bool isPictureOrItsPixels(const Picture& fitted, const SlotState& state) {
    const QImage& a = fitted.bitmap();
    const QImage& b = state.picture.bitmap();
    return isPictureOf(fitted, state) || (!b.isNull() && a.dotsPerMeterX() == b.dotsPerMeterX() &&
                                          a.dotsPerMeterY() == b.dotsPerMeterY() && a == b);
}

} // namespace

// Each picture kept whole, or packed against the neighbour's; a kept copy or a picture as fitted
// that is the picture is kept as that.
SlotHistory::State SlotHistory::stateOf(const SlotState& state, const SlotState* neighbour) {
    const auto pack = [neighbour](const Picture& picture, const Picture SlotState::*field) {
        return neighbour ? PackedPicture::against(picture.bitmap(), (neighbour->*field).bitmap())
                         : PackedPicture(picture.bitmap());
    };
    State result{pack(state.picture, &SlotState::picture),
                 {},
                 {},
                 Alias::None,
                 Alias::None,
                 state.loaded,
                 state.resized};
    if (isPictureOf(state.kept, state))
        result.keptAlias = Alias::Picture;
    else
        result.kept = pack(state.kept, &SlotState::kept);
    if (isPictureOrItsPixels(state.fitted, state))
        result.fittedAlias = Alias::Picture;
    else
        result.fitted = pack(state.fitted, &SlotState::fitted);
    return result;
}

SlotHistory::State SlotHistory::whole(const SlotState& state) {
    return stateOf(state, nullptr);
}

SlotHistory::State SlotHistory::packed(const SlotState& state, const SlotState& neighbour) {
    return stateOf(state, &neighbour);
}

SlotState SlotHistory::unpacked(const State& state, const SlotState& neighbour) {
    SlotState unpacked{
        Picture(state.picture.unpacked(neighbour.picture.bitmap())), {}, {}, state.loaded, state.resized};
    unpacked.kept = state.keptAlias == Alias::Picture ? unpacked.picture
                                                      : Picture(state.kept.unpacked(neighbour.kept.bitmap()));
    unpacked.fitted = state.fittedAlias == Alias::Picture
                          ? unpacked.picture
                          : Picture(state.fitted.unpacked(neighbour.fitted.bitmap()));
    return unpacked;
}

SlotState SlotHistory::present() const {
    const State& state = states_[at_];
    const Picture picture(state.picture.whole());
    return {picture, state.keptAlias == Alias::Picture ? picture : Picture(state.kept.whole()),
            state.fittedAlias == Alias::Picture ? picture : Picture(state.fitted.whole()), state.loaded,
            state.resized};
}

void SlotHistory::takeIn(const SlotState& actual) {
    const SlotState present = this->present();
    if (sameState(present, actual))
        return;
    if (at_ > 0)
        states_[at_ - 1] = packed(unpacked(states_[at_ - 1], present), actual);
    if (at_ + 1 < states_.size())
        states_[at_ + 1] = packed(unpacked(states_[at_ + 1], present), actual);
    states_[at_] = whole(actual);
}

void SlotHistory::record(CoverStep step, const SlotState& before, const SlotState& after) {
    if (states_.empty()) {
        states_.push_back(whole(before));
        at_ = 0;
    }
    states_.resize(at_ + 1);
    steps_.resize(at_);
    takeIn(before);
    states_[at_] = packed(before, after);
    states_.push_back(whole(after));
    steps_.push_back(std::move(step));
    ++at_;
    while (steps_.size() > kDepth || (steps_.size() > 1 && bytes() > kByteBudget))
        dropOldest();
}

void SlotHistory::dropOldest() {
    CoverStep oldest = std::move(steps_.front());
    const bool fit = std::holds_alternative<FitStep>(oldest.inputs);
    if (fit)
        fallenOut_.clear();
    if (fit || !fallenOut_.empty())
        fallenOut_.push_back(std::move(oldest));
    states_.erase(states_.begin());
    steps_.erase(steps_.begin());
    --at_;
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

SlotState SlotHistory::undo(const SlotState& actual) {
    takeIn(actual);
    return moveTo(at_ - 1);
}

SlotState SlotHistory::redo(const SlotState& actual) {
    takeIn(actual);
    return moveTo(at_ + 1);
}

std::vector<CoverStep> SlotHistory::stepsDone() const {
    std::vector<CoverStep> done = fallenOut_;
    done.insert(done.end(), steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(at_));
    // Each fit starts the picture afresh: what came before the last one is not needed.
    for (size_t i = done.size(); i-- > 1;)
        if (std::holds_alternative<FitStep>(done[i].inputs)) {
            done.erase(done.begin(), done.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    return done;
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
