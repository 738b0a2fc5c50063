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
class SlotHistory {
public:
    static constexpr size_t kDepth = 50;

    // Records `step`, which took the slot from `before` to `after`; the steps undone are dropped,
    // and the oldest one beyond kDepth.
    void record(CoverStep step, const SlotState& before, const SlotState& after);

    // The step an undo or a redo would take, or null.
    const CoverStep* undoable() const;
    const CoverStep* redoable() const;
    // The state before the last step done, and the state after the first step undone.
    SlotState undo();
    SlotState redo();

    // The steps done, oldest first: the slot's picture as they made it from its source.
    std::vector<CoverStep> stepsDone() const;
    // The memory it holds, a picture shared by several states counted once.
    qint64 bytes() const;

private:
    struct State {
        PackedPicture picture, kept, fitted;
        bool loaded = false;
        bool resized = false;
    };
    static State whole(const SlotState& state);
    static SlotState unpacked(const State& state, const SlotState& neighbour);
    static State packed(const SlotState& state, const SlotState& neighbour);
    SlotState present() const;
    // Moves the present point to `to`, next to it.
    SlotState moveTo(size_t to);

    std::vector<State> states_; // states_[i] and states_[i + 1] are before and after steps_[i]
    std::vector<CoverStep> steps_;
    size_t at_ = 0; // the present state, the one kept whole
};
