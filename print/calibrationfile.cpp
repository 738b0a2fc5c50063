#include "print/calibrationfile.h"

CalibrationTexts defaultCalibration(int dotsX, int dotsY) {
    return {QStringLiteral("0.00"),  QStringLiteral("0.00"), QStringLiteral("0.00"),
            QStringLiteral("15.00"), QString::number(dotsX), QString::number(dotsY)};
}

CalibrationTexts defaultCalibration(const std::optional<DotSize>& size) {
    return size ? defaultCalibration(size->x, size->y) : defaultCalibration(0, 0);
}

CalibrationTexts calibrationFromLines(const QStringList& lines, const CalibrationTexts& defaults) {
    CalibrationTexts texts = defaults;
    for (size_t i = 0; i < texts.size() && i < static_cast<size_t>(lines.size()); ++i)
        texts[i] = lines.at(static_cast<qsizetype>(i));
    return texts;
}

namespace {
bool isADotCount(const QString& text) {
    bool number = false;
    const int dots = text.toInt(&number);
    return number && dots > 0;
}
} // namespace

CalibrationTexts calibrationWithoutFile(const CalibrationTexts& inEffect,
                                        const std::optional<DotSize>& trueSize) {
    CalibrationTexts texts = inEffect;
    if (trueSize && !(isADotCount(texts[4]) && isADotCount(texts[5]))) {
        texts[4] = QString::number(trueSize->x);
        texts[5] = QString::number(trueSize->y);
    }
    return texts;
}
