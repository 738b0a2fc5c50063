#include "cover/covermanifest.h"

#include "platform/orbalinerror.h"
#include "platform/picturelimits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>

// Reading the manifest back: every value is checked before it is used, and the first thing wrong
// is named with the picture and step it belongs to.

namespace {

class Reader {
public:
    explicit Reader(const PictureLookup& lookup) : lookup_(lookup) {}

    CoverSnapshot snapshot(const QJsonObject& manifest) {
        CoverSnapshot read;
        read.mode = CoverMode(integer(manifest, "mode", 1, 4));
        read.secondPicture = integer(manifest, "picture", 1, 2) == 2;
        const QJsonArray slotArray = array(manifest, "slots", kSlotCount);
        if (slotArray.size() != kSlotCount)
            fail(QStringLiteral("It holds %1 pictures instead of %2.").arg(slotArray.size()).arg(kSlotCount));
        for (const SlotInfo& info : slotTable()) {
            where_ =
                QStringLiteral("%1 of %2").arg(slotStatusText(info.second), modeInfo(info.mode).statusText);
            read.slotSnapshots[size_t(info.index)] = slot(object(slotArray[info.index]));
        }
        return read;
    }

private:
    SlotSnapshot slot(const QJsonObject& json) {
        SlotSnapshot read;
        read.loaded = boolean(json, "loaded");
        read.resized = boolean(json, "resized");
        if (json.contains(QLatin1String("unfitted")))
            read.unfitted = fit(object(json.value(QLatin1String("unfitted"))));
        const QJsonArray steps = array(json, "steps", kMostStepsPerSlot);
        for (qsizetype i = 0; i < steps.size(); ++i) {
            step_ = int(i) + 1;
            read.steps.push_back(step(object(steps[i])));
        }
        step_ = 0;
        return read;
    }

    CoverStep step(const QJsonObject& json) {
        CoverStep read;
        read.name = text(json, "name");
        if (read.name.isEmpty())
            fail(QStringLiteral("it has no name"));
        read.keptWasPicture = boolean(json, "keptWasPicture");
        const QString kind = text(json, "kind");
        if (kind == u"fit") {
            read.inputs = fit(json);
        } else if (kind == u"text") {
            TextPlan plan;
            const QJsonArray draws = array(json, "draws", kMostTextDraws);
            for (const QJsonValue& value : draws) {
                const QJsonObject draw = object(value);
                plan.draws.push_back({text(draw, "text"), point(draw, "topLeft", -kFarthestCoordinate),
                                      style(object(draw.value(QLatin1String("style")))),
                                      integer(draw, "angle", -360, 360)});
            }
            plan.mask = mask(text(json, "mask"));
            read.inputs = TextLayoutStep{plan};
        } else if (kind == u"stamp") {
            TextStamp stamp;
            stamp.caption = text(json, "caption");
            stamp.family = text(json, "family");
            stamp.pointSize = integer(json, "pointSize", 1, kLargestPointSize);
            stamp.bold = boolean(json, "bold");
            stamp.colour = colour(json, "colour");
            stamp.reversed = boolean(json, "reversed");
            read.inputs = StampStep{stamp, point(json, "corner", -kFarthestCoordinate)};
        } else if (kind == u"turn") {
            read.inputs = TurnStep{boolean(json, "left")};
        } else if (kind == u"insert") {
            read.inputs = InsertStep{found(lookup_.insert(text(json, "picture"))),
                                     point(json, "at", -kFarthestCoordinate)};
        } else if (kind == u"clear") {
            read.inputs = ClearStep{};
        } else {
            fail(QStringLiteral("its kind \"%1\" is not one this Orbalin knows").arg(kind.left(40)));
        }
        return read;
    }

    FitStep fit(const QJsonObject& json) {
        FitStep read;
        const QJsonObject source = object(json.value(QLatin1String("source")));
        if (source.contains(QLatin1String("photo"))) {
            read.source = found(lookup_.photo(text(source, "photo")));
        } else if (source.contains(QLatin1String("gradient"))) {
            const QJsonObject gradient = object(source.value(QLatin1String("gradient")));
            read.source =
                GradientSource{CoverMode(integer(gradient, "mode", 1, 4)), boolean(gradient, "elliptical"),
                               colour(gradient, "first"), colour(gradient, "second")};
        } else {
            fail(QStringLiteral("its fit has neither a photo nor a gradient"));
        }
        // A piece of a photo: no larger than any picture the program opens.
        const QJsonArray piece = array(json, "piece", 4);
        const int x = integer(piece, 0, 0, int(kMaxPictureWidth));
        const int y = integer(piece, 1, 0, int(kMaxPictureWidth));
        const int width = integer(piece, 2, 0, int(kMaxPictureWidth));
        const int height = integer(piece, 3, 0, int(kMaxPictureWidth));
        if (piece.size() != 4 || qint64(width) * height > kMaxPicturePixels)
            fail(QStringLiteral("its piece is not a piece of a picture"));
        read.piece = QRect(x, y, width, height);
        return read;
    }

