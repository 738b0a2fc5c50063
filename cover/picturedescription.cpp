#include "cover/picturedescription.h"

#include "cover/coverdocument.h"

#include <QStringList>

namespace {

// What the steps done so far leave on the picture. A fit starts it afresh; a text layout is drawn
// on the fitted picture, so it takes the place of the stamps and pictures added before it.
struct Made {
    QString fit = QStringLiteral("picture"); // a history that has forgotten its fit
    QString layout;
    int stamps = 0;
    int inserts = 0;
    int quarterTurnsLeft = 0;

    void operator()(const FitStep& step) {
        *this = Made{};
        if (std::holds_alternative<GradientSource>(step.source))
            fit = QStringLiteral("gradient fitted");
        else
            fit = step.piece.isEmpty() ? QStringLiteral("photo fitted")
                                       : QStringLiteral("piece of a photo fitted");
    }
    void operator()(const TextLayoutStep&) { stamps = inserts = 0; }
    void operator()(const StampStep&) { ++stamps; }
    void operator()(const InsertStep&) { ++inserts; }
    void operator()(const TurnStep& step) { quarterTurnsLeft = (quarterTurnsLeft + (step.left ? 1 : 3)) % 4; }
    void operator()(const ClearStep&) {
        layout.clear();
        stamps = inserts = 0;
    }

    QStringList words() const {
        QStringList said{fit};
        if (!layout.isEmpty())
            said << layout + QStringLiteral(" text");
        const char* const turns[] = {nullptr, "turned left", "turned upside down", "turned right"};
        if (quarterTurnsLeft != 0)
            said << QLatin1String(turns[quarterTurnsLeft]);
        if (stamps > 0)
            said << (stamps == 1 ? QStringLiteral("1 stamp") : QStringLiteral("%1 stamps").arg(stamps));
        if (inserts > 0)
            said << (inserts == 1 ? QStringLiteral("1 added picture")
                                  : QStringLiteral("%1 added pictures").arg(inserts));
        return said;
    }
};

QString sourceName(const std::variant<OpenedSource, GradientSource>& source) {
    return std::holds_alternative<GradientSource>(source) ? QStringLiteral("gradient")
                                                          : QStringLiteral("photo");
}

} // namespace

QString pictureDescription(const CoverDocument& document, const SlotInfo& slot) {
    const auto i = static_cast<size_t>(slot.index);
    QString shows;
    if (const auto& unfitted = document.slotUnfitted[i]) {
        shows = sourceName(unfitted->source) + QStringLiteral(" not fitted yet");
    } else if (!document.slotLoaded[i]) {
        shows =
            document.slotPicture[i].isEmpty() ? QStringLiteral("empty") : QStringLiteral("example picture");
    } else {
        Made made;
        for (const CoverStep& step : document.slotHistory[i].stepsDone()) {
            if (std::holds_alternative<TextLayoutStep>(step.inputs))
                made.layout = step.name;
            std::visit(made, step.inputs);
        }
        shows = made.words().join(QStringLiteral(", "));
    }
    return QStringLiteral("%1, %2: %3")
        .arg(QLatin1String(modeInfo(slot.mode).statusText), slotStatusText(slot.second), shows);
}
