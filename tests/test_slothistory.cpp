// A slot's history: every state comes back byte for byte, whichever way the picture was packed,
// and the history holds its last 50 steps at about the cost of what they changed.
#include "cover/slothistory.h"
#include "decor/quarterturn.h"
#include "support/pictures.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage paintedOver(const QImage& picture, QRect box, QColor colour) {
    QImage painted = picture.copy();
    QPainter(&painted).fillRect(box, colour);
    return painted;
}

SlotState fitted(const QImage& picture) {
    return {Picture(picture), Picture(picture), Picture(picture), true, true};
}

SlotState withPicture(const SlotState& state, const QImage& picture) {
    SlotState changed = state;
    changed.picture = Picture(picture);
    return changed;
}

void expectSame(const SlotState& a, const SlotState& b, int index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(a.picture.bitmap(), b.picture.bitmap());
    EXPECT_EQ(a.kept.bitmap(), b.kept.bitmap());
    EXPECT_EQ(a.fitted.bitmap(), b.fitted.bitmap());
    EXPECT_EQ(a.loaded, b.loaded);
    EXPECT_EQ(a.resized, b.resized);
}

CoverStep step(int n) {
    return {QStringLiteral("Step %1").arg(n), ClearStep{}};
}

} // namespace

TEST(SlotHistory, UndoAndRedoGiveBackEveryStateByteForByte) {
    const QImage photo = noisePicture(450, 450, 1);
    QImage indexed = noisePicture(200, 120, 2).convertToFormat(QImage::Format_Indexed8);
    std::vector<SlotState> states{SlotState{}, fitted(photo)};
    states.push_back(
        withPicture(states.back(), paintedOver(photo, {40, 50, 90, 20}, Qt::yellow))); // few pixels
    states.push_back(fitted(photo.transformed(QTransform().rotate(90))));              // another shape
    states.push_back(withPicture(states.back(), indexed));                             // another format
    states.push_back(withPicture(states.back(), paintedOver(indexed, {0, 0, 10, 10}, Qt::red)));
    SlotHistory history;
    for (size_t i = 1; i < states.size(); ++i)
        history.record(step(int(i)), states[i - 1], states[i]);

    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_NE(history.undoable(), nullptr);
        EXPECT_EQ(history.undoable()->name, step(int(i)).name);
        expectSame(history.undo(states[i]), states[i - 1], int(i - 1));
    }
    EXPECT_EQ(history.undoable(), nullptr);
    for (size_t i = 1; i < states.size(); ++i)
        expectSame(history.redo(states[i - 1]), states[i], int(i));
    EXPECT_EQ(history.redoable(), nullptr);
}

TEST(SlotHistory, KeepsTheLastFiftyStepsAtTheCostOfWhatTheyChanged) {
    const QImage photo = noisePicture(450, 450, 3);
    std::vector<SlotState> states{fitted(photo)};
    SlotHistory history;
    for (int i = 1; i <= 60; ++i) {
        states.push_back(
            withPicture(states.back(), paintedOver(states.back().picture.bitmap(), {i * 5, i * 5, 60, 16},
                                                   QColor(i * 4, 0, 0))));
        history.record(step(i), states[size_t(i) - 1], states.back());
    }
    // A stamp-sized change packs to a few hundred bytes, far below the picture it changed.
    EXPECT_LT(history.bytes(), 3 * photo.sizeInBytes());

    int undone = 0;
    SlotState reached = states.back();
    while (history.undoable() != nullptr) {
        reached = history.undo(reached);
        ++undone;
    }
    EXPECT_EQ(undone, int(SlotHistory::kDepth));
    expectSame(reached, states[60 - SlotHistory::kDepth], 10);
}

TEST(SlotHistory, AStepAfterUndoDropsTheStepsUndoneAndTakesInWhatChangedBetweenSteps) {
    const QImage photo = noisePicture(300, 300, 4);
    const SlotState first = fitted(photo);
    const SlotState stamped = withPicture(first, paintedOver(photo, {10, 10, 30, 10}, Qt::blue));
    const SlotState centred = withPicture(first, paintedOver(photo, {100, 140, 100, 20}, Qt::white));
    SlotHistory history;
    history.record(step(1), first, stamped);
    history.record(step(2), stamped, centred);
    history.undo(centred);
    // Print refreshed the kept copy in between: not a step, but the state the next step starts from.
    SlotState refreshed = stamped;
    refreshed.kept = stamped.picture;
    history.record(step(3), refreshed, centred);
    EXPECT_EQ(history.redoable(), nullptr);

    expectSame(history.undo(centred), refreshed, 1);
    expectSame(history.undo(refreshed), first, 0);
    expectSame(history.redo(first), refreshed, 1);
    expectSame(history.redo(refreshed), centred, 3);
}

// Print refreshes the kept copy without a step: an undo keeps that in the state it leaves, so the
// redo comes back to the slot as it was, not to the state the history last recorded.
TEST(SlotHistory, UndoAndRedoStartFromTheSlotAsItIs) {
    const QImage photo = noisePicture(200, 200, 5);
    const SlotState first = fitted(photo);
    const SlotState stamped = withPicture(first, paintedOver(photo, {10, 10, 40, 12}, Qt::green));
    SlotHistory history;
    history.record(step(1), first, stamped);
    SlotState printed = stamped;
    printed.kept = stamped.picture;
    expectSame(history.undo(printed), first, 0);
    expectSame(history.redo(first), printed, 1);
    expectSame(history.undo(printed), first, 0);
}

