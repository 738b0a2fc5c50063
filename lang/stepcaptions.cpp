#include "lang/stepcaptions.h"

#include <array>

namespace {

// The controls that make a step: Open, Resize and Gradient put a picture in, Clear takes it back
// to its fit, and the Text Area's layouts draw on it.
constexpr std::array<CaptionKey, 8> kStepMakers{{
    {"Form15", "SpeedButton1"},
    {"Form15", "Resize1"},
    {"Form15", "Gradient1"},
    {"Form15", "SpeedButton5"},
    {"Form17", "SpeedButton4"},
    {"Form17", "SpeedButton8"},
    {"Form17", "SpeedButton11"},
    {"Form17", "SpeedButton10"},
}};

} // namespace

const CaptionRow* stepCaption(const QString& stepName) {
    for (const CaptionKey& key : kStepMakers)
        if (const CaptionRow* row = findCaption(key.window, key.control);
            row && englishText(*row) == stepName)
            return row;
    return nullptr;
}

QString editMenuCaption(const QString& verb, const QString& step) {
    return step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
}
