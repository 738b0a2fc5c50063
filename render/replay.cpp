#include "render/replay.h"

#include "cover/discgeometry.h"
#include "cover/fitpixels.h"
#include "cover/fitting.h"
#include "decor/gradient.h"
#include "decor/insertcopy.h"
#include "decor/quarterturn.h"
#include "decor/slidepiece.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"
#include "text/textpainter.h"
#include "text/textstamp.h"

#include <QFileInfo>

namespace {

// The photo as it was opened, or why it cannot be had again.
QImage sourceOf(const OpenedSource& source, QString& reason) {
    const QFileInfo file(source.path);
    if (source.path.isEmpty() || !file.exists()) {
        reason = QStringLiteral("its picture file is gone");
        return {};
    }
    if (file.lastModified() != source.modified || file.size() != source.bytes) {
        reason = QStringLiteral("its picture file \"%1\" has changed since it was opened").arg(file.fileName());
        return {};
    }
    try {
        return Picture::load(source.path).bitmap();
    } catch (const OrbalinError& error) {
        reason = error.message();
        return {};
    }
}

class Replay {
public:
    Replay(CoverMode mode, QSize size)
        : mode_(mode), size_(size), screen_(fitSizesFor(mode).final),
          scale_(double(size.width()) / screen_.width(), double(size.height()) / screen_.height()) {
        if (fitSizesFor(mode).discMask)
            mask_ = disc::maskAt(mode == CoverMode::MiniCd ? disc::kMiniSize : disc::kCoverSize, size);
    }

    bool apply(const CoverStep& step) {
        if (!applyStep(step))
            return false;
        // A picture that could not be had at this size must not print as an empty page.
        if (picture_.isNull() || (fitSizesFor(mode_).discMask && mask_.isNull())) {
            reason_ = QStringLiteral("there is not enough memory to make it at the size it prints");
            return false;
        }
        return true;
    }

    const QImage& picture() const { return picture_; }
    const QString& reason() const { return reason_; }

private:
    bool applyStep(const CoverStep& step) {
        if (step.keptWasPicture)
            kept_ = picture_;
        if (const auto* fit = std::get_if<FitStep>(&step.inputs))
            return this->fit(*fit);
        if (fitted_.isNull()) {
            reason_ = QStringLiteral("the step it was fitted with is no longer kept");
            return false;
        }
        if (const auto* layout = std::get_if<TextLayoutStep>(&step.inputs)) {
            picture_ = fitted_;
            paintTextPlanAt(picture_, layout->plan, scale_, mask_);
        } else if (const auto* stamp = std::get_if<StampStep>(&step.inputs)) {
            stampTextAt(picture_, stamp->stamp, stamp->corner, scale_);
        } else if (const auto* turn = std::get_if<TurnStep>(&step.inputs)) {
            picture_ = turn->left ? turnedLeft(kept_) : turnedRight(kept_);
            // A calibration a dot taller than wide turns into one a dot wider: back to the size.
            if (picture_.size() != size_)
                picture_ = stretchToSize(picture_, size_);
            kept_ = picture_;
        } else if (const auto* insert = std::get_if<InsertStep>(&step.inputs)) {
            picture_ = withInsertedPictureAt(picture_, insert->picture, insert->at, scale_);
        } else if (std::holds_alternative<ClearStep>(step.inputs)) {
            picture_ = fitted_;
        }
        return true;
    }

    bool fit(const FitStep& fit) {
        QImage fitted;
        if (const auto* gradient = std::get_if<GradientSource>(&fit.source)) {
            fitted = gradient->elliptical ? ellipticalGradientAt(gradient->first, gradient->second, size_)
                                          : linearGradientAt(gradient->mode, gradient->first, gradient->second, size_);
            if (!mask_.isNull())
                stampMask(fitted, mask_);
        } else {
            QImage source = sourceOf(std::get<OpenedSource>(fit.source), reason_);
            if (source.isNull())
                return false;
            if (!fit.piece.isEmpty())
                source = slidePiece(source, fit.piece);
            fitted = fitAt(source, mode_, size_, mask_);
        }
        picture_ = kept_ = fitted_ = fitted;
        return true;
    }

    CoverMode mode_;
    QSize size_;
    QSize screen_;
    QSizeF scale_;
    QImage mask_;
    QImage picture_, kept_, fitted_;
    QString reason_;
};

} // namespace

Replayed replayAt(const std::vector<CoverStep>& steps, CoverMode mode, QSize size) {
    if (steps.empty() || size.isEmpty())
        return {{}, QStringLiteral("it has no steps to draw it from")};
    Replay replay(mode, size);
    for (const CoverStep& step : steps)
        if (!replay.apply(step))
            return {{}, replay.reason()};
    return {replay.picture(), {}};
}
