#pragma once

#include "cover/covermode.h"
#include "cover/textplan.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <variant>

// A change to a slot's picture as the user made it, kept with what it was made from so that the
// slot's steps can be applied again from its source, at another size too.

// A photo opened from a file, or a gradient made in the Gradient window, then fitted to the insert:
// whole (Resize) or the piece the Slide frame took of it (Resize-Adjust).
struct OpenedSource {
    QString path;
    // The file as it was read: a file changed since cannot give the same picture again.
    QDateTime modified{};
    qint64 bytes = 0;
};
struct GradientSource {
    CoverMode mode = CoverMode::CdCover;
    bool elliptical = false;
    QColor first, second;
};
struct FitStep {
    std::variant<OpenedSource, GradientSource> source;
    QRect piece; // empty: the whole picture
};
// A layout of the Text Area, drawn on the picture as it was fitted.
struct TextLayoutStep {
    TextPlan plan;
};
struct StampStep {
    TextStamp stamp;
    QPoint corner;
};
struct TurnStep {
    bool left = false;
};
// An added picture (a BMP file or a gallery picture) copied in at its place.
struct InsertStep {
    QImage picture;
    QPoint at;
};
// Clear: back to the picture as it was fitted.
struct ClearStep {};

using StepInputs = std::variant<FitStep, TextLayoutStep, StampStep, TurnStep, InsertStep, ClearStep>;

struct CoverStep {
    QString name; // as the Edit menu names it: "Undo <name>"
    StepInputs inputs;
    // The kept copy was the picture itself when the step began (Print or a switch had refreshed
    // it): a turn works on the kept copy.
    bool keptWasPicture = false;
};
