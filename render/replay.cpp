#include "render/replay.h"

#include "cover/fitting.h"
#include "platform/orbalinerror.h"
#include "platform/picture.h"
#include "render/stepapplication.h"

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
        reason =
            QStringLiteral("its picture file \"%1\" has changed since it was opened").arg(file.fileName());
        return {};
    }
    try {
        return Picture::load(source.path).bitmap();
    } catch (const OrbalinError& error) {
        reason = error.message();
        return {};
    }
}

} // namespace

Replayed replayAt(const std::vector<CoverStep>& steps, CoverMode mode, QSize size) {
    if (steps.empty() || size.isEmpty())
        return {{}, QStringLiteral("it has no steps to draw it from")};
    const StepCanvas canvas = StepCanvas::printed(mode, size);
    // A picture that could not be had at this size must not print as an empty page.
    const QString noMemory = QStringLiteral("there is not enough memory to make it at the size it prints");
    if (fitSizesFor(mode).discMask && canvas.mask.isNull())
        return {{}, noMemory};
    StepPictures pictures;
    for (const CoverStep& step : steps) {
        QImage source;
        if (const auto* fit = std::get_if<FitStep>(&step.inputs)) {
            if (const auto* opened = std::get_if<OpenedSource>(&fit->source)) {
                QString reason;
                source = sourceOf(*opened, reason);
                if (source.isNull())
                    return {{}, reason};
            }
        } else if (pictures.fitted.isNull()) {
            return {{}, QStringLiteral("the step it was fitted with is no longer kept")};
        }
        if (const std::optional<QString> reason = applyStep(step, pictures, canvas, source))
            return {{}, *reason};
        if (pictures.picture.isNull())
            return {{}, noMemory};
    }
    return {pictures.picture, {}};
}
