#include "cover/covermanifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Writing the manifest; reading it back is in covermanifestread.cpp.

namespace {

QJsonArray pointJson(QPoint point) {
    return {point.x(), point.y()};
}

QString colourText(const QColor& colour) {
    return colour.name(QColor::HexArgb);
}

QJsonObject styleJson(const TextStyle& style) {
    return {{"family", style.family}, {"pointSize", style.pointSize}, {"bold", style.bold},
            {"italic", style.italic}, {"underline", style.underline}, {"colour", colourText(style.colour)}};
}

const char* maskName(LayoutMask mask) {
    switch (mask) {
    case LayoutMask::Disc:
        return "disc";
    case LayoutMask::SmallDisc:
        return "smallDisc";
    case LayoutMask::None:
        break;
    }
    return "none";
}

QJsonObject fitJson(const FitStep& fit, const PictureNaming& naming) {
    QJsonObject source;
    if (const auto* opened = std::get_if<OpenedSource>(&fit.source)) {
        source = {{"photo", naming.photo(*opened)}};
    } else {
        const auto& gradient = std::get<GradientSource>(fit.source);
        source = {{"gradient", QJsonObject{{"mode", modeNumber(gradient.mode)},
                                           {"elliptical", gradient.elliptical},
                                           {"first", colourText(gradient.first)},
                                           {"second", colourText(gradient.second)}}}};
    }
    const QRect& piece = fit.piece;
    return {{"kind", "fit"},
            {"source", source},
            {"piece", QJsonArray{piece.x(), piece.y(), piece.width(), piece.height()}}};
}

// Each kind of step as the manifest writes it; std::visit makes a new kind a compile error here.
class StepJson {
public:
    explicit StepJson(const PictureNaming& naming) : naming_(naming) {}

    QJsonObject operator()(const FitStep& fit) const { return fitJson(fit, naming_); }
    QJsonObject operator()(const TextLayoutStep& layout) const {
        QJsonArray draws;
        for (const TextDraw& draw : layout.plan.draws)
            draws.append(QJsonObject{{"text", draw.text},
                                     {"topLeft", pointJson(draw.topLeft)},
                                     {"style", styleJson(draw.style)},
                                     {"angle", draw.angle}});
        return {{"kind", "text"}, {"draws", draws}, {"mask", maskName(layout.plan.mask)}};
    }
    QJsonObject operator()(const StampStep& step) const {
        const TextStamp& stamp = step.stamp;
        return {{"kind", "stamp"},
                {"caption", stamp.caption},
                {"family", stamp.family},
                {"pointSize", stamp.pointSize},
                {"bold", stamp.bold},
                {"colour", colourText(stamp.colour)},
                {"reversed", stamp.reversed},
                {"corner", pointJson(step.corner)}};
    }
    QJsonObject operator()(const TurnStep& turn) const { return {{"kind", "turn"}, {"left", turn.left}}; }
    QJsonObject operator()(const InsertStep& insert) const {
        return {
            {"kind", "insert"}, {"picture", naming_.insert(insert.picture)}, {"at", pointJson(insert.at)}};
    }
    QJsonObject operator()(const ClearStep&) const { return {{"kind", "clear"}}; }

private:
    const PictureNaming& naming_;
};

} // namespace

QByteArray manifestOf(const CoverSnapshot& snapshot, const PictureNaming& naming) {
    QJsonArray slotArray;
    for (const SlotSnapshot& slot : snapshot.slotSnapshots) {
        QJsonArray steps;
        for (const CoverStep& step : slot.steps) {
            QJsonObject json = std::visit(StepJson(naming), step.inputs);
            json.insert("name", step.name);
            json.insert("keptWasPicture", step.keptWasPicture);
            steps.append(json);
        }
        QJsonObject json{{"loaded", slot.loaded}, {"resized", slot.resized}, {"steps", steps}};
        if (slot.unfitted)
            json.insert("unfitted", fitJson(*slot.unfitted, naming));
        slotArray.append(json);
    }
    const QJsonObject manifest{{"format", kCoverFormatName},
                               {"version", kCoverFormatVersion},
                               {"mode", modeNumber(snapshot.mode)},
                               {"picture", snapshot.secondPicture ? 2 : 1},
                               {"slots", slotArray}};
    return QJsonDocument(manifest).toJson(QJsonDocument::Indented);
}