// Walking to the oldest step and back packs each state left again: the memory held stays what it was.
TEST(SlotHistory, AWalkBackAndForthHoldsNoMoreMemory) {
    const QImage photo = noisePicture(450, 450, 6);
    std::vector<SlotState> states{fitted(photo)};
    SlotHistory history;
    for (int i = 1; i <= 50; ++i) {
        states.push_back(
            withPicture(states.back(), paintedOver(states.back().picture.bitmap(), {i * 4, i * 3, 50, 14},
                                                   QColor(0, 0, i * 5))));
        history.record(step(i), states[size_t(i) - 1], states.back());
    }
    const qint64 before = history.bytes();
    SlotState reached = states.back();
    while (history.undoable() != nullptr)
        reached = history.undo(reached);
    while (history.redoable() != nullptr)
        reached = history.redo(reached);
    expectSame(reached, states.back(), 50);
    EXPECT_LT(history.bytes(), before * 5 / 4);
}

// A turn changes every pixel: each state holds its picture once, its kept copy and its picture as
// fitted being that same picture; and turns beyond the byte budget leave the undo memory, but not
// the steps that make the picture again.
TEST(SlotHistory, TurnsCostOnePictureAndTheBudgetKeepsTheStepsSinceTheFit) {
    const QImage photo = noisePicture(450, 450, 7);
    SlotState state = fitted(photo);
    SlotHistory history;
    history.record({QStringLiteral("Resize"), FitStep{}}, SlotState{}, state);
    const SlotState turned = fitted(noisePicture(450, 450, 8));
    history.record({QStringLiteral("Rotate Left"), TurnStep{true}}, state, turned);
    // The fitted photo packed whole, the turned picture kept whole: about two pictures, not four.
    EXPECT_LT(history.bytes(), photo.sizeInBytes() * 5 / 2);

    state = turned;
    const int turns = 55;
    for (int i = 0; i < turns; ++i) {
        const SlotState next = fitted(noisePicture(450, 450, quint32(100 + i)));
        history.record({QStringLiteral("Rotate Left"), TurnStep{true}}, state, next);
        state = next;
    }
    EXPECT_LE(history.bytes(), SlotHistory::kByteBudget);
    int undoable = 0;
    SlotState reached = state;
    while (history.undoable() != nullptr) {
        reached = history.undo(reached);
        ++undoable;
    }
    EXPECT_LT(undoable, int(SlotHistory::kDepth));
    EXPECT_GT(undoable, 10);
    while (history.redoable() != nullptr)
        reached = history.redo(reached);
    const std::vector<CoverStep> done = history.stepsDone();
    ASSERT_EQ(done.size(), size_t(turns + 2));
    EXPECT_TRUE(std::holds_alternative<FitStep>(done.front().inputs));
}

// After a second fit the steps before it are not needed to make the picture again.
TEST(SlotHistory, TheStepsDoneStartAtTheLastFit) {
    const SlotState first = fitted(noisePicture(100, 100, 9));
    const SlotState second = fitted(noisePicture(100, 100, 10));
    SlotHistory history;
    history.record({QStringLiteral("Resize"), FitStep{}}, SlotState{}, first);
    history.record(step(1), first, first);
    history.record({QStringLiteral("Gradient"), FitStep{}}, first, second);
    history.record(step(2), second, second);
    std::vector<CoverStep> done = history.stepsDone();
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done.front().name, "Gradient");
    history.undo(second);
    history.undo(second);
    done = history.stepsDone();
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done.front().name, "Resize");
}

// A turn's two sides are kept as one picture and the turn, and come back byte for byte with their
// resolution; a picture that is a turn but for one pixel is not taken for one.
TEST(SlotHistory, ATurnIsKeptAsTheTurnItselfAndTurnsBackExactly) {
    QImage photo = noisePicture(300, 200, 9);
    photo.setDotsPerMeterX(5000);
    const auto turn = [](const SlotState& was, bool left) { // the picture as fitted turned apart
        const auto turned = [left](const Picture& picture) {
            return Picture(left ? turnedLeft(picture.bitmap()) : turnedRight(picture.bitmap()));
        };
        const Picture picture = turned(was.picture);
        return SlotState{picture, picture, turned(was.fitted), true, true};
    };
    std::vector<SlotState> states{fitted(photo)};
    states.push_back(turn(states[0], true));
    states.push_back(turn(states[1], false));
    QImage almost = turnedLeft(states[2].picture.bitmap());
    almost.setPixel(1, 1, ~almost.pixel(1, 1)); // not a corner
    states.push_back(withPicture(states[2], almost));
    SlotHistory history;
    history.record(step(1), states[0], states[1]);
    history.record(step(2), states[1], states[2]);
    EXPECT_LT(history.bytes(), photo.sizeInBytes() * 11 / 10); // one picture
    history.record(step(3), states[2], states[3]);
    SlotState reached = states.back();
    for (size_t i = states.size() - 1; i > 0; --i)
        expectSame(reached = history.undo(reached), states[i - 1], int(i - 1));
    EXPECT_EQ(reached.picture.bitmap().dotsPerMeterX(), 5000);
    for (size_t i = 1; i < states.size(); ++i)
        expectSame(history.redo(states[i - 1]), states[i], int(i));
}
