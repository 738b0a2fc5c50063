#pragma once

#include "cover/coverstep.h"
#include "cover/packedpicture.h"
#include "platform/picture.h"

#include <vector>

// What a step changes in a slot: its picture, its kept copy, its picture as last fitted (the one
// Clear and the text layouts start from, kept in its refresh file) and its two flags.
struct SlotState {
    Picture picture;
    Picture kept;
    Picture fitted;
    bool loaded = false;
    bool resized = false;
};

// The steps of one slot and the states between them, so that the slot can go back and forth
// through them. The state at the present point is kept whole and the others packed against their
// neighbour towards it, so a step costs about what it changed.
//
// The undo memory holds at most kDepth steps and kByteBudget bytes of pictures, whichever is
// reached first. The steps since the slot's last fit are kept whatever falls out of it: they are
// small, and the picture is made again from them at the printer's size.
class SlotHistory {
public:
    static constexpr size_t kDepth = 50;
    static constexpr qint64 kByteBudget = 24 * 1024 * 1024;

    // Records `step`, which took the slot from `before` to `after`; the steps undone are dropped,
    // and the oldest ones beyond the depth or the budget.
    void record(CoverStep step, const SlotState& before, const SlotState& after);

    // The step an undo or a redo would take, or null.
    const CoverStep* undoable() const;
    const CoverStep* redoable() const;
    // The state before the last step done, and the state after the first step undone. `actual` is
    // the slot as it is: what changed since the last step without being one (Print's refresh of
    // the kept copy) is kept in the state left, so a redo comes back to it.
    SlotState undo(const SlotState& actual);
    SlotState redo(const SlotState& actual);

    // The steps done since the slot's last fit, oldest first: its picture as they made it from
    // its source.
    std::vector<CoverStep> stepsDone() const;
    // The memory its pictures hold, a picture shared by several states counted once.
    qint64 bytes() const;

private:
    // The kept copy and the picture as fitted are often the picture itself: kept once.
    enum class Alias { None, Picture };
    struct State {
        PackedPicture picture, kept, fitted;
        Alias keptAlias = Alias::None, fittedAlias = Alias::None;
        bool loaded = false;
        bool resized = false;
    };
    static State stateOf(const SlotState& state, const SlotState* neighbour);
    static State whole(const SlotState& state);
    static SlotState unpacked(const State& state, const SlotState& neighbour);
    static State packed(const SlotState& state, const SlotState& neighbour);
    SlotState present() const;
    // Takes `actual` as the present state when the slot changed without a step.
    void takeIn(const SlotState& actual);
    // Moves the present point to `to`, next to it.
    SlotState moveTo(size_t to);
    void dropOldest();

    std::vector<State> states_; // states_[i] and states_[i + 1] are before and after steps_[i]
    std::vector<CoverStep> steps_;
    size_t at_ = 0; // the present state, the one kept whole
    // Steps fallen out of the undo memory since the last fit, the fit first.
    std::vector<CoverStep> fallenOut_;
};