    TextStyle style(const QJsonObject& json) {
        return {text(json, "family"),       integer(json, "pointSize", 1, kLargestPointSize),
                boolean(json, "bold"),      boolean(json, "italic"),
                boolean(json, "underline"), colour(json, "colour")};
    }

    LayoutMask mask(const QString& name) {
        if (name == u"none")
            return LayoutMask::None;
        if (name == u"disc")
            return LayoutMask::Disc;
        if (name == u"smallDisc")
            return LayoutMask::SmallDisc;
        fail(QStringLiteral("its mask \"%1\" is not one this Orbalin knows").arg(name.left(40)));
    }

    template <typename Picture> Picture found(std::variant<Picture, QString> picture) {
        if (const QString* reason = std::get_if<QString>(&picture))
            throw OrbalinError(*reason); // a sentence of its own
        return std::get<Picture>(std::move(picture));
    }

    // --- Values, each checked ---
    QJsonObject object(const QJsonValue& value) {
        if (!value.isObject())
            fail(QStringLiteral("a part of it is missing or not what it should be"));
        return value.toObject();
    }
    QJsonArray array(const QJsonObject& json, const char* key, qsizetype most) {
        const QJsonValue value = json.value(QLatin1String(key));
        if (!value.isArray())
            fail(QStringLiteral("its %1 are missing").arg(QLatin1String(key)));
        const QJsonArray read = value.toArray();
        if (read.size() > most)
            fail(QStringLiteral("it has more %1 than %2").arg(QLatin1String(key)).arg(most));
        return read;
    }
    bool boolean(const QJsonObject& json, const char* key) {
        const QJsonValue value = json.value(QLatin1String(key));
        if (!value.isBool())
            fail(QStringLiteral("its %1 is not true or false").arg(QLatin1String(key)));
        return value.toBool();
    }
    int integer(const QJsonValue& value, const QString& name, int least, int most) {
        const double number = value.toDouble(std::nan(""));
        if (!value.isDouble() || number != std::floor(number) || number < least || number > most)
            fail(QStringLiteral("its %1 is not a whole number from %2 to %3").arg(name).arg(least).arg(most));
        return int(number);
    }
    int integer(const QJsonObject& json, const char* key, int least, int most) {
        return integer(json.value(QLatin1String(key)), QLatin1String(key), least, most);
    }
    int integer(const QJsonArray& json, qsizetype at, int least, int most) {
        return integer(json.at(at), QStringLiteral("piece"), least, most);
    }
    QPoint point(const QJsonObject& json, const char* key, int least) {
        const QJsonArray pair = array(json, key, 2);
        if (pair.size() != 2)
            fail(QStringLiteral("its %1 is not a point").arg(QLatin1String(key)));
        return {integer(pair[0], QLatin1String(key), least, kFarthestCoordinate),
                integer(pair[1], QLatin1String(key), least, kFarthestCoordinate)};
    }
    QString text(const QJsonObject& json, const char* key) {
        const QJsonValue value = json.value(QLatin1String(key));
        if (!value.isString() || value.toString().size() > kLongestText)
            fail(QStringLiteral("its %1 is not a text of up to %2 characters")
                     .arg(QLatin1String(key))
                     .arg(kLongestText));
        return value.toString();
    }
    QColor colour(const QJsonObject& json, const char* key) {
        const QString name = text(json, key);
        const QColor read = QColor::fromString(name);
        if (name.size() != 9 || !name.startsWith(u'#') || !read.isValid())
            fail(QStringLiteral("its %1 is not a colour").arg(QLatin1String(key)));
        return read;
    }

    [[noreturn]] void fail(const QString& reason) const {
        if (where_.isEmpty())
            throw OrbalinError(QStringLiteral("Its manifest cannot be used: %1.").arg(reason));
        const QString step = step_ > 0 ? QStringLiteral(", step %1,").arg(step_) : QString();
        throw OrbalinError(QStringLiteral("%1%2 cannot be used: %3.").arg(where_, step, reason));
    }

    const PictureLookup& lookup_;
    QString where_;
    int step_ = 0;
};

} // namespace

CoverSnapshot snapshotOf(const QByteArray& json, const PictureLookup& lookup) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull())
        throw OrbalinError(QStringLiteral("Its manifest is damaged (%1 at character %2).")
                               .arg(error.errorString())
                               .arg(error.offset));
    const QJsonObject manifest = document.object();
    if (manifest.value(QLatin1String("format")).toString() != QLatin1String(kCoverFormatName))
        throw OrbalinError(QStringLiteral("Its manifest is not one of an Orbalin cover."));
    const QJsonValue version = manifest.value(QLatin1String("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        throw OrbalinError(QStringLiteral("Its manifest has no version this Orbalin knows."));
    if (version.toDouble() > kCoverFormatVersion)
        throw OrbalinError(
            QStringLiteral("It was made by a newer Orbalin: this one reads covers up to version %1.")
                .arg(kCoverFormatVersion));
    return Reader(lookup).snapshot(manifest);
}
