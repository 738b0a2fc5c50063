#include "render/stepapplication.h"

#include "cover/discgeometry.h"
#include "cover/fitpixels.h"
#include "cover/fitting.h"
#include "decor/gradient.h"
#include "decor/insertcopy.h"
#include "decor/quarterturn.h"
#include "decor/slidepiece.h"
#include "text/textpainter.h"
#include "text/textstamp.h"

namespace {

// A step other than a fit needs the picture as fitted, which only a fit makes.
const QString kNoFit = QStringLiteral("the step it was fitted with is no longer kept");

class Application {
public:
    Application(StepPictures& pictures, const StepCanvas& canvas, const QImage& source)
        : pictures_(pictures), canvas_(canvas), source_(source) {}

    std::optional<QString> operator()(const FitStep& fit) {
        QImage fitted;
        if (canvas_.onScreen()) {
            if (source_.isNull())
                return QStringLiteral("it has no picture to fit");
            fitted = fitToCover(source_, canvas_.mode, canvas_.mask).picture;
        } else if (const auto* gradient = std::get_if<GradientSource>(&fit.source)) {
            fitted = gradient->elliptical
                         ? ellipticalGradientAt(gradient->first, gradient->second, canvas_.size)
                         : linearGradientAt(gradient->mode, gradient->first, gradient->second, canvas_.size);
            if (!canvas_.mask.isNull())
                stampMask(fitted, canvas_.mask);
        } else {
            if (source_.isNull())
                return QStringLiteral("its picture file is gone");
            const QImage piece = fit.piece.isEmpty() ? source_ : slidePiece(source_, fit.piece);
            fitted = fitAt(piece, canvas_.mode, canvas_.size, canvas_.mask);
        }
        pictures_.picture = pictures_.kept = pictures_.fitted = fitted;
        return std::nullopt;
    }

    std::optional<QString> operator()(const TextLayoutStep& layout) {
        // A layout starts from the picture as fitted; a picture never fitted is drawn on as it is.
        if (!pictures_.fitted.isNull())
            pictures_.picture = pictures_.fitted;
        pictures_.picture.detach();
        paintTextPlanAt(pictures_.picture, layout.plan, canvas_.scale(), canvas_.mask);
        return std::nullopt;
    }

    std::optional<QString> operator()(const StampStep& stamp) {
        pictures_.picture.detach();
        stampTextAt(pictures_.picture, stamp.stamp, stamp.corner, canvas_.scale());
        return std::nullopt;
    }

    // The picture turns as it is seen, and the picture as fitted with it.
    std::optional<QString> operator()(const TurnStep& turn) {
        pictures_.picture = turned(pictures_.picture, turn.left);
        if (!pictures_.fitted.isNull())
            pictures_.fitted = turned(pictures_.fitted, turn.left);
        pictures_.kept = pictures_.picture;
        return std::nullopt;
    }

    std::optional<QString> operator()(const InsertStep& insert) {
        pictures_.picture =
            withInsertedPictureAt(pictures_.picture, insert.picture, insert.at, canvas_.scale());
        return std::nullopt;
    }

    std::optional<QString> operator()(const ClearStep&) {
        if (pictures_.fitted.isNull())
            return kNoFit;
        pictures_.picture = pictures_.fitted;
        return std::nullopt;
    }

private:
    // A calibration a dot taller than wide turns into one a dot wider: back to the size.
    QImage turned(const QImage& picture, bool left) const {
        QImage result = left ? turnedLeft(picture) : turnedRight(picture);
        if (canvas_.onScreen() || result.size() == canvas_.size)
            return result;
        return stretchToSize(result, canvas_.size);
    }

    StepPictures& pictures_;
    const StepCanvas& canvas_;
    const QImage& source_;
};

} // namespace

StepCanvas StepCanvas::screen(CoverMode mode, QImage mask) {
    return {mode, fitSizesFor(mode).final, fitSizesFor(mode).discMask ? std::move(mask) : QImage()};
}

StepCanvas StepCanvas::printed(CoverMode mode, QSize size) {
    StepCanvas canvas{mode, size, {}};
    if (fitSizesFor(mode).discMask)
        canvas.mask = disc::maskAt(mode == CoverMode::MiniCd ? disc::kMiniSize : disc::kCoverSize, size);
    return canvas;
}

bool StepCanvas::onScreen() const {
    return size == fitSizesFor(mode).final;
}

QSizeF StepCanvas::scale() const {
    const QSize screen = fitSizesFor(mode).final;
    return {double(size.width()) / screen.width(), double(size.height()) / screen.height()};
}

std::optional<QString> applyStep(const CoverStep& step, StepPictures& pictures, const StepCanvas& canvas,
                                 const QImage& source) {
    if (step.keptWasPicture)
        pictures.kept = pictures.picture;
    if (!std::holds_alternative<FitStep>(step.inputs) &&
        !std::holds_alternative<TextLayoutStep>(step.inputs) && pictures.picture.isNull())
        return QStringLiteral("it has no picture to draw on");
    return std::visit(Application(pictures, canvas, source), step.inputs);
}
