#pragma once

#include "cover/covermode.h"
#include "cover/coverstep.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

// What a step changes: the slot's picture, its kept copy and its picture as fitted (the one Clear
// and the text layouts start from).
struct StepPictures {
    QImage picture, kept, fitted;
};

// Where a step is drawn: on screen (the mode's screen size) or at the size it is printed, with the
// disc's mask at that size (null for the square and oblong inserts).
struct StepCanvas {
    CoverMode mode = CoverMode::CdCover;
    QSize size;
    QImage mask;

    static StepCanvas screen(CoverMode mode, QImage mask);
    static StepCanvas printed(CoverMode mode, QSize size);
    bool onScreen() const;
    // Printed size over screen size, across and down.
    QSizeF scale() const;
};

// Applies `step` to `pictures`, the same way on screen and at any printed size: the one place each
// kind of step is given its meaning. A fit takes `source`, the picture it fits: on screen the
// opened picture or the gradient as shown; printed, the photo read again (a gradient is computed
// at the printed size and needs none). Nullopt when the step was applied, else why not.
std::optional<QString> applyStep(const CoverStep& step, StepPictures& pictures, const StepCanvas& canvas,
                                 const QImage& source = {});
